// The picture for a screen reader: a slider of the body angle, described in the core's
// sentences (the flow, the labels, the pause, the keys a slider does not have), spoken through
// the core's Announcer, at most once a second, and once more when a gesture or a run of keys ends.
(function (CF) {
  'use strict';

  // The legend's panel: a sample in the picture's own pen beside each item's words.
  CF.legendPanel = function (page) {
    const panel = document.getElementById('legend-panel');
    const title = document.getElementById('legend-title');
    const list = document.getElementById('legend-items');
    const DASH = { solid: [], dash: [6, 4], dot: [1, 3], dashdot: [6, 3, 1, 3] };
    function sample(item) {
      const c = document.createElement('canvas');
      c.width = 48;
      c.height = 20;
      c.className = 'legend-sample';
      c.setAttribute('aria-hidden', 'true');
      const g = c.getContext('2d');
      const rgb = (a) => 'rgb(' + a.join(',') + ')';
      if (item.sample === 'line') {
        g.strokeStyle = rgb(item.pen);
        g.lineWidth = item.width;
        g.setLineDash(DASH[item.style] || []);
        g.beginPath();
        g.moveTo(4, 10);
        g.lineTo(44, 10);
        g.stroke();
      } else if (item.sample === 'dots') {
        g.fillStyle = rgb(item.fill);
        for (let x = 8; x < 48; x += 12) g.fillRect(x, 9 + ((x / 12) | 0) % 2 * 3, 1.5, 1.5);
      } else if (item.sample === 'area') {
        g.fillStyle = rgb(item.fill);
        g.fillRect(4, 4, 40, 12);
      } else if (item.sample === 'disc') {
        g.fillStyle = rgb(item.fill);
        g.strokeStyle = rgb(item.pen);
        g.beginPath();
        g.arc(24, 10, 7, 0, 2 * Math.PI);
        g.fill();
        g.stroke();
      }
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
      rows = items.map((item) => {
        const li = document.createElement('li');
        li.appendChild(sample(item));
        const words = document.createElement('span');
        li.appendChild(words);
        list.appendChild(li);
        return { item: item, words: words };
      });
      return true;
    }
    function applyLanguage() {
      title.textContent = CF.tr('Dialog', CF.words.legend);
      for (const r of rows) r.words.textContent = CF.tr('Legend', r.item.words);
    }
    build();
    return {
      applyLanguage: applyLanguage,
      show: (shown) => { panel.hidden = !shown; },
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
