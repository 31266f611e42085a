// The address: the state a link opens on, and the link to the state as it stands.
//   v1, t1, p1   the inputs' texts, given to the fields as typed
//   gas          the gas, by its code (as cornerflow --gas: air, n2, he, ...)
//   gamma, mu    another gas's ratio of specific heats and molar mass (g/mol), each in range
//   beta         the body angle in degrees (as cornerflow --beta)
//   physics      model or exact: which flow everything follows (as cornerflow --physics)
//   lang         a language code: ru, en, de, es, zh
//   paused       1: the animation stands
//   seed, ticks  the tracers' random start, and ticks run at once
//   theory       1: the exact theory over the picture, 0: without it (else as remembered)
//   labels       0: the picture and the plot without their text (for comparing pictures)
// The core reads the pairs (dialog/start_state.h) by the command line's rules, and writes the
// link's pairs (dialog/start_link.h); a parameter that is unknown, malformed or too long is
// left out and its problem told in the status line, in the words the command line uses for
// the same value. Nothing from the address is ever read as markup.
(function (CF) {
  'use strict';

  const params = new URLSearchParams(window.location.search);
  // The address's name=value pairs as they stand: the core reads them, in its one order.
  const pairs = Array.from(params.entries());
  let asked = null; // what the core read of them before the session opened
  const problems = []; // {words, values: [name, value, expected]}, one per name
  function take(list) {
    for (const p of list) if (!problems.some((q) => q.values[0] === p.values[0])) problems.push(p);
  }
  function read(core) {
    if (asked === null) {
      asked = core.Page.readStartPairs(pairs);
      take(asked.problems);
    }
    return asked;
  }

  CF.link = {
    // The random seed the address asks for, or null.
    seed: (core) => read(core).seed,
    // Whether the picture has its angle labels (labels=0: none).
    labels: (core) => read(core).labels !== false,

    // Puts the address's state into the opened session (the core's order and limits).
    apply: (core, page) => take(page.applyStartPairs(pairs)),

    // The names of the parameters left out, and what is wrong with each in the page's words.
    ignored: () => problems.map((p) => p.values[0]),
    problems: () => problems.map((p) => CF.trf('Dialog', p.words, ...p.values)),

    // The address of the state as it stands, as the core writes its pairs.
    write: (core, page) => {
      const out = new URLSearchParams();
      for (const [name, value] of page.linkPairs(pairs)) out.set(name, value);
      const url = new URL(window.location.href);
      url.search = out.toString();
      url.hash = '';
      return url.href;
    },
  };
})(window.Cornerflow = window.Cornerflow || {});
