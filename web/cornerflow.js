// The page round the core: builds the dialog's controls from the core's control table, forwards
// what the user does to the core, shows the texts and the frames the core makes, and runs the
// tick by real time. Every number shown comes from the core; this file computes none.
//
// Address parameters: seed=S (random seed), ticks=N (steps after start), paused=1 (no clock).
// window.cornerflow is the page's hook for its tests and measurements.
(function () {
  'use strict';

  const params = new URLSearchParams(window.location.search);
  const status = document.getElementById('status');
  const errors = [];
  window.addEventListener('error', (e) => errors.push(String(e.message || e)));
  window.addEventListener('unhandledrejection', (e) => errors.push(String(e.reason)));

  function unsignedParam(name) {
    const text = params.get(name);
    if (text === null || !/^[0-9]+$/.test(text)) return null;
    const value = Number(text);
    return Number.isSafeInteger(value) ? value : null;
  }

  function svgUri(svg) {
    return 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);
  }

  function place(el, c) {
    el.style.left = c.x + 'px';
    el.style.top = c.y + 'px';
    el.style.width = c.w + 'px';
    el.style.height = c.h + 'px';
  }

  function dialogFont(t) {
    const faces = t.fontFaces.split(',').map((f) => "'" + f.trim() + "'").join(', ');
    return (t.fontPoints * 96 / 72) + 'px ' + faces + ', sans-serif';
  }

  function start(core) {
    const api = {
      layout: core.cwrap('cf_layout_json', 'number', []),
      open: core.cwrap('cf_open', 'number', ['number', 'number']),
      fieldText: core.cwrap('cf_field_text', 'number', ['number']),
      fieldVersion: core.cwrap('cf_field_version', 'number', ['number']),
      setInputText: core.cwrap('cf_set_input_text', null, ['number', 'number']),
      inputsLeft: core.cwrap('cf_inputs_left', null, []),
      pointerMove: core.cwrap('cf_pointer_move', null, ['number', 'number', 'number']),
      pointerPress: core.cwrap('cf_pointer_press', null, ['number', 'number']),
      pointerRelease: core.cwrap('cf_pointer_release', null, []),
      turnWall: core.cwrap('cf_turn_wall', null, ['number']),
      tick: core.cwrap('cf_tick', null, []),
      ticks: core.cwrap('cf_ticks', 'number', []),
      fieldsSerial: core.cwrap('cf_fields_serial', 'number', []),
      frameSerial: core.cwrap('cf_frame_serial', 'number', []),
      tracerCount: core.cwrap('cf_tracer_count', 'number', []),
      label: core.cwrap('cf_label', 'number', ['number']),
      frameWidth: core.cwrap('cf_frame_width', 'number', []),
      frameHeight: core.cwrap('cf_frame_height', 'number', []),
      frameScale: core.cwrap('cf_frame_scale', 'number', []),
      frameRgba: core.cwrap('cf_frame_rgba', 'number', []),
    };
    const text = (ptr) => core.UTF8ToString(ptr);

    // Strings of any length go through the heap, not the stack.
    function setInputText(id, value) {
      const size = core.lengthBytesUTF8(value) + 1;
      const ptr = core._malloc(size);
      if (!ptr) return;
      core.stringToUTF8(value, ptr, size);
      api.setInputText(id, ptr);
      core._free(ptr);
    }

    const layout = JSON.parse(text(api.layout()));
    const main = layout.main;
    document.title = main.caption;
    document.getElementById('caption').textContent = main.caption;

    // ---- The dialog's controls, from the table; the table's order is the tab order, and the
    // first control lies on top.
    const dialog = document.getElementById('dialog');
    dialog.style.width = main.w + 'px';
    dialog.style.height = main.h + 'px';
    dialog.style.font = dialogFont(main);
    const fields = []; // {id, key, source, el}
    const inputs = [];
    let canvas = null;
    let picture = null;
    main.controls.forEach((c, index) => {
      let el = null;
      if (c.kind === 'View') {
        el = document.createElement('canvas');
        el.className = 'picture';
        el.tabIndex = 0;
        el.setAttribute('role', 'img');
        el.setAttribute('aria-describedby', 'picture-labels');
        canvas = el;
        picture = c;
      } else if (c.kind === 'InputField' || c.kind === 'ReadOnlyField') {
        el = document.createElement('input');
        el.type = 'text';
        el.className = 'field';
        el.maxLength = layout.fieldMaxLength;
        el.spellcheck = false;
        el.autocomplete = 'off';
        el.readOnly = c.kind === 'ReadOnlyField';
        if (c.key) {
          el.dataset.key = c.key;
          el.setAttribute('aria-label', c.key);
          fields.push({ id: c.id, key: c.key, source: c.source, el: el, version: -1 });
          if (c.source === 'Input') inputs.push({ id: c.id, el: el });
        }
      } else if (c.kind === 'LabelImage') {
        el = document.createElement('img');
        el.className = 'label-image';
        el.alt = '';
        el.draggable = false;
        el.src = svgUri(c.svg);
        // At the image's own size, as a static image control shows it.
        el.style.left = c.x + 'px';
        el.style.top = c.y + 'px';
      }
      if (!el) return;
      if (c.kind !== 'LabelImage') place(el, c);
      el.dataset.controlId = c.id;
      el.style.zIndex = String(main.controls.length - index);
      dialog.appendChild(el);
    });

    // ---- The picture at the screen's resolution.
    const scale = Math.min(4, Math.max(1, Math.ceil(window.devicePixelRatio || 1)));
    const seedParam = unsignedParam('seed');
    const seed = seedParam !== null ? seedParam % 4294967296 : Math.floor(performance.timeOrigin + performance.now()) % 4294967296;
    api.open(seed, scale);
    canvas.width = api.frameWidth();
    canvas.height = api.frameHeight();
    const context = canvas.getContext('2d', { alpha: false });
    let shownFrame = -1;
    let firstFrameMs = null;

    function showFrame() {
      const serial = api.frameSerial();
      if (serial === shownFrame) return;
      const ptr = api.frameRgba();
      if (!ptr) return;
      const w = api.frameWidth();
      const h = api.frameHeight();
      if (canvas.width !== w || canvas.height !== h) {
        canvas.width = w;
        canvas.height = h;
      }
      const bytes = new Uint8ClampedArray(core.HEAPU8.buffer, ptr, w * h * 4);
      context.putImageData(new ImageData(bytes, w, h), 0, 0);
      shownFrame = serial;
      if (firstFrameMs === null) firstFrameMs = performance.now();
      showLabels();
    }

    const labelsEl = document.getElementById('picture-labels');
    function showLabels() {
      const beta = text(api.label(0));
      const alpha = text(api.label(1));
      const chi = text(api.label(2));
      labelsEl.dataset.beta = beta;
      labelsEl.dataset.alpha = alpha;
      labelsEl.dataset.chi = chi;
      labelsEl.textContent = [beta, alpha, chi].filter((s) => s !== '').join('; ');
    }

    let shownFields = -1;
    function showFields() {
      const serial = api.fieldsSerial();
      if (serial === shownFields) return;
      shownFields = serial;
      for (const f of fields) {
        const version = api.fieldVersion(f.id);
        if (version === f.version) continue;
        f.version = version;
        const t = text(api.fieldText(f.id));
        if (f.el.value !== t) f.el.value = t; // an equal value keeps the caret where it is
      }
    }

    // Everything a call into the core may have changed.
    function update() {
      showFields();
      showFrame();
    }

    // ---- The input fields: typing only keeps the text; leaving a field reads all three.
    for (const input of inputs) {
      input.el.addEventListener('input', () => setInputText(input.id, input.el.value));
      input.el.addEventListener('blur', () => {
        setInputText(input.id, input.el.value);
        api.inputsLeft();
        update();
      });
    }

    // ---- The pointer on the picture: every move probes; pressing and dragging turns the wall.
    // Points go to the core in picture units; the core picks the pixel.
    function picturePoint(e) {
      const r = canvas.getBoundingClientRect();
      const x = r.width > 0 ? (e.clientX - r.left) * picture.w / r.width : 0;
      const y = r.height > 0 ? (e.clientY - r.top) * picture.h / r.height : 0;
      return [x, y];
    }
    canvas.addEventListener('pointerdown', (e) => {
      if (e.button !== 0) return;
      e.preventDefault(); // no text selection, no emulated mouse events
      canvas.focus({ preventScroll: true });
      try { canvas.setPointerCapture(e.pointerId); } catch (err) { /* the pointer is gone */ }
      const [x, y] = picturePoint(e);
      api.pointerPress(x, y);
      update();
    });
    canvas.addEventListener('pointermove', (e) => {
      const [x, y] = picturePoint(e);
      api.pointerMove(x, y, (e.buttons & 1) ? 1 : 0);
      update();
    });
    const release = () => {
      api.pointerRelease();
      update();
    };
    canvas.addEventListener('pointerup', release);
    canvas.addEventListener('pointercancel', release);
    canvas.addEventListener('lostpointercapture', release);
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());

    // ---- Left and Right on the picture turn the wall by a degree.
    canvas.addEventListener('keydown', (e) => {
      if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;
      if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
        e.preventDefault();
        api.turnWall(e.key === 'ArrowRight' ? +1 : -1);
        update();
      }
    });

    // ---- The About box, from its own table.
    const aboutButton = document.getElementById('about-button');
    const about = document.getElementById('about');
    const aboutBody = document.getElementById('about-body');
    const aboutTable = layout.about;
    aboutButton.title = layout.aboutMenuItem.replace('&', '');
    aboutBody.style.width = aboutTable.w + 'px';
    aboutBody.style.height = aboutTable.h + 'px';
    aboutBody.style.font = dialogFont(aboutTable);
    about.setAttribute('aria-label', aboutTable.caption);
    const aboutCaption = document.createElement('h2');
    aboutCaption.className = 'about-caption';
    aboutCaption.textContent = aboutTable.caption;
    about.querySelector('form').insertBefore(aboutCaption, aboutBody);
    for (const c of aboutTable.controls) {
      let el;
      if (c.kind === 'DefaultButton') {
        el = document.createElement('button');
        el.value = 'ok';
        el.textContent = c.text;
        el.autofocus = true;
      } else if (c.kind === 'IconImage') {
        el = document.createElement('img');
        el.alt = '';
        el.src = svgUri(c.svg);
        const icon = document.querySelector('link[rel="icon"]');
        if (icon) {
          icon.type = 'image/svg+xml';
          icon.href = el.src;
        }
      } else {
        el = document.createElement('div');
        el.className = c.kind === 'TextCentred' ? 'text-centred' : 'text-left';
        el.textContent = c.text || '';
        if (c.kind === 'TextCentred') el.lang = 'ru';
      }
      el.dataset.controlId = c.id;
      place(el, c);
      aboutBody.appendChild(el);
    }
    aboutButton.hidden = false;
    aboutButton.addEventListener('click', () => {
      if (typeof about.showModal === 'function') about.showModal();
      else about.setAttribute('open', '');
    });

    // ---- The clock: one tick per interval of real time, drawn from animation frames, which
    // stop while the page is hidden.
    const interval = layout.tickMilliseconds;
    const maxCatchUp = 3; // ticks per animation frame at most; the rest of a stall is dropped
    let paused = params.get('paused') === '1';
    let last = null;
    let due = 0;
    function frame(now) {
      if (!paused) {
        if (last !== null) due += now - last;
        last = now;
        let n = Math.floor(due / interval);
        if (n > maxCatchUp) {
          n = maxCatchUp;
          due = 0;
        } else {
          due -= n * interval;
        }
        for (let i = 0; i < n; ++i) api.tick();
      }
      update();
      window.requestAnimationFrame(frame);
    }
    const resetClock = () => {
      last = null;
      due = 0;
    };
    document.addEventListener('visibilitychange', resetClock);

    const startTicks = unsignedParam('ticks');
    for (let i = 0; startTicks !== null && i < startTicks; ++i) api.tick();
    update();
    status.textContent = '';
    status.hidden = true;
    canvas.focus({ preventScroll: true });
    window.requestAnimationFrame(frame);

    // ---- The hook for tests and measurements.
    function timed(fn) {
      const t0 = performance.now();
      fn();
      return performance.now() - t0;
    }
    window.cornerflow = {
      ready: true,
      errors: errors,
      seed: seed,
      scale: scale,
      firstFrameMs: () => firstFrameMs,
      ticks: () => api.ticks(),
      tracers: () => api.tracerCount(),
      paused: () => paused,
      pause: () => { paused = true; },
      resume: () => { paused = false; resetClock(); },
      // n ticks now, each shown; returns the time of each in ms.
      step: (n) => {
        const times = [];
        for (let i = 0; i < n; ++i) times.push(timed(() => { api.tick(); update(); }));
        return times;
      },
      // A press at (x0, y0), then a move to each point, then a release; returns the time of each
      // move in ms (the core's handling and the frame put on the canvas).
      drag: (x0, y0, points) => {
        api.pointerPress(x0, y0);
        update();
        const times = points.map(([x, y]) => timed(() => { api.pointerMove(x, y, 1); update(); }));
        api.pointerRelease();
        update();
        return times;
      },
      pictureSize: () => [picture.w, picture.h],
      labels: () => ({ beta: text(api.label(0)), alpha: text(api.label(1)), chi: text(api.label(2)) }),
      // The core's last frame: device size, scale and the RGBA bytes in base64.
      frame: () => {
        const ptr = api.frameRgba();
        const w = api.frameWidth();
        const h = api.frameHeight();
        const bytes = core.HEAPU8.subarray(ptr, ptr + w * h * 4);
        let binary = '';
        for (let i = 0; i < bytes.length; i += 0x8000)
          binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        return { width: w, height: h, scale: api.frameScale(), rgba: btoa(binary) };
      },
    };
  }

  if (typeof createCornerflowCore !== 'function') {
    status.textContent = 'The program could not be loaded (cornerflow-core.js is missing).';
    return;
  }
  createCornerflowCore().then(start).catch((err) => {
    errors.push(String(err));
    status.textContent = 'The program could not be started: ' + err;
    throw err;
  });
})();
