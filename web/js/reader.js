// The picture for a screen reader: a slider of the body angle, described in the core's
// sentences (the flow, the labels, the pause, the keys a slider does not have), spoken through
// the core's Announcer, at most once a second, and once more when a gesture or a run of keys ends.
(function (CF) {
  'use strict';

  // box: the picture's element.
  CF.pictureReader = function (core, page, box) {
    const stateEl = document.getElementById('picture-state');
    // The labels' texts, for the page's tests (the description says them).
    const labelsEl = document.getElementById('picture-labels');
    box.setAttribute('role', 'slider');
    box.setAttribute('aria-describedby', 'picture-state');
    const announcer = new core.Announcer();
    const now = () => performance.now();
    let described = '';
    let settleTimer = null;
    function say(text) {
      if (text) stateEl.textContent = text;
    }
    function settleLater() {
      window.clearTimeout(settleTimer);
      if (!announcer.waiting()) return;
      settleTimer = window.setTimeout(() => {
        say(announcer.settle(now(), false));
        settleLater();
      }, Math.max(0, announcer.dueMs() - now()) + 1);
    }

    // The core's sentences in the page's language: words translated with their values filled
    // in, each begun with a capital; values alone as the picture writes them (beta keeps its
    // small letter). Every sentence ends with a full stop.
    function sentences() {
      return page.describePicture().map((s) => {
        let text = s.words === null ? s.values.join(', ')
                                    : core.Page.fillWords(CF.tr('Picture', s.words), s.values).trim();
        if (s.words !== null && text) text = text[0].toUpperCase() + text.slice(1);
        return text && !text.endsWith('.') ? text + '.' : text;
      }).filter((t) => t !== '').join(' ');
    }

    // The slider's value, the labels and the description, after the wall or the flow changed.
    function describe() {
      const s = page.wallSlider();
      box.setAttribute('aria-valuemin', String(s.min));
      box.setAttribute('aria-valuemax', String(s.max));
      box.setAttribute('aria-valuenow', String(s.value));
      box.setAttribute('aria-valuetext', CF.trf('Picture', CF.words.slider, s.beta, s.turn));

      labelsEl.dataset.beta = page.betaLabel();
      labelsEl.dataset.alpha = page.alphaLabel();
      labelsEl.dataset.chi = page.chiLabel();

      const text = sentences();
      if (text !== described) {
        described = text;
        say(announcer.changed(text, now()));
        settleLater();
      }
    }

    function applyLanguage() {
      box.setAttribute('aria-label', CF.tr('Picture', CF.words.pictureName));
    }

    return {
      describe: describe,
      applyLanguage: applyLanguage,
      // A gesture or a run of keys ended: the final state is said now, if it waits.
      ended: () => {
        say(announcer.settle(now(), true));
        settleLater();
      },
    };
  };
})(window.Cornerflow = window.Cornerflow || {});
