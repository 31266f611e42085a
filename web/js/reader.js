// The picture for a screen reader: a slider of the body angle, described in the core's
// sentences (the flow, the labels, the pause, the keys a slider does not have), spoken through
// the core's Announcer, at most once a second, and once more when a gesture or a run of keys ends.
(function (CF) {
  'use strict';

  // The legend's panel: beside each item's words its sample, the pixels the core drew in the
  // picture's own pen (page.legendSample), at the screen's device pixels. It stands where it
  // hides no part of the picture it explains: right of it where the screen has room, else as a
  // sheet along the bottom from under the picture, over at most the lower part of a picture
  // that fills the screen. It closes by its own control, by Escape and by a tap outside it;
  // close() is the page's way to put it away (the core's command, which also lifts the tool).
  CF.legendPanel = function (page, picture, close) {
    const panel = document.getElementById('legend-panel');
    const title = document.getElementById('legend-title');
    const list = document.getElementById('legend-items');
    const closeButton = document.getElementById('legend-close');
    const CLOSE_WORDS = 'Закрыть';
    // The panel's widest, its least height as a sheet and its gap from the screen's edges, CSS px.
    const WIDEST = 560;
    const LEAST_SHEET = 240;
    const GAP = 8;
    function sample(index) {
      const c = document.createElement('canvas');
      c.className = 'legend-sample';
      c.setAttribute('aria-hidden', 'true');
      const scale = Math.min(8, Math.max(1, Math.ceil(window.devicePixelRatio || 1)));
      // A symbol's item has no sample: its canvas stays blank, as large as the others.
      c.width = 48 * scale;
      c.height = 20 * scale;
      const drawn = page.legendSample(index, scale);
      if (!drawn) return c;
      c.width = drawn.width;
      c.height = drawn.height;
      c.getContext('2d').putImageData(new ImageData(drawn.pixels, drawn.width, drawn.height), 0, 0);
      return c;
    }
    // The rows of what the picture draws now; made again when that changes.
    let rows = [];
    let listed = '';
    function build() {
      const items = page.legend();
      const key = items.map((i) => i.words).join('\n');
      if (key === listed) return false;
      listed = key;
      list.textContent = '';
      rows = items.map((item, index) => {
        const li = document.createElement('li');
        li.appendChild(sample(index));
        const words = document.createElement('span');
        li.appendChild(words);
        list.appendChild(li);
        return { item: item, words: words };
      });
      return true;
    }
    function applyLanguage() {
      title.textContent = CF.tr('Dialog', CF.words.legend);
      const closeWords = CF.tr('Dialog', CLOSE_WORDS);
      closeButton.setAttribute('aria-label', closeWords);
      closeButton.title = closeWords;
      for (const r of rows) r.words.textContent = CF.tr('Legend', r.item.words);
    }
    // Where the panel stands, from where the picture is on the screen now.
    function place() {
      if (panel.hidden) return;
      const vw = document.documentElement.clientWidth;
      const vh = window.innerHeight;
      const pic = picture.getBoundingClientRect();
      const width = Math.min(WIDEST, vw - 2 * GAP);
      const st = panel.style;
      st.width = width + 'px';
      st.right = GAP + 'px';
      st.left = 'auto';
      st.bottom = 'auto';
      let top;
      if (vw - GAP - width >= pic.right + GAP) {
        top = Math.max(GAP, Math.min(pic.top, vh - LEAST_SHEET));
      } else {
        top = Math.max(GAP, Math.min(pic.bottom + GAP, vh - Math.min(LEAST_SHEET, vh / 2)));
      }
      st.top = top + 'px';
      st.maxHeight = Math.max(0, vh - top - GAP) + 'px';
    }
    function show(shown) {
      panel.hidden = !shown;
      place();
    }
    CF.onActivate(closeButton, close);
    document.addEventListener('keydown', (e) => {
      if (panel.hidden || e.key !== 'Escape') return;
      e.preventDefault();
      close();
    });
    // A tap or a click outside the panel puts it away; its own tool toggles it itself.
    document.addEventListener('pointerdown', (e) => {
      if (panel.hidden || panel.contains(e.target)) return;
      if (e.target.closest && e.target.closest('#legend-button')) return;
      close();
    }, true);
    window.addEventListener('resize', place);
    window.addEventListener('scroll', place, { passive: true });
    if (typeof ResizeObserver === 'function') new ResizeObserver(place).observe(picture);
    build();
    return {
      applyLanguage: applyLanguage,
      show: show,
      update: () => { if (build()) applyLanguage(); },
      items: () => rows.map((r) => r.words.textContent),
    };
  };

  // box: the picture's element.
  CF.pictureReader = function (core, page, box) {
    const stateEl = document.getElementById('picture-state');
    // The labels' texts, for the page's tests (the description says them).
    const labelsEl = document.getElementById('picture-labels');
    // The status line under the picture: what the flow is doing, in words.
    const statusEl = document.getElementById('flow-status');
    box.setAttribute('role', 'slider');
    box.setAttribute('aria-describedby', 'picture-state');
    const announcer = new core.Announcer();
    const now = () => performance.now();
    let described = '';
    // The picture changed since its sentences were last made: they are made only when they may
    // be spoken (the announcer speaks at most once a second), not at every move of a drag.
    let stale = false;
    let settleTimer = null;
    let settleDue = null; // the announcer's due time the timer is set for
    function say(text) {
      if (text) stateEl.textContent = text;
    }
    function settleLater() {
      if (!announcer.waiting() && !stale) {
        window.clearTimeout(settleTimer);
        settleDue = null;
        return;
      }
      const due = announcer.dueMs();
      if (settleDue === due) return; // set already: a drag's moves do not set it again each time
      window.clearTimeout(settleTimer);
      settleDue = due;
      settleTimer = window.setTimeout(() => {
        settleDue = null;
        if (stale) tell();
        else {
          say(announcer.settle(now(), false));
          settleLater();
        }
      }, Math.max(0, due - now()) + 1);
    }

    // The picture's description as the session finished it in the page's language.
    const sentences = () => page.descriptionText();

    // The sentences made as the picture stands and handed to the announcer, which speaks them
    // now or when it may.
    function hand() {
      stale = false;
      const text = sentences();
      if (text !== described) {
        described = text;
        say(announcer.changed(text, now()));
      }
    }
    function tell() {
      hand();
      settleLater();
    }

    // The slider's value, the labels and the description, after the wall or the flow changed.
    function describe() {
      const s = page.wallSlider();
      box.setAttribute('aria-valuemin', String(s.min));
      box.setAttribute('aria-valuemax', String(s.max));
      box.setAttribute('aria-valuenow', String(s.value));
      box.setAttribute('aria-valuetext', page.wallSliderText());

      labelsEl.dataset.beta = page.betaLabel();
      labelsEl.dataset.alpha = page.alphaLabel();
      labelsEl.dataset.chi = page.chiLabel();

      const status = page.statusText();
      if (statusEl.textContent !== status) statusEl.textContent = status;

      stale = true;
      if (now() >= announcer.dueMs()) tell();
      else settleLater();
    }

    function applyLanguage() {
      box.setAttribute('aria-label', CF.tr('Picture', CF.words.pictureName));
    }

    return {
      describe: describe,
      applyLanguage: applyLanguage,
      // A gesture or a run of keys ended: the final state is said now, if it waits.
      ended: () => {
        if (stale) hand();
        say(announcer.settle(now(), true));
        settleLater();
      },
    };
  };
})(window.Cornerflow = window.Cornerflow || {});
