// The picture for a screen reader: a slider of the body angle, described by the flow, the
// labels and the keys a slider does not have; the description spoken through the core's
// Announcer, at most once a second, and once more when a gesture or a run of keys ends.
(function (CF) {
  'use strict';

  // box: the picture's element; layout: the core's layout (the slider's and the picture's words).
  CF.pictureReader = function (core, page, box, layout) {
    const stateEl = document.getElementById('picture-state');
    const labelsEl = document.getElementById('picture-labels');
    const keysEl = document.getElementById('picture-keys');
    box.setAttribute('role', 'slider');
    box.setAttribute('aria-describedby', 'picture-state picture-labels picture-keys');
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

    // The slider's value, the labels and the description, after the wall or the flow changed.
    function describe() {
      const s = page.wallSlider();
      box.setAttribute('aria-valuemin', String(s.min));
      box.setAttribute('aria-valuemax', String(s.max));
      box.setAttribute('aria-valuenow', String(s.value));
      box.setAttribute('aria-valuetext', CF.trf('Picture', layout.sliderWords, s.beta, s.turn));

      const beta = page.betaLabel();
      const alpha = page.alphaLabel();
      const chi = page.chiLabel();
      labelsEl.dataset.beta = beta;
      labelsEl.dataset.alpha = alpha;
      labelsEl.dataset.chi = chi;
      labelsEl.textContent = CF.trf('Picture', CF.words.labels, [beta, alpha, chi].filter((t) => t !== '').join('; '));

      const facts = page.facts();
      let sentence = CF.trf('Picture', layout.pictureWords[facts.flow] || layout.pictureWords.NoFan, facts.turn, facts.span) + '.';
      if (page.paused()) sentence += ' ' + CF.tr('Picture', CF.words.paused) + '.';
      if (sentence !== described) {
        described = sentence;
        say(announcer.changed(sentence, now()));
        settleLater();
      }
    }

    function applyLanguage() {
      box.setAttribute('aria-label', CF.tr('Picture', layout.pictureName));
      // The keys a slider does not have: Space and the full stop.
      const keys = core.Page.pictureKeys().filter((k) => k.keys === 'Пробел' || k.keys === '.');
      keysEl.textContent = keys.map((k) => CF.tr('Keys', k.keys) + ' — ' + CF.tr('Keys', k.words)).join('; ') + '.';
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
