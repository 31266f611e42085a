// The address: the state a link opens on, and the link to the state as it stands.
//   v1, t1, p1   the inputs' texts, given to the fields as typed
//   gas          the gas, by its code (as cornerflow --gas: air, n2, he, ...)
//   gamma, mu    another gas's ratio of specific heats and molar mass (g/mol), each in range
//   beta         the body angle in degrees (as cornerflow --beta)
//   lang         a language code: ru, en, de, es, zh
//   paused       1: the animation stands
//   seed, ticks  the tracers' random start, and ticks run at once
//   theory       1: the exact theory over the picture, 0: without it (else as remembered)
//   labels       0: the picture and the plot without their text (for comparing pictures)
// The core reads the pairs (dialog/start_state.h): every number must be in the program's own
// form (a point for the decimals, no group spaces); a parameter that is unknown, malformed or too
// long is left out and named in the status line. Nothing from the address is ever read as markup.
(function (CF) {
  'use strict';

  const INPUTS = ['v1', 't1', 'p1'];
  const params = new URLSearchParams(window.location.search);
  // The address's name=value pairs as they stand: the core reads them, in its one order.
  const pairs = Array.from(params.entries());
  let asked = null; // what the core read of them before the session opened
  const ignored = [];
  function ignore(names) {
    for (const name of names) if (!ignored.includes(name)) ignored.push(name);
  }
  function read(core) {
    if (asked === null) {
      asked = core.Page.readStartPairs(pairs);
      ignore(asked.ignored);
    }
    return asked;
  }

  CF.link = {
    // The random seed the address asks for, or null.
    seed: (core) => read(core).seed,
    // Whether the picture has its angle labels (labels=0: none).
    labels: (core) => read(core).labels !== false,

    // Puts the address's state into the opened session (the core's order and limits).
    apply: (core, page) => ignore(page.applyStartPairs(pairs)),

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
