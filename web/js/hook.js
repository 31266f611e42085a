// window.cornerflow: the page's hook for its tests and measurements (tests/web). It reads the
// page and the core and drives them as a user would, through the same calls; the page itself
// never uses it.
(function (CF) {
  'use strict';

  function timed(fn) {
    const t0 = performance.now();
    fn();
    return performance.now() - t0;
  }
  function base64(bytes) {
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
      binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(binary);
  }
  // A canvas's size and its RGBA bytes in base64.
  function canvasPixels(c) {
    const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    return { width: c.width, height: c.height, rgba: base64(data) };
  }

  // Ticks, pointers and the picture and the plot as shown.
  function drivingCalls(core, page, parts) {
    const picture = parts.picture;
    const update = parts.actions.update;
    const pictureW = parts.controls.picture.entry.w;
    const pictureH = parts.controls.picture.entry.h;
    // A mouse (or a finger, with touch) at a picture pixel's middle, in the display units the
    // core takes.
    function pointerAt(x, y, mainButton, touch) {
      const [w, h] = picture.displaySize();
      return { x: (x + 0.5) * w / pictureW, y: (y + 0.5) * h / pictureH,
               kind: touch ? core.PointerKind.Touch : core.PointerKind.Mouse, id: 1, mainButton: mainButton };
    }
    return {
      pause: () => { page.setPaused(true); update(); },
      resume: () => { page.setPaused(false); update(); },
      // n ticks now, each shown; returns the time of each in ms.
      step: (n) => {
        const times = [];
        for (let i = 0; i < n; ++i) times.push(timed(() => { page.stepOnce(); update(); }));
        return times;
      },
      // A mouse press at picture pixel (x0, y0), a move to each point, a release; returns the
      // time of each move in ms (the core's handling and the frame put on the canvases). A mouse
      // turns the wall wherever it is pressed; with touch, a finger does, where it takes hold of
      // the wall, and elsewhere it reads the flow under it.
      drag: (x0, y0, points, touch) => {
        page.pointerPressed(pointerAt(x0, y0, true, touch));
        update();
        const times = points.map(([x, y]) => timed(() => { page.pointerMoved(pointerAt(x, y, true, touch)); update(); }));
        page.pointerReleased(pointerAt(points.length ? points[points.length - 1][0] : x0, 0, true, touch));
        update();
        picture.gestureEnded();
        return times;
      },
      pictureSize: () => [pictureW, pictureH],
    };
  }

  // What the page shows: the picture as its layers stack, the core's own frame, the plot.
  function pictureCalls(core, page, parts) {
    const update = parts.actions.update;
    const plot = parts.plot;
    const panel = parts.controls.plotPanel;
    return {
      // The picture as shown (its layers stacked by the browser): device size, scale and the
      // RGBA bytes in base64.
      frame: () => {
        update();
        return Object.assign(canvasPixels(parts.picture.composite()), { scale: page.frameScale() });
      },
      // The core's whole frame composed now from the state as it stands (its own composition,
      // not the layers); the layers are composed again with it.
      composedFrame: () => {
        const f = page.frame();
        const out = { width: f.width, height: f.height, scale: f.scale, rgba: base64(f.rgba) };
        update();
        return out;
      },
      // The plot as shown (its canvas read back): device size, scale, how many plots the core
      // composed, and the RGBA bytes in base64; null while the panel is folded.
      plot: () => {
        update();
        if (!plot.isOpen()) return null;
        const c = plot.canvas;
        return Object.assign(canvasPixels(c), { scale: c.width / panel.size[0], count: page.plotCount(),
                                                css: panel.size });
      },
      // A copy of the core's last plot (not read from the canvas): {width, height, rgba} with
      // rgba in base64.
      composedPlot: () => {
        const p = page.plotComposed();
        return { width: p.deviceWidth, height: p.deviceHeight, rgba: base64(p.rgba) };
      },
      // How many plots the core composed (a tick composes none).
      plotCount: () => page.plotCount(),
      // The canvases' backing stores.
      canvases: () => {
        const out = {};
        for (const el of parts.controls.picture.el.querySelectorAll('canvas'))
          out[el.className.split(' ').pop()] = [el.width, el.height];
        if (plot.isOpen()) out.plot = [plot.canvas.width, plot.canvas.height];
        return out;
      },
    };
  }

  // info: { errors: the page's errors so far, seed: the random seed the session opened with }.
  CF.installHook = function (core, page, parts, info) {
    const picture = parts.picture;
    const readers = {
      ready: true,
      errors: info.errors,
      seed: info.seed,
      get scale() {
        return page.frameScale();
      },
      firstFrameMs: () => picture.firstFrameMs(),
      ticks: () => page.ticks(),
      tracers: () => page.tracerCount(),
      paused: () => page.paused(),
      language: () => CF.language(),
      // English words the page asked for and the translation table lacks.
      missingWords: () => CF.missingWords(),
      labels: () => ({ beta: page.betaLabel(), alpha: page.alphaLabel(), chi: page.chiLabel() }),
      // How many labels a drag from here may draw are still to be rendered ahead (0: none).
      labelsAhead: () => page.renderLabelsAhead(0),
      // How many texts the page rendered on its canvas so far.
      textsRendered: () => page.textsRendered(),
      // The layout taken, and the picture's size in CSS and in device pixels.
      layout: () => {
        const choice = parts.arranger.choice();
        return { mode: choice.mode, k: choice.k, plot: choice.plot || null, display: picture.displaySize(),
                 device: picture.deviceSize() };
      },
      // Where a finger reads the flow, in CSS pixels of the picture.
      mark: () => page.mark(),
      // The texts the session finished in its language, which the page shows as they are.
      finished: () => ({
        status: page.statusText(),
        slider: page.wallSliderText(),
        fieldNames: parts.controls.fields.map((f) => [f.key, page.fieldName(f.id)]),
        gases: page.gasItems().map((g) => g.name),
        gasName: page.gasNames().choice,
        about: page.about(),
      }),
      // The status line's text as shown, and the legend's items as texts.
      status: () => document.getElementById('flow-status').textContent,
      legend: () => parts.tools.legendItems(),
      link: () => CF.link.write(core, page, parts.controls.fieldIds),
      ignored: () => CF.link.ignored(),
      // The module's memory and the page's JavaScript heap, in bytes (null where unknown).
      memory: () => ({ wasm: core.HEAPU8.length,
                       js: performance.memory ? performance.memory.usedJSHeapSize : null }),
    };
    const hook = Object.assign(readers, drivingCalls(core, page, parts), pictureCalls(core, page, parts));
    window.cornerflow = hook;
  };
})(window.Cornerflow = window.Cornerflow || {});
