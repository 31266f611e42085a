// The address: the state a link opens on, and the link to the state as it stands.
//   v1, t1, p1   the inputs' texts, given to the fields as typed
//   gas          the gas, by its code (as cornerflow --gas: air, n2, he, ...)
//   gamma, mu    another gas's ratio of specific heats and molar mass (g/mol), each in range
//   beta         the body angle in degrees (as cornerflow --beta)
//   lang         ru or en
//   paused       1: the animation stands
//   seed, ticks  the tracers' random start, and ticks run at once
//   theory       1: the exact theory over the picture, 0: without it (else as remembered)
//   labels       0: the picture and the plot without their text (for comparing pictures)
// Every number is read by the core's number reader and must be in the program's own form (a
// point for the decimals, no group spaces); a parameter that is unknown, malformed or too long
// is left out and named in the status line. Nothing from the address is ever read as markup.
(function (CF) {
  'use strict';

  // Longer values are not numbers a link carries.
  const MAX_TEXT = 64;
  // The most ticks a link runs at once (each takes about a millisecond at 5000 tracers).
  const MAX_TICKS = 10000;
  const INPUTS = ['v1', 't1', 'p1'];
  const KNOWN = new Set(INPUTS.concat(['gas', 'gamma', 'mu', 'beta', 'lang', 'paused', 'seed', 'ticks', 'theory', 'labels']));

  const params = new URLSearchParams(window.location.search);
  const ignored = [];
  function ignore(name) {
    const shown = name.length > 40 ? name.slice(0, 40) + '…' : name;
    if (!ignored.includes(shown)) ignored.push(shown);
  }
  for (const name of params.keys()) if (!KNOWN.has(name)) ignore(name);
  if (params.has('lang') && !CF.languages.includes(params.get('lang'))) ignore('lang');

  // A number from the address, or null (and the parameter named).
  function number(core, name, accept) {
    if (!params.has(name)) return null;
    const text = params.get(name);
    const r = text.length <= MAX_TEXT ? core.Page.readNumber(text) : null;
    if (!r || !r.ownForm || !accept(r.value)) {
      ignore(name);
      return null;
    }
    return r.value;
  }
  const whole = (lo, hi) => (v) => Number.isInteger(v) && v >= lo && v <= hi;

  CF.link = {
    // The random seed the address asks for, or null.
    seed: (core) => number(core, 'seed', whole(0, 4294967295)),
    // Whether the picture has its angle labels (labels=0: none).
    labels: (core) => number(core, 'labels', whole(0, 1)) !== 0,

    // Puts the address's state into the opened session. fieldIds: the fields' ids by key.
    apply: (core, page, fieldIds) => {
      // The gas first, so that the inputs are read once for it.
      if (params.has('gas')) {
        const code = params.get('gas');
        const listed = core.Page.gasList().some((g) => g.code === code && g.code !== 'other');
        if (!listed || !page.setGas(code)) ignore('gas');
      }
      const gamma = number(core, 'gamma', (v) => v > 1 && v <= 5 / 3);
      const mu = number(core, 'mu', (v) => v >= 1 && v <= 1000);
      if (gamma !== null || mu !== null) {
        page.setGasValues(gamma !== null ? params.get('gamma').trim() : String(page.gasGamma()),
                          mu !== null ? params.get('mu').trim() : String(page.gasMolarMass()));
      }
      let typed = false;
      for (const key of INPUTS) {
        if (number(core, key, () => true) === null) continue;
        page.setInputText(fieldIds[key], params.get(key).trim());
        typed = true;
      }
      if (typed) page.inputsLeft();
      const beta = number(core, 'beta', Number.isFinite);
      if (beta !== null) page.setBodyAngle(beta);
      const paused = number(core, 'paused', whole(0, 1));
      if (paused !== null) page.setPaused(paused === 1);
      const theory = number(core, 'theory', whole(0, 1));
      if (theory !== null) page.setExactTheory(theory === 1);
      const ticks = number(core, 'ticks', whole(0, MAX_TICKS));
      for (let i = 0; ticks !== null && i < ticks; ++i) page.stepOnce();
    },

    // The names of the parameters left out.
    ignored: () => ignored.slice(),

    // The address of the state as it stands: the inputs as read (a text in another form is
    // written as the value it was read as), the wall, the language, the pause, the exact
    // theory; the seed and ticks the page was opened with.
    write: (core, page, fieldIds) => {
      const out = new URLSearchParams();
      for (const key of INPUTS) {
        const id = fieldIds[key];
        out.set(key, page.fieldNote(id) || page.fieldText(id).trim());
      }
      if (page.gas() === 'other') {
        // The numbers in use, written so that they read back exactly.
        out.set('gamma', String(page.gasGamma()));
        out.set('mu', String(page.gasMolarMass()));
      } else if (page.gas() !== 'air') {
        out.set('gas', page.gas());
      }
      out.set('beta', core.Page.formatReadValue(page.bodyAngle()));
      out.set('lang', page.language());
      if (page.paused()) out.set('paused', '1');
      // Always written: a link opened elsewhere shows the theory as it stands here, whatever
      // that browser remembers.
      out.set('theory', page.exactTheory() ? '1' : '0');
      for (const key of ['seed', 'ticks', 'labels']) {
        if (params.has(key) && !ignored.includes(key)) out.set(key, params.get(key));
      }
      const url = new URL(window.location.href);
      url.search = out.toString();
      url.hash = '';
      return url.href;
    },
  };
})(window.Cornerflow = window.Cornerflow || {});
