// The page's language and its own words. Loaded first, before the program, so that the loading
// message and a failure to load are told in the page's language.
//
// Words are the program's Russian; English comes from the program's translation file
// (window.cornerflowWords, made by the build from res/translations/cornerflow_en.ts).
(function (CF) {
  'use strict';

  const languages = ['ru', 'en'];
  const storageKey = 'cornerflow.language';
  const table = window.cornerflowWords || {};
  const missing = new Set(); // English asked for but not in the table: a fault of the page

  // What the browser remembers for the page (the language, the plot, the exact theory): null
  // where nothing is remembered or storage is refused (a private window, a strict browser), in
  // which case a choice holds for the visit only.
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

  // The address's choice, then the one remembered, then Russian, the program's own.
  const asked = new URLSearchParams(window.location.search).get('lang');
  let language = [asked, remembered()].find((l) => languages.includes(l)) || 'ru';

  CF.languages = languages;
  CF.language = () => language;
  CF.setLanguage = (value, remember) => {
    if (!languages.includes(value)) return;
    language = value;
    if (remember) CF.store.set(storageKey, value);
  };
  CF.missingWords = () => Array.from(missing);

  // A text of the program (its Russian) in the page's language. optional: the text may stand as
  // it is in English (a symbol such as "V1").
  CF.tr = (context, source, optional) => {
    if (language === 'ru') return source;
    const words = Object.prototype.hasOwnProperty.call(table, context) ? table[context] : null;
    if (words && Object.prototype.hasOwnProperty.call(words, source)) return words[source];
    if (!optional) missing.add(context + ': ' + source);
    return source;
  };
  // The same with %1, %2, ... put in (as text: nothing in them is read as markup).
  CF.trf = (context, source, ...args) =>
    CF.tr(context, source).replace(/%([1-9])/g, (m, n) => (args[n - 1] !== undefined ? String(args[n - 1]) : m));

  // The page's own words, in the program's Russian, by their context in the translation file.
  CF.words = {
    // Dialog
    loading: 'Программа загружается…',
    noProgram: 'Программу не удалось загрузить: нет файла cornerflow-core.js.',
    notStarted: 'Программу не удалось запустить: %1',
    language: 'Language / Язык',
    notSaved: 'Рисунок не сохранён',
    notCopied: 'Рисунок не скопирован: браузер не разрешил',
    linkCopied: 'Ссылка скопирована',
    linkByHand: 'Ссылка на это состояние (скопируйте её):',
    ignored: 'В адресе не учтено: %1',
    noFullScreen: 'Браузер не разрешил показать страницу во весь экран',
    legend: 'Обозначения',
    touchHint: 'Коснитесь рисунка — поля покажут поток в этой точке. Стенку поворачивают, ведя её пальцем.',
    // Picture
    paused: 'Пауза: анимация остановлена',
    labels: 'Надписи на рисунке: %1.',
    // About
    aboutCaption: 'О программе Cornerflow',
    aboutVersion: 'Cornerflow, версия %1',
    aboutModel: 'Веер разрежения сверхзвукового потока у выпуклого угла',
    aboutShell: 'Скомпилирована в WebAssembly и работает в браузере. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.',
    aboutCopyright: '© Разработчики Cornerflow',
    keysTitle: 'Клавиши на рисунке',
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
    status.lang = language;
    status.textContent = CF.tr('Dialog', CF.words.loading);
  }
  document.documentElement.lang = language;
})(window.Cornerflow = window.Cornerflow || {});
