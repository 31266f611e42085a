// The page round the core: builds the dialog's controls from the core's control table, forwards
// what the user does to the core, shows the texts and the frames the core makes, and runs the
// tick by real time. Every number shown comes from the core; this file computes none.
//
// Address parameters: seed=S (random seed), ticks=N (steps after start), paused=1 (no clock),
// lang=en or lang=ru (the page's language, over the one remembered), labels=0 (the picture
// without its angle labels).
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

  // ---- The page's language: Russian, the program's own, or English from the program's
  // translation file (window.cornerflowWords, made by the build from cornerflow_en.ts).
  const languageKey = 'cornerflow.language';
  const languages = ['ru', 'en'];
  const words = window.cornerflowWords || {};
  const missingWords = new Set(); // English asked for but not in the table: a fault of the page
  function rememberedLanguage() {
    try {
      return window.localStorage.getItem(languageKey);
    } catch (err) {
      return null; // storage refused (a private window, a strict browser)
    }
  }
  function rememberLanguage(value) {
    try {
      window.localStorage.setItem(languageKey, value);
    } catch (err) {
      // Not remembered: the choice still holds for this visit.
    }
  }
  let language = [params.get('lang'), rememberedLanguage()].find((l) => languages.includes(l)) || 'ru';

  // A text of the program (its Russian) in the page's language. optional: the text may stand
  // as it is in English (a symbol such as "V1").
  function tr(context, source, optional) {
    if (language === 'ru') return source;
    const table = Object.prototype.hasOwnProperty.call(words, context) ? words[context] : null;
    if (table && Object.prototype.hasOwnProperty.call(table, source)) return table[source];
    if (!optional) missingWords.add(context + ': ' + source);
    return source;
  }

  // The page's own words, in the program's Russian; tr gives their English.
  const PAUSE = 'Пауза';
  const STEP = 'Шаг';
  const RESET = 'Сбросить';
  const SAVE = 'Сохранить рисунок…';
  const COPY = 'Копировать рисунок';
  const LANGUAGE = 'Language / Язык';
  const NOT_SAVED = 'Рисунок не сохранён';
  const PAUSED = 'Пауза: анимация остановлена';

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
      open: core.cwrap('cf_open', 'number', ['number', 'number', 'number']),
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
      fieldName: core.cwrap('cf_field_name', 'number', ['number', 'number', 'number']),
      reset: core.cwrap('cf_reset', null, []),
      facts: core.cwrap('cf_facts', 'number', []),
    };
    const text = (ptr) => core.UTF8ToString(ptr);

    // Strings of any length go through the heap, not the stack.
    function heapString(value) {
      const size = core.lengthBytesUTF8(value) + 1;
      const ptr = core._malloc(size);
      if (ptr) core.stringToUTF8(value, ptr, size);
      return ptr;
    }
    function setInputText(id, value) {
      const ptr = heapString(value);
      if (!ptr) return;
      api.setInputText(id, ptr);
      core._free(ptr);
    }
    // A field's accessible name from its symbol and words in the page's language.
    function fieldName(f) {
      const symbol = heapString(tr('Field', f.symbol, true));
      const quantity = heapString(tr('Field', f.words));
      const name = symbol && quantity ? text(api.fieldName(f.id, symbol, quantity)) : '';
      core._free(symbol);
      core._free(quantity);
      return name;
    }

    const layout = JSON.parse(text(api.layout()));
    let paused = params.get('paused') === '1'; // the clock stands; the picture still follows the user
    const main = layout.main;

    // ---- The dialog's controls, from the table; the table's order is the tab order, and the
    // first control lies on top.
    const dialog = document.getElementById('dialog');
    dialog.style.width = main.w + 'px';
    dialog.style.height = main.h + 'px';
    dialog.style.font = dialogFont(main);
    const fields = []; // {id, key, source, symbol, words, el, version}
    const inputs = [];
    const labelImages = []; // {el, svg, svgEn}
    let canvas = null;
    let picture = null;
    main.controls.forEach((c, index) => {
      let el = null;
      if (c.kind === 'View') {
        el = document.createElement('canvas');
        el.className = 'picture';
        el.tabIndex = 0;
        el.setAttribute('role', 'img');
        el.setAttribute('aria-describedby', 'picture-state picture-labels');
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
          el.setAttribute('aria-describedby', 'role-' + c.source.toLowerCase());
          fields.push({ id: c.id, key: c.key, source: c.source, symbol: c.symbol, words: c.words,
                        el: el, version: -1 });
          if (c.source === 'Input') inputs.push({ id: c.id, el: el });
        }
      } else if (c.kind === 'LabelImage') {
        el = document.createElement('img');
        el.className = 'label-image';
        el.alt = '';
        el.draggable = false;
        labelImages.push({ el: el, svg: svgUri(c.svg), svgEn: c.svgEn ? svgUri(c.svgEn) : null });
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
    api.open(seed, scale, params.get('labels') === '0' ? 0 : 1);
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

    // The picture in words, for the live region: changed only when the words change, so a
    // screen reader speaks when the wall or the flow changes, not at every tick.
    const stateEl = document.getElementById('picture-state');
    function showState() {
      const facts = JSON.parse(text(api.facts()));
      const parts = [tr('Picture', layout.pictureWords[facts.flow] || layout.pictureWords.NoFan)
        .replace('%1', facts.turn).replace('%2', facts.span)];
      if (paused) parts.push(tr('Picture', PAUSED));
      const sentence = parts.join('; ');
      if (stateEl.textContent !== sentence) stateEl.textContent = sentence;
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
    let shownStateFor = '';
    function update() {
      showFields();
      showFrame();
      const key = shownFrame + ' ' + shownFields + ' ' + paused + ' ' + language;
      if (key !== shownStateFor) {
        shownStateFor = key;
        showState();
      }
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

    // ---- Keys on the picture: Left and Right turn the wall by a degree, Space pauses and
    // resumes, the period steps one tick.
    canvas.addEventListener('keydown', (e) => {
      if (e.altKey || e.ctrlKey || e.metaKey) return;
      if (!e.shiftKey && (e.key === 'ArrowRight' || e.key === 'ArrowLeft')) {
        e.preventDefault();
        api.turnWall(e.key === 'ArrowRight' ? +1 : -1);
        update();
      } else if (!e.shiftKey && e.key === ' ') {
        e.preventDefault(); // no scrolling of the page
        if (!e.repeat) setPaused(!paused);
      } else if (e.key === '.') {
        e.preventDefault();
        stepOnce();
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
    const aboutTitles = []; // {el, text}: the Russian title, translated with the page
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
        if (c.kind === 'TextCentred') aboutTitles.push({ el: el, text: c.text || '' });
      }
      el.dataset.controlId = c.id;
      place(el, c);
      aboutBody.appendChild(el);
    }
    aboutButton.addEventListener('click', () => {
      if (typeof about.showModal === 'function') about.showModal();
      else about.setAttribute('open', '');
    });

    // ---- The clock: one tick per interval of real time, drawn from animation frames, which
    // stop while the page is hidden.
    const interval = layout.tickMilliseconds;
    const maxCatchUp = 3; // ticks per animation frame at most; the rest of a stall is dropped
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

    // ---- Pause, step and reset. While paused, typing, pointing and dragging still recompute
    // and draw a frame; only the tracers stand.
    const pauseButton = document.getElementById('pause-button');
    const stepButton = document.getElementById('step-button');
    const resetButton = document.getElementById('reset-button');
    function setPaused(value) {
      if (value === paused) return;
      paused = value;
      if (!paused) resetClock(); // the time spent paused is not made up
      pauseButton.setAttribute('aria-pressed', paused ? 'true' : 'false');
      update();
    }
    // One tick now, whether the clock runs or not (running, it is one tick more).
    function stepOnce() {
      api.tick();
      update();
    }
    pauseButton.addEventListener('click', () => setPaused(!paused));
    stepButton.addEventListener('click', stepOnce);
    resetButton.addEventListener('click', () => {
      api.reset();
      update();
    });
    pauseButton.setAttribute('aria-pressed', paused ? 'true' : 'false');

    // ---- The picture as a PNG file at the frame's own size (device pixels), named by the wall.
    const saveButton = document.getElementById('save-button');
    const copyButton = document.getElementById('copy-button');
    function pictureFileName() {
      const beta = /-?[0-9]+/.exec(text(api.label(0)));
      return beta ? 'cornerflow-\u03B2' + beta[0] + '.png' : 'cornerflow.png';
    }
    function showProblem(message) {
      status.lang = language;
      status.textContent = message;
      status.hidden = !message;
    }
    saveButton.addEventListener('click', () => {
      update(); // the canvas holds the last frame
      const name = pictureFileName();
      canvas.toBlob((blob) => {
        if (!blob) {
          showProblem(tr('Dialog', NOT_SAVED));
          return;
        }
        showProblem('');
        const url = URL.createObjectURL(blob);
        const link = document.createElement('a');
        link.href = url;
        link.download = name;
        link.hidden = true;
        document.body.appendChild(link);
        link.click();
        link.remove();
        window.setTimeout(() => URL.revokeObjectURL(url), 60000);
      }, 'image/png');
    });
    // Copying an image needs the asynchronous clipboard with ClipboardItem (a secure page);
    // without it the button stays hidden.
    const canCopy = !!(navigator.clipboard && typeof navigator.clipboard.write === 'function'
                       && typeof window.ClipboardItem === 'function');
    if (canCopy) {
      copyButton.hidden = false;
      copyButton.addEventListener('click', () => {
        update();
        const png = new Promise((resolve, reject) => canvas.toBlob(
          (blob) => (blob ? resolve(blob) : reject(new Error('no image'))), 'image/png'));
        let item;
        try {
          item = new window.ClipboardItem({ 'image/png': png });
        } catch (err) {
          png.catch(() => {});
          return;
        }
        navigator.clipboard.write([item]).catch(() => {
          // Refused (no permission, the page not focused): the clipboard stays as it was.
        });
      });
    }

    // ---- The language: every word of the page, the fields' names and the label images.
    const languageSelect = document.getElementById('language');
    const roleEls = {
      Input: document.getElementById('role-input'),
      Upstream: document.getElementById('role-upstream'),
      Probe: document.getElementById('role-probe'),
    };
    function applyLanguage() {
      document.documentElement.lang = language;
      const caption = tr('Dialog', main.caption);
      document.title = caption;
      document.getElementById('caption').textContent = caption;
      pauseButton.textContent = tr('Dialog', PAUSE);
      stepButton.textContent = tr('Dialog', STEP);
      resetButton.textContent = tr('Dialog', RESET);
      saveButton.textContent = tr('Dialog', SAVE);
      copyButton.textContent = tr('Dialog', COPY);
      languageSelect.value = language;
      languageSelect.setAttribute('aria-label', tr('Dialog', LANGUAGE));
      languageSelect.title = tr('Dialog', LANGUAGE);
      for (const role of Object.keys(roleEls)) roleEls[role].textContent = tr('Field', layout.roleWords[role]);
      for (const f of fields) f.el.setAttribute('aria-label', fieldName(f));
      canvas.setAttribute('aria-label', tr('Picture', layout.pictureName));
      for (const image of labelImages) {
        const src = language === 'en' && image.svgEn ? image.svgEn : image.svg;
        if (image.el.src !== src) image.el.src = src;
      }
      for (const t of aboutTitles) {
        t.el.textContent = tr('About', t.text);
        t.el.lang = language;
      }
      shownStateFor = '';
      update();
    }
    languageSelect.addEventListener('change', () => {
      if (!languages.includes(languageSelect.value)) return;
      language = languageSelect.value;
      rememberLanguage(language);
      applyLanguage();
    });

    const startTicks = unsignedParam('ticks');
    for (let i = 0; startTicks !== null && i < startTicks; ++i) api.tick();
    applyLanguage();
    status.textContent = '';
    status.hidden = true;
    document.getElementById('page-tools').hidden = false;
    document.getElementById('tools').hidden = false;
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
      pause: () => setPaused(true),
      resume: () => setPaused(false),
      language: () => language,
      // English words the page asked for and the translation table lacks.
      missingWords: () => Array.from(missingWords),
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
