// The picture: its layers (js/layers.js) composed at the device pixels it is shown at; the
// pointer and the keys handed to the core as they come; the mark where a finger reads the flow;
// and the picture for a screen reader (js/reader.js).
(function (CF) {
  'use strict';

  // The browser's keys in the core's terms: the core decides what each does.
  const KEYS = {
    ArrowLeft: 'Left', Left: 'Left', ArrowRight: 'Right', Right: 'Right',
    ArrowUp: 'Up', Up: 'Up', ArrowDown: 'Down', Down: 'Down',
    PageUp: 'PageUp', PageDown: 'PageDown', Home: 'Home', End: 'End',
    ' ': 'Space', Spacebar: 'Space', '.': 'Period', f: 'F', F: 'F', e: 'E', E: 'E',
  };
  const KINDS = { mouse: 'Mouse', touch: 'Touch', pen: 'Pen' };

  // The size the picture is shown at and the scale it is composed at: the device pixels are
  // the CSS size times the device pixel ratio; an observer only says when to look again (a zoom
  // changes the ratio, a resize the size). changed(shown) follows each new size; measuring()
  // comes before each measurement.
  function watchSize(box, changed, measuring) {
    let shown = { cssW: 0, cssH: 0, devW: 0, devH: 0 };
    function measure() {
      measuring();
      const r = box.getBoundingClientRect();
      const ratio = window.devicePixelRatio || 1;
      const next = { cssW: r.width, cssH: r.height,
                     devW: Math.round(r.width * ratio), devH: Math.round(r.height * ratio) };
      if (!(next.cssW > 0 && next.cssH > 0 && next.devW > 0 && next.devH > 0)) return;
      if (['cssW', 'cssH', 'devW', 'devH'].every((k) => next[k] === shown[k])) return;
      shown = next;
      changed(shown);
    }
    if (typeof ResizeObserver === 'function') {
      const observer = new ResizeObserver(measure);
      try {
        observer.observe(box, { box: 'device-pixel-content-box' });
      } catch (err) {
        observer.observe(box);
      }
    }
    // A zoom or a move to another screen changes the device pixel ratio; not every browser
    // tells it by an event (the observer, a resolution query, a resize), so every animation
    // frame also looks (js/main.js).
    function watchResolution() {
      const query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      const moved = () => {
        if (query.removeEventListener) query.removeEventListener('change', moved);
        measure();
        watchResolution();
      };
      if (query.addEventListener) query.addEventListener('change', moved);
    }
    watchResolution();
    window.addEventListener('resize', measure);
    return {
      measure: measure,
      shown: () => shown,
      // Measures again when the device pixel ratio moved since the picture was measured.
      watchRatio: () => {
        const ratio = window.devicePixelRatio || 1;
        if (shown.cssW && Math.round(shown.cssW * ratio) !== shown.devW) measure();
      },
    };
  }

  // Every pointer event goes to the core with its kind and its id, in CSS pixels from the
  // picture's top-left corner; the core decides what it means. gesture.pressed(): a pointer
  // was pressed on the picture; gesture.ended(): the last pointer on it was released.
  function handlePointer(core, page, box, actions, gesture) {
    // The picture's box, measured again only after a scroll, a resize or a gesture's start, so
    // that a move does not wait for the page's layout after the fields it changed.
    let boxRect = null;
    const forgetRect = () => {
      boxRect = null;
    };
    window.addEventListener('scroll', forgetRect, { capture: true, passive: true });
    window.addEventListener('resize', forgetRect);
    function pointer(e, mainButton) {
      if (!boxRect) boxRect = box.getBoundingClientRect();
      return { x: e.clientX - boxRect.left, y: e.clientY - boxRect.top,
               kind: core.PointerKind[KINDS[e.pointerType] || 'Mouse'], id: e.pointerId | 0, mainButton: mainButton };
    }
    let held = 0; // pointers pressed on the picture and not yet released
    box.addEventListener('pointerdown', (e) => {
      if (e.pointerType === 'mouse') e.preventDefault(); // no text selection
      boxRect = null; // each gesture measures the box afresh
      box.focus({ preventScroll: true });
      if (e.pointerType !== 'touch' && e.button === 0) {
        try {
          box.setPointerCapture(e.pointerId); // a drag goes on outside the picture
        } catch (err) {
          // the pointer is gone already
        }
      }
      ++held;
      gesture.pressed();
      page.pointerPressed(pointer(e, e.button === 0));
      actions.update();
    });
    box.addEventListener('pointermove', (e) => {
      page.pointerMoved(pointer(e, (e.buttons & 1) !== 0));
      actions.update();
    });
    function released(e, cancelled) {
      if (cancelled) page.pointerCancelled(pointer(e, true));
      else page.pointerReleased(pointer(e, e.button === 0));
      if (held > 0) --held;
      actions.update();
      if (held === 0) gesture.ended();
    }
    box.addEventListener('pointerup', (e) => released(e, false));
    box.addEventListener('pointercancel', (e) => released(e, true));
    box.addEventListener('contextmenu', (e) => e.preventDefault());
    return { forgetRect: forgetRect, held: () => held };
  }

  // Keys on the focused picture, in the core's terms. ended(): a run of keys ended (the core
  // says after how long a pause).
  function handleKeys(core, page, box, layout, actions, ended) {
    let keyRun = null; // the timer that ends a run of key presses
    box.addEventListener('keydown', (e) => {
      let key = KEYS[e.key];
      if (!key && e.code === 'KeyF') key = 'F'; // F and E in another keyboard layout
      if (!key && e.code === 'KeyE') key = 'E';
      const action = page.keyPressed({ key: core.Key[key || 'Other'], shift: e.shiftKey, control: e.ctrlKey,
                                       alt: e.altKey, meta: e.metaKey, repeat: e.repeat });
      if (action === core.ShellAction.Ignored) return; // Tab and the rest: the browser's
      e.preventDefault(); // no scrolling by arrows, Space or the page keys
      if (action === core.ShellAction.FullScreen) actions.fullScreen();
      actions.update();
      window.clearTimeout(keyRun);
    });
    box.addEventListener('keyup', () => {
      window.clearTimeout(keyRun);
      keyRun = window.setTimeout(ended, layout.keyRunEndsMs);
    });
    // A pointer pressed: the drag goes on from where the keys left it.
    return { stopRun: () => window.clearTimeout(keyRun) };
  }

  // The labels a drag from the wall as it stands may draw, rendered by the core while the page
  // is idle: rendering a new label is most of a drag move's cost on a phone. The function
  // returned asks for an idle moment, unless one is asked for already; in it the core renders
  // labels while the moment lasts, and asks for another while some are left. While held()
  // (a pointer on the picture) it waits: a browser without idle callbacks would take its
  // moments from the drag.
  function labelsAhead(page, held) {
    let asked = false;
    const whenIdle = typeof window.requestIdleCallback === 'function'
      ? (fn) => window.requestIdleCallback(fn)
      : (fn) => window.setTimeout(() => {
        const end = performance.now() + 5;
        fn({ timeRemaining: () => end - performance.now() });
      }, 100);
    function idle(deadline) {
      asked = false;
      if (held()) {
        soon();
        return;
      }
      let left = 1;
      while (left > 0 && deadline.timeRemaining() > 2) left = page.renderLabelsAhead(1);
      if (left > 0) soon();
    }
    function soon() {
      if (asked) return;
      asked = true;
      whenIdle(idle);
    }
    return soon;
  }

  CF.picture = function (core, page, controls, layout, actions) {
    const box = controls.picture.el;
    const pictureW = controls.picture.entry.w;
    const layers = CF.pictureLayers(page, box);
    const reader = CF.pictureReader(core, page, box);
    const renderAhead = labelsAhead(page, () => pointers.held() > 0);

    let markKey = null; // where the mark was drawn ('' none, null: draw it again)
    function showMark() {
      const m = page.mark();
      const key = m.shown ? m.x + ',' + m.y : '';
      if (key === markKey) return;
      markKey = key;
      const shown = size.shown();
      layers.drawMark(m, shown.cssW, shown.cssH);
    }

    // The end of a gesture or a run of keys: the reader says the final state, unless a pointer
    // still holds the picture (its release ends the gesture).
    function gestureEnded() {
      if (pointers.held() > 0) return;
      reader.ended();
      renderAhead(); // round the wall where the gesture left it
    }
    const keys = handleKeys(core, page, box, layout, actions, gestureEnded);
    const pointers = handlePointer(core, page, box, actions, { pressed: keys.stopRun, ended: gestureEnded });
    const size = watchSize(box, (shown) => {
      page.setDisplaySize(shown.cssW, shown.cssH);
      page.setFrameScale(core.Page.frameScaleFor(shown.devW / pictureW));
      layers.resizeMark(Math.round(shown.devW), Math.round(shown.devH));
      markKey = null;
      actions.update();
    }, pointers.forgetRect);

    return {
      showFrame: layers.showFrame,
      composite: layers.composite,
      showMark: showMark,
      describe: reader.describe,
      applyLanguage: () => {
        reader.applyLanguage();
        markKey = null;
      },
      measure: size.measure,
      firstFrameMs: layers.firstFrameMs,
      watchRatio: size.watchRatio,
      displaySize: () => [size.shown().cssW, size.shown().cssH],
      deviceSize: () => [size.shown().devW, size.shown().devH],
      gestureEnded: gestureEnded,
      renderAhead: renderAhead,
    };
  };
})(window.Cornerflow = window.Cornerflow || {});
