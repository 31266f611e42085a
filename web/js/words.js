// The page's language and the words it says before the program runs. Loaded first, so that the
// loading message and a failure to load are told in the page's language.
//
// Words are the program's Russian; the core translates them (its table of languages, made from
// res/translations/cornerflow_*.ts: CF.tr and CF.trf ask it once the program runs). Before that,
// window.cornerflowLanguages (made by the build from the same files: one row {code, name, tag,
// words} per language, Russian first) holds each language's words of this file only.
(function (CF) {
  'use strict';

  // Until the program runs; then the core's table (CF.attachCore), which lists every language
  // even where this list did not come.
  let rows = window.cornerflowLanguages || [{ code: 'ru', name: 'Русский', tag: 'ru', words: {} }];
  const rowOf = (code) => rows.find((r) => r.code === code);
  // Where the core keeps the language chosen last (dialog/kept_choices.h): read here only for
  // the loading message, before the core is there.
  const storageKey = 'cornerflow.language';
  const missing = new Set(); // a word asked for and not in the language's table: a fault of the page

  // The browser's storage for what the user chose, which the core reads and writes (each key
  // under "cornerflow."): null where nothing is kept or storage is refused (a private window, a
  // strict browser), in which case a choice holds for the visit only.
  CF.store = {
    get: (key) => {
      try {
        return window.localStorage.getItem(key);
      } catch (err) {
        return null;
      }
    },
    set: (key, value) => {
      try {
        window.localStorage.setItem(key, value);
      } catch (err) {
        // Not remembered.
      }
    },
  };

  const remembered = () => CF.store.get(storageKey);

  // Which language opens is the core's rule (CF.openingLanguage, once the program has loaded).
  // Until then, for the loading message only: the address's or the remembered code, else
  // Russian.
  const asked = new URLSearchParams(window.location.search).get('lang');
  let language = [asked, remembered()].find((l) => rowOf(l)) || rows[0].code;
  let table = rowOf(language).words;

  // Every language by code, its own name and its tag, as the language box lists them.
  CF.languageRows = () => rows;
  CF.language = () => language;
  // The row's lang attribute ("zh-Hans").
  CF.languageTag = () => rowOf(language).tag;
  CF.openingLanguage = (page) => page.openingLanguage(asked || '', Array.from(navigator.languages || []));
  CF.setLanguage = (value) => {
    if (!rowOf(value)) return;
    language = value;
    table = rowOf(value).words;
  };
  CF.missingWords = () => Array.from(missing);
  // The teacher's guide in the page's language where the site has one, else the English. The
  // site's build writes here the languages of its guides (every docs/teaching.LANG.md).
  const guides = ['ru', 'en'];
  CF.guide = () => 'teaching-' + (guides.includes(language) ? language : 'en') + '.html';

  // The program, once it runs: its words are the page's (CF.attachCore).
  let core = null;
  CF.attachCore = (c) => {
    core = c;
    rows = c.Page.languages().map((r) => ({
      code: r.code, name: r.name, tag: r.tag, words: (rowOf(r.code) || { words: {} }).words,
    }));
  };
  // A text of the program (its Russian) in the page's language. optional: the text may stand as
  // it is in another language (a symbol such as "V1").
  CF.tr = (context, source, optional) => {
    if (language === rows[0].code) return source;
    let words = null;
    if (core) {
      words = core.Page.translate(language, context, source);
    } else if (Object.prototype.hasOwnProperty.call(table, context)
               && Object.prototype.hasOwnProperty.call(table[context], source)) {
      words = table[context][source];
    }
    if (words !== null) return words;
    if (!optional) missing.add(context + ': ' + source);
    return source;
  };
  // The same with %1, %2, ... filled in by the core (as text: nothing in them is read as markup);
  // before it runs, only for the failure to start it.
  CF.trf = (context, source, ...args) => {
    const words = CF.tr(context, source);
    if (core) return core.Page.tr(language, context, source, args.map(String));
    return words.replace(/%([1-9])/g, (m, n) => (args[n - 1] !== undefined ? String(args[n - 1]) : m));
  };

  // The words of the program, in its Russian, by name: the core's table (Page.words(), every
  // word both shells show), taken in by CF.takeWords once the program runs. Only the words said
  // before it runs, or when it cannot, are the page's own.
  CF.words = {
    loading: 'Программа загружается…',
    noProgram: 'Программу не удалось загрузить: нет файла cornerflow-core.js.',
    notStarted: 'Программу не удалось запустить: %1',
  };
  // table: {name: {context, words}} from the core.
  CF.takeWords = (table) => {
    for (const name of Object.keys(table)) CF.words[name] = table[name].words;
  };

  // The manifest of the installed page, where a browser can install it (a page from disk
  // cannot even read it).
  if (/^https?:$/.test(window.location.protocol)) {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'cornerflow.webmanifest';
    document.head.appendChild(manifest);
  }

  // Until the program runs, the status line says it is loading, in the page's language.
  const status = document.getElementById('status');
  if (status) {
    status.lang = CF.languageTag();
    status.textContent = CF.tr('Dialog', CF.words.loading);
  }
  document.documentElement.lang = CF.languageTag();
})(window.Cornerflow = window.Cornerflow || {});
