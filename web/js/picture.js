// The picture: the frame's layers on stacked canvases, composed at the device pixels the
// picture is shown at; the pointer and the keys handed to the core as they come; the mark where
// a finger reads the flow; and the picture as a slider for a screen reader, with its
// description spoken through the core's Announcer.
//
// The canvases, bottom to top: below (background and overlay, opaque) and above (streamlines
// and the frame line), put again only when the core composed them again; the tracers, one
// canvas pixel per picture pixel, enlarged without smoothing, put at every frame; the marker,
// put within the rectangle that changed; the reading mark, drawn here and not part of the
// picture. Stacked they are the core's frame, pixel for pixel.
(function (CF) {
  'use strict';

  // The browser's keys in the core's terms: the core decides what each does.
  const KEYS = {
    ArrowLeft: 'Left', Left: 'Left', ArrowRight: 'Right', Right: 'Right',
    ArrowUp: 'Up', Up: 'Up', ArrowDown: 'Down', Down: 'Down',
    PageUp: 'PageUp', PageDown: 'PageDown', Home: 'Home', End: 'End',
    ' ': 'Space', Spacebar: 'Space', '.': 'Period', f: 'F', F: 'F',
  };
  const KINDS = { mouse: 'Mouse', touch: 'Touch', pen: 'Pen' };

  CF.picture = function (core, page, D, layout, app) {
    const box = D.picture.el;
    const pictureW = D.picture.c.w;
    const pictureH = D.picture.c.h;
    const now = () => performance.now();

    // ---- The canvases.
    function canvas(name, alpha) {
      const el = document.createElement('canvas');
      el.className = 'layer layer-' + name;
      el.setAttribute('aria-hidden', 'true');
      box.appendChild(el);
      return { el: el, ctx: el.getContext('2d', { alpha: alpha }) };
    }
    const below = canvas('below', false);
    const tracers = canvas('tracers', true);
    const above = canvas('above', true);
    const marker = canvas('marker', true);
    const mark = canvas('mark', true);
    const layers = { below: below, tracers: tracers, above: above, marker: marker };

    // ImageData over the module's memory, made again only when the memory moved or grew.
    const images = {};
    function imageOf(name, view, w, h) {
      let c = images[name];
      if (!c || c.buffer !== view.buffer || c.offset !== view.byteOffset || c.w !== w || c.h !== h) {
        if (view.length !== w * h * 4) throw new Error('layer ' + name + ' holds ' + view.length + ' bytes for ' + w + 'x' + h);
        c = { buffer: view.buffer, offset: view.byteOffset, w: w, h: h,
              data: new ImageData(new Uint8ClampedArray(view.buffer, view.byteOffset, view.length), w, h) };
        images[name] = c;
      }
      return c.data;
    }
    function resize(layer, w, h) {
      if (layer.el.width === w && layer.el.height === h) return false;
      layer.el.width = w;
      layer.el.height = h;
      return true;
    }

    let shownFrame = -1;
    let firstFrameMs = null;
    // Puts what the core composed since the last call on the canvases. True when the layers that
    // do not move changed (the wall, the flow or the scale).
    function showFrame() {
      const serial = page.frameSerial();
      if (serial === shownFrame) return false;
      shownFrame = serial;
      const info = page.prepareLayers();
      const w = info.deviceWidth;
      const h = info.deviceHeight;
      if (!w || !h) return false;
      const grown = [below, above, marker].map((l) => resize(l, w, h)).some(Boolean);
      resize(tracers, info.width, info.height);
      if (info.staticChanged || grown) {
        below.ctx.putImageData(imageOf('below', page.belowPixels(), w, h), 0, 0);
        above.ctx.putImageData(imageOf('above', page.abovePixels(), w, h), 0, 0);
      }
      tracers.ctx.putImageData(imageOf('tracers', page.tracerPixels(), info.width, info.height), 0, 0);
      const m = info.marker;
      const markerImage = imageOf('marker', page.markerPixels(), w, h);
      if (grown) marker.ctx.putImageData(markerImage, 0, 0);
      else if (m.w > 0 && m.h > 0) marker.ctx.putImageData(markerImage, 0, 0, m.x, m.y, m.w, m.h);
      if (firstFrameMs === null) firstFrameMs = now();
      return info.staticChanged;
    }

    // The layers laid over each other into one canvas of the frame's size: the picture as it is
    // shown, for saving and copying it.
    function composite() {
      const w = below.el.width;
      const h = below.el.height;
      const c = document.createElement('canvas');
      c.width = w;
      c.height = h;
      const ctx = c.getContext('2d', { willReadFrequently: true });
      ctx.imageSmoothingEnabled = false; // the tracers' pixels enlarged as the page shows them
      for (const layer of [below, tracers, above, marker]) ctx.drawImage(layer.el, 0, 0, w, h);
      return c;
    }

    // ---- The size the picture is shown at, and the scale it is composed at.
    let shown = { cssW: 0, cssH: 0, devW: 0, devH: 0 };
    function sizeChanged(cssW, cssH, devW, devH) {
      boxRect = null;
      if (!(cssW > 0 && cssH > 0 && devW > 0 && devH > 0)) return;
      if (cssW === shown.cssW && cssH === shown.cssH && devW === shown.devW && devH === shown.devH) return;
      shown = { cssW: cssW, cssH: cssH, devW: devW, devH: devH };
      page.setDisplaySize(cssW, cssH);
      page.setFrameScale(core.Page.frameScaleFor(devW / pictureW));
      resize(mark, Math.round(devW), Math.round(devH));
      markKey = null;
      app.update();
    }
    // The device pixels are the CSS size times the device pixel ratio: the observer only says
    // when to look again (a zoom changes the ratio, a resize the size).
    function measure() {
      boxRect = null;
      const r = box.getBoundingClientRect();
      const ratio = window.devicePixelRatio || 1;
      sizeChanged(r.width, r.height, Math.round(r.width * ratio), Math.round(r.height * ratio));
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
    // frame also looks (see main.js).
    function watchResolution() {
      const query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      const changed = () => {
        if (query.removeEventListener) query.removeEventListener('change', changed);
        measure();
        watchResolution();
      };
      if (query.addEventListener) query.addEventListener('change', changed);
    }
    watchResolution();
    window.addEventListener('resize', measure);

    // ---- The reading mark: a small ring above the point a finger reads, with a line down to
    // the point, where the finger does not hide it.
    let markKey = null;
    function showMark() {
      const m = page.mark();
      const key = m.shown ? m.x + ',' + m.y : '';
      if (key === markKey) return;
      markKey = key;
      const ctx = mark.ctx;
      ctx.clearRect(0, 0, mark.el.width, mark.el.height);
      if (!m.shown || !shown.cssW) return;
      const s = mark.el.width / shown.cssW;
      const x = m.x * s;
      const y = m.y * (mark.el.height / shown.cssH);
      const r = 9 * s;
      const ringY = Math.max(r + 2 * s, y - 34 * s);
      ctx.lineCap = 'round';
      for (const [colour, width] of [['rgba(255,255,255,0.9)', 5 * s], ['#0050b0', 2.2 * s]]) {
        ctx.strokeStyle = colour;
        ctx.lineWidth = width;
        ctx.beginPath();
        ctx.arc(x, ringY, r, 0, 2 * Math.PI);
        if (y - ringY > r + 2 * s) {
          ctx.moveTo(x, ringY + r);
          ctx.lineTo(x, y - 2 * s);
        }
        ctx.stroke();
      }
      ctx.fillStyle = '#0050b0';
      ctx.beginPath();
      ctx.arc(x, y, 2 * s, 0, 2 * Math.PI);
      ctx.fill();
    }

    // ---- The pointer: every pointer event goes to the core with its kind and its id, in CSS
    // pixels from the picture's top-left corner; the core decides what it means.
    // The picture's box, measured again only after a scroll, a resize or a new layout, so that
    // a move does not wait for the page's layout after the fields it changed.
    let boxRect = null;
    const forgetRect = () => {
      boxRect = null;
    };
    window.addEventListener('scroll', forgetRect, { capture: true, passive: true });
    window.addEventListener('resize', forgetRect);
    function pointer(e, mainButton) {
      if (!boxRect) boxRect = box.getBoundingClientRect();
      const r = boxRect;
      return { x: e.clientX - r.left, y: e.clientY - r.top, kind: core.PointerKind[KINDS[e.pointerType] || 'Mouse'],
               id: e.pointerId | 0, mainButton: mainButton };
    }
    let gestures = 0; // pointers pressed on the picture and not yet released
    let keyRun = null; // the timer that ends a run of key presses
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
      ++gestures;
      window.clearTimeout(keyRun); // the drag goes on from where the keys left it
      page.pointerPressed(pointer(e, e.button === 0));
      app.update();
    });
    box.addEventListener('pointermove', (e) => {
      page.pointerMoved(pointer(e, (e.buttons & 1) !== 0));
      app.update();
    });
    function released(e, cancelled) {
      if (cancelled) page.pointerCancelled(pointer(e, true));
      else page.pointerReleased(pointer(e, e.button === 0));
      if (gestures > 0) --gestures;
      app.update();
      if (gestures === 0) gestureEnded();
    }
    box.addEventListener('pointerup', (e) => released(e, false));
    box.addEventListener('pointercancel', (e) => released(e, true));
    box.addEventListener('contextmenu', (e) => e.preventDefault());

    // ---- Keys on the focused picture, in the core's terms.
    box.addEventListener('keydown', (e) => {
      let key = KEYS[e.key];
      if (!key && e.code === 'KeyF') key = 'F'; // F in another keyboard layout
      const action = page.keyPressed({ key: core.Key[key || 'Other'], shift: e.shiftKey, control: e.ctrlKey,
                                       alt: e.altKey, meta: e.metaKey, repeat: e.repeat });
      if (action === core.ShellAction.Ignored) return; // Tab and the rest: the browser's
      e.preventDefault(); // no scrolling by arrows, Space or the page keys
      if (action === core.ShellAction.FullScreen) app.fullScreen();
      app.update();
      window.clearTimeout(keyRun);
    });
    box.addEventListener('keyup', () => {
      window.clearTimeout(keyRun);
      keyRun = window.setTimeout(gestureEnded, layout.keyRunEndsMs); // the core's end of a run of keys
    });

    // ---- The picture for a screen reader: a slider of the body angle, described by the flow,
    // the labels and its keys; the description spoken at most once a second.
    const stateEl = document.getElementById('picture-state');
    const labelsEl = document.getElementById('picture-labels');
    const keysEl = document.getElementById('picture-keys');
    box.setAttribute('role', 'slider');
    box.setAttribute('aria-describedby', 'picture-state picture-labels picture-keys');
    const announcer = new core.Announcer();
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
    function gestureEnded() {
      if (gestures > 0) return; // a pointer still holds the picture: its release ends it
      say(announcer.settle(now(), true));
      settleLater();
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
      markKey = null;
    }

    return {
      showFrame: showFrame,
      composite: composite,
      showMark: showMark,
      describe: describe,
      applyLanguage: applyLanguage,
      measure: measure,
      layers: layers,
      firstFrameMs: () => firstFrameMs,
      // Measures again when the device pixel ratio moved since the picture was measured.
      watchRatio: () => {
        const ratio = window.devicePixelRatio || 1;
        if (shown.cssW && Math.round(shown.cssW * ratio) !== shown.devW) measure();
      },
      displaySize: () => [shown.cssW, shown.cssH],
      deviceSize: () => [shown.devW, shown.devH],
      pointer: pointer,
      gestureEnded: gestureEnded,
    };
  };
})(window.Cornerflow = window.Cornerflow || {});
