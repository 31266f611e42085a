// The page's start: the program (the core as WebAssembly) is made, the dialog's controls are
// built from its control table and laid out for the screen, the session opens on the state the
// address asks for, and the clock runs one tick per 50 ms of real time, drawn from animation
// frames (which stop while the page is hidden). Every number shown comes from the core; this
// page computes none.
//
// window.cornerflow is the page's hook for its tests and measurements.
(function (CF) {
  'use strict';

  const status = document.getElementById('status');
  const errors = [];
  window.addEventListener('error', (e) => errors.push(String(e.message || e)));
  window.addEventListener('unhandledrejection', (e) => errors.push(String(e.reason)));

  function start(core) {
    const page = new core.Page();
    const layout = JSON.parse(core.Page.layout());
    const dialogEl = document.getElementById('dialog');
    const pageEl = document.getElementById('page');
    const header = document.getElementById('header');
    const toolsEl = document.getElementById('tools');
    const hint = document.getElementById('touch-hint');
    const D = CF.buildDialog(layout, dialogEl);
    dialogEl.style.setProperty('--dialog-font', (layout.main.fontPoints * 96 / 72) + 'px');
    CF.fieldIds = {};
    for (const f of D.fields) CF.fieldIds[f.key] = f.id;

    let shownPaused = null;
    let languageShown = null;
    // The clock's state (see below).
    let last = null;
    let due = 0;
    function resetClock() {
      last = null;
      due = 0;
    }
    const app = {};
    const fields = CF.fields(page, D, layout, app);
    const picture = CF.picture(core, page, D, layout, app);
    const tools = CF.tools(core, page, layout, app);
    const plot = CF.plot(core, page, D, app);
    app.fullScreen = tools.fullScreen;
    app.composite = picture.composite;
    app.tell = tools.tell;

    // Everything a call into the core may have changed (nothing before the session opens).
    let opened = false;
    app.update = () => {
      if (!opened) return;
      if (fields.show()) app.arrange();
      const staticChanged = picture.showFrame();
      picture.showMark();
      plot.show();
      const paused = page.paused();
      const pauseMoved = paused !== shownPaused;
      if (pauseMoved) {
        shownPaused = paused;
        tools.update();
        resetClock(); // the time spent paused is not made up
      }
      if (staticChanged || pauseMoved || languageShown !== CF.language()) {
        languageShown = CF.language();
        picture.describe();
      }
    };

    // ---- The layout for the window as it is; again after a resize, a rotation, full screen.
    const coarse = window.matchMedia('(pointer: coarse)');
    const anyCoarse = window.matchMedia('(any-pointer: coarse)');
    let choice = null;
    app.arrange = () => {
      hint.hidden = !anyCoarse.matches;
      const vw = document.documentElement.clientWidth;
      const vh = window.innerHeight;
      // The caption's and the tools' height as the wide layout shows them at scale k on a page
      // width CSS pixels wide.
      const headerHeight = (k, width) => {
        document.body.dataset.layout = 'wide';
        document.body.style.setProperty('--k', String(k));
        pageEl.style.width = width ? Math.ceil(width) + 'px' : '';
        pageEl.style.marginLeft = '';
        const top = header.getBoundingClientRect().top;
        return Math.max(header.getBoundingClientRect().bottom, toolsEl.getBoundingClientRect().bottom) - top;
      };
      let hintHeight = 0;
      if (!hint.hidden) {
        hint.style.position = 'fixed';
        hint.style.width = Math.round(vw * 0.6) + 'px';
        hintHeight = hint.getBoundingClientRect().height;
      }
      // Without a choice remembered, the plot's panel is open on every screen but a phone's.
      if (!plot.decided()) plot.openByDefault(CF.chooseLayout(D, vw, vh, coarse.matches, headerHeight, hintHeight, false).mode);
      choice = CF.chooseLayout(D, vw, vh, coarse.matches, headerHeight, hintHeight, plot.isOpen());
      document.body.dataset.layout = choice.mode;
      document.body.style.setProperty('--k', String(choice.k));
      document.body.style.setProperty('--margin', choice.margin + 'px');
      pageEl.style.width = choice.mode === 'side' ? choice.width + 'px' : Math.ceil(choice.width) + 'px';
      pageEl.style.marginLeft = choice.mode === 'side' ? choice.offset + 'px' : '';
      hint.style.position = '';
      hint.style.width = '';
      D.arrange(choice);
      picture.measure();
      plot.measure();
    };
    // The plot's tool was chosen: the panel opens or folds, and the page is laid out again.
    app.plotToggled = () => {
      plot.toggled();
      tools.update();
      app.arrange();
      app.update();
    };
    let arrangeQueued = false;
    const arrangeSoon = () => {
      if (arrangeQueued) return;
      arrangeQueued = true;
      window.requestAnimationFrame(() => {
        arrangeQueued = false;
        app.arrange();
      });
    };
    window.addEventListener('resize', arrangeSoon);
    window.addEventListener('orientationchange', arrangeSoon);
    document.addEventListener('fullscreenchange', arrangeSoon);
    for (const q of [coarse, anyCoarse]) if (q.addEventListener) q.addEventListener('change', arrangeSoon);
    for (const f of D.fields) CF.focusOnTap(f.el);

    // ---- The words of the page's language.
    // remember: chosen on the page (an address's choice holds for the visit only).
    app.setLanguage = (language, remember) => {
      CF.setLanguage(language, remember);
      document.documentElement.lang = CF.language();
      const caption = CF.tr('Dialog', layout.main.caption);
      document.title = caption;
      document.getElementById('caption').textContent = caption;
      hint.textContent = CF.tr('Dialog', CF.words.touchHint);
      D.setLanguage(CF.language());
      fields.applyLanguage();
      tools.applyLanguage();
      picture.applyLanguage();
      plot.applyLanguage();
      status.lang = CF.language();
      showIgnored();
      app.arrange();
      app.update();
    };
    function showIgnored() {
      const names = CF.link.ignored();
      tools.tell(names.length ? CF.trf('Dialog', CF.words.ignored, names.join(', ')) : '');
    }

    // ---- Open the session at the scale the picture is shown at, on the address's state.
    app.arrange();
    const r = D.picture.el.getBoundingClientRect();
    const seedAsked = CF.link.seed(core);
    const seed = seedAsked !== null ? seedAsked : Math.floor(performance.timeOrigin + performance.now()) % 4294967296;
    page.open(seed, core.Page.frameScaleFor(r.width * (window.devicePixelRatio || 1) / D.picture.c.w), CF.link.labels(core));
    page.setDisplaySize(r.width, r.height);
    opened = true;
    page.choose(CF.language() === 'en' ? core.Command.English : core.Command.Russian);
    // The exact theory as last chosen; the address may say otherwise.
    if (CF.theoryRemembered()) page.setExactTheory(true);
    CF.link.apply(core, page);
    app.setLanguage(page.language());
    document.body.classList.add('running');
    D.picture.el.focus({ preventScroll: true });

    // ---- The clock: one tick per interval of real time.
    const interval = layout.tickMilliseconds;
    const maxCatchUp = 3; // ticks per animation frame at most; the rest of a stall is dropped
    function frame(now) {
      picture.watchRatio();
      plot.watchRatio();
      if (!page.paused()) {
        if (last !== null) due += now - last;
        last = now;
        let n = Math.floor(due / interval);
        if (n > maxCatchUp) {
          n = maxCatchUp;
          due = 0;
        } else {
          due -= n * interval;
        }
        for (let i = 0; i < n; ++i) page.timerTicked();
      }
      app.update();
      window.requestAnimationFrame(frame);
    }
    document.addEventListener('visibilitychange', resetClock);
    window.requestAnimationFrame(frame);

    // ---- Installable and offline where the browser keeps service workers (http(s), never a
    // page opened from disk).
    if ('serviceWorker' in navigator && /^https?:$/.test(window.location.protocol)) {
      navigator.serviceWorker.register('sw.js').catch(() => {
        // Refused (an insecure host): the page works as it is, online.
      });
    }

    // ---- The hook for tests and measurements.
    function timed(fn) {
      const t0 = performance.now();
      fn();
      return performance.now() - t0;
    }
    const pictureW = D.picture.c.w;
    const pictureH = D.picture.c.h;
    function base64(bytes) {
      let binary = '';
      for (let i = 0; i < bytes.length; i += 0x8000)
        binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
      return btoa(binary);
    }
    // A mouse at a picture pixel's middle, in the display units the core takes.
    function mouseAt(x, y, mainButton) {
      const [w, h] = picture.displaySize();
      return { x: (x + 0.5) * w / pictureW, y: (y + 0.5) * h / pictureH, kind: core.PointerKind.Mouse, id: 1,
               mainButton: mainButton };
    }
    window.cornerflow = {
      ready: true,
      errors: errors,
      seed: seed,
      get scale() {
        return page.frameScale();
      },
      firstFrameMs: () => picture.firstFrameMs(),
      ticks: () => page.ticks(),
      tracers: () => page.tracerCount(),
      paused: () => page.paused(),
      pause: () => { page.setPaused(true); app.update(); },
      resume: () => { page.setPaused(false); app.update(); },
      language: () => CF.language(),
      // English words the page asked for and the translation table lacks.
      missingWords: () => CF.missingWords(),
      // n ticks now, each shown; returns the time of each in ms.
      step: (n) => {
        const times = [];
        for (let i = 0; i < n; ++i) times.push(timed(() => { page.stepOnce(); app.update(); }));
        return times;
      },
      // A mouse press at picture pixel (x0, y0), a move to each point, a release; returns the
      // time of each move in ms (the core's handling and the frame put on the canvases).
      drag: (x0, y0, points) => {
        page.pointerPressed(mouseAt(x0, y0, true));
        app.update();
        const times = points.map(([x, y]) => timed(() => { page.pointerMoved(mouseAt(x, y, true)); app.update(); }));
        page.pointerReleased(mouseAt(points.length ? points[points.length - 1][0] : x0, 0, true));
        app.update();
        picture.gestureEnded();
        return times;
      },
      pictureSize: () => [pictureW, pictureH],
      labels: () => ({ beta: page.betaLabel(), alpha: page.alphaLabel(), chi: page.chiLabel() }),
      // The picture as shown (its layers stacked by the browser): device size, scale and the
      // RGBA bytes in base64.
      frame: () => {
        app.update();
        const c = picture.composite();
        const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        return { width: c.width, height: c.height, scale: page.frameScale(), rgba: base64(data) };
      },
      // The core's whole frame composed now from the state as it stands (its own composition,
      // not the layers); the layers are composed again with it.
      composedFrame: () => {
        const f = page.frame();
        const out = { width: f.width, height: f.height, scale: f.scale, rgba: base64(f.rgba) };
        app.update();
        return out;
      },
      // The plot as shown (its canvas read back): device size, scale, how many plots the core
      // composed, and the RGBA bytes in base64; null while the panel is folded.
      plot: () => {
        app.update();
        if (!plot.isOpen()) return null;
        const c = plot.canvas;
        const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        return { width: c.width, height: c.height, scale: c.width / D.plot.size[0], count: page.plotCount(),
                 css: D.plot.size, rgba: base64(data) };
      },
      // How many plots the core composed (a tick composes none).
      plotCount: () => page.plotCount(),
      // The layout taken, and the picture's size in CSS and in device pixels.
      layout: () => ({ mode: choice.mode, k: choice.k, plot: choice.plot || null, display: picture.displaySize(),
                       device: picture.deviceSize() }),
      // The canvases' backing stores.
      canvases: () => {
        const out = {};
        for (const el of D.picture.el.querySelectorAll('canvas')) out[el.className.split(' ').pop()] = [el.width, el.height];
        if (plot.isOpen()) out.plot = [plot.canvas.width, plot.canvas.height];
        return out;
      },
      // Where a finger reads the flow, in CSS pixels of the picture.
      mark: () => page.mark(),
      link: () => CF.link.write(core, page),
      ignored: () => CF.link.ignored(),
      // The module's memory and the page's JavaScript heap, in bytes (null where unknown).
      memory: () => ({ wasm: core.HEAPU8.length,
                       js: performance.memory ? performance.memory.usedJSHeapSize : null }),
    };
  }

  if (typeof createCornerflowCore !== 'function') {
    status.textContent = CF.tr('Dialog', CF.words.noProgram);
    return;
  }
  createCornerflowCore().then(start).catch((err) => {
    errors.push(String(err));
    status.textContent = CF.trf('Dialog', CF.words.notStarted, String(err));
    status.hidden = false;
    throw err;
  });
})(window.Cornerflow = window.Cornerflow || {});
