// The page's start: the program (the core as WebAssembly) is made, the dialog's controls are
// built from its control table and laid out for the screen, the session opens on the state the
// address asks for, and the clock runs one tick per 50 ms of real time, drawn from animation
// frames (which stop while the page is hidden). Every number shown comes from the core; this
// page computes none.
//
// The parts share two objects: `controls`, the dialog's controls (js/controls.js), and
// `actions`, what one part asks of the page as a whole (show what the core changed, lay the
// page out again, tell the user, ...), filled in here.
(function (CF) {
  'use strict';

  const status = document.getElementById('status');
  const errors = [];
  window.addEventListener('error', (e) => errors.push(String(e.message || e)));
  window.addEventListener('unhandledrejection', (e) => errors.push(String(e.reason)));

  // Everything a call into the core may have changed, put on the page (nothing before the
  // session opens).
  function makeUpdate(page, parts) {
    let shownPaused = null;
    let shownPhysics = null;
    let languageShown = null;
    return () => {
      if (!parts.opened) return;
      if (parts.fields.show()) parts.actions.arrange();
      const staticChanged = parts.picture.showFrame();
      if (staticChanged) parts.picture.renderAhead();
      parts.picture.showMark();
      parts.plot.show();
      const paused = page.paused();
      const pauseMoved = paused !== shownPaused;
      if (pauseMoved) {
        shownPaused = paused;
        parts.tools.update();
        parts.clock.reset(); // the time spent paused is not made up
      }
      const physics = page.physicsShown();
      if (physics !== shownPhysics) { // the key E chooses it too
        shownPhysics = physics;
        parts.tools.update();
      }
      if (staticChanged) parts.tools.updateLegend(); // the lines the picture draws now
      if (staticChanged || pauseMoved || languageShown !== CF.language()) {
        languageShown = CF.language();
        parts.picture.describe();
      }
    };
  }

  // The words of the page's language.
  function makeSetLanguage(page, layout, parts) {
    const hint = document.getElementById('touch-hint');
    function showIgnored() {
      const problems = CF.link.problems();
      parts.tools.tell(problems.length ? CF.trf('Dialog', CF.words.ignored, problems.join('; ')) : '');
    }
    return (language) => {
      CF.setLanguage(language);
      document.documentElement.lang = CF.languageTag();
      const caption = CF.tr('Dialog', layout.main.caption);
      document.title = caption;
      document.getElementById('caption').textContent = caption;
      hint.textContent = CF.tr('Dialog', CF.words.touchHint);
      parts.controls.setLanguage(CF.language());
      parts.fields.applyLanguage();
      parts.tools.applyLanguage();
      parts.picture.applyLanguage();
      parts.plot.applyLanguage();
      status.lang = CF.languageTag();
      showIgnored();
      parts.actions.arrange();
      parts.actions.update();
    };
  }

  // The clock: one tick per interval of real time, at most a few per animation frame.
  function makeClock(page, layout, parts) {
    const interval = layout.tickMilliseconds;
    const maxCatchUp = 3; // ticks per animation frame at most; the rest of a stall is dropped
    let last = null;
    let due = 0;
    const reset = () => {
      last = null;
      due = 0;
    };
    function frame(now) {
      parts.picture.watchRatio();
      parts.plot.watchRatio();
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
      parts.actions.update();
      window.requestAnimationFrame(frame);
    }
    return {
      reset: reset,
      start: () => {
        document.addEventListener('visibilitychange', reset);
        window.requestAnimationFrame(frame);
      },
    };
  }

  // Opens the session at the scale the picture is shown at, on the address's state; returns the
  // random seed it opened with.
  function openSession(core, page, parts) {
    const picture = parts.controls.picture;
    const r = picture.el.getBoundingClientRect();
    const seedAsked = CF.link.seed(core);
    const seed = seedAsked !== null ? seedAsked : Math.floor(performance.timeOrigin + performance.now()) % 4294967296;
    page.open(seed, core.Page.frameScaleFor(r.width * (window.devicePixelRatio || 1) / picture.entry.w),
              CF.link.labels(core));
    page.setDisplaySize(r.width, r.height);
    parts.opened = true;
    // The core's rule: ?lang=, the one the user chose last, the browser's preferred, then
    // Russian; set, not chosen, so that an address's language holds for the visit only.
    page.setLanguage(CF.openingLanguage(page));
    // The address's state over what the user chose last time (the core's order).
    CF.link.apply(core, page);
    parts.plot.opened();
    return seed;
  }

  function start(core) {
    CF.attachCore(core);
    CF.takeWords(core.Page.words());
    const page = new core.Page();
    const layout = JSON.parse(core.Page.layout());
    const dialogEl = document.getElementById('dialog');
    const controls = CF.buildControls(layout, dialogEl);
    dialogEl.style.setProperty('--dialog-font', (layout.main.fontPoints * 96 / 72) + 'px');

    const actions = {};
    const parts = { controls: controls, actions: actions, opened: false };
    parts.fields = CF.fields(page, controls, layout, actions);
    parts.picture = CF.picture(core, page, controls, layout, actions);
    parts.tools = CF.tools(core, page, layout, actions, controls.fieldIds);
    parts.plot = CF.plot(core, page, controls, actions);
    parts.clock = makeClock(page, layout, parts);
    parts.arranger = CF.pageArranger(controls, parts.picture, parts.plot);
    actions.fullScreen = parts.tools.fullScreen;
    actions.composite = parts.picture.composite;
    actions.tell = parts.tools.tell;
    actions.update = makeUpdate(page, parts);
    actions.arrange = parts.arranger.arrange;
    actions.setLanguage = makeSetLanguage(page, layout, parts);
    // The plot's tool was chosen: the panel opens or folds, and the page is laid out again.
    actions.plotToggled = () => {
      parts.plot.toggled();
      parts.tools.update();
      actions.arrange();
      actions.update();
    };
    for (const f of controls.fields) CF.focusOnTap(f.el);

    actions.arrange();
    const seed = openSession(core, page, parts);
    actions.setLanguage(page.language());
    document.body.classList.add('running');
    controls.picture.el.focus({ preventScroll: true });
    parts.clock.start();

    // Installable and offline where the browser keeps service workers (http(s), never a page
    // opened from disk).
    if ('serviceWorker' in navigator && /^https?:$/.test(window.location.protocol)) {
      navigator.serviceWorker.register('sw.js').catch(() => {
        // Refused (an insecure host): the page works as it is, online.
      });
    }
    CF.installHook(core, page, parts, { errors: errors, seed: seed });
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
