// The page's tools, from the core's list (PageTools): their words, what choosing one does (the
// core's Choose, then what is left to the page: the plot's panel, saving or copying the picture,
// the link, full screen (js/share.js), the About box (js/about.js)), the language box, and the
// status line. What the user chooses here the core keeps for the next visit.
(function (CF) {
  'use strict';

  // One button for each of the core's tools, in the core's order, with the language box after
  // them. choose(command): what a button does.
  function makeButtons(core, page, bar, sharing, choose) {
    const tools = [];
    for (const item of page.pageTools()) {
      const b = document.createElement('button');
      b.type = 'button';
      b.id = item.name + '-button';
      b.className = 'tool';
      if (item.separatorBefore) b.classList.add('tool-group');
      if (item.checkable) b.setAttribute('aria-pressed', String(item.checked));
      if (item.command === core.Command.CopyPicture && !sharing.canCopy) b.hidden = true;
      if (item.command === core.Command.FullScreen && !sharing.canFullScreen) b.hidden = true;
      if (item.command === core.Command.Plot) b.setAttribute('aria-controls', 'plot-panel');
      CF.onActivate(b, () => choose(item.command));
      b.dataset.order = String(tools.length);
      bar.appendChild(b);
      tools.push({ item: item, el: b });
    }
    // The "more" button and the list it opens, of the tools a narrow row has no room for
    // (js/arrange.js moves them there); choosing one of them puts the list away.
    const more = document.createElement('button');
    more.type = 'button';
    more.id = 'more-button';
    more.className = 'tool more-tool';
    more.textContent = '\u22ef';
    more.hidden = true;
    more.setAttribute('aria-haspopup', 'true');
    more.setAttribute('aria-expanded', 'false');
    more.setAttribute('aria-controls', 'more-list');
    const list = document.createElement('div');
    list.id = 'more-list';
    list.className = 'more-list';
    list.hidden = true;
    const showList = (open) => {
      list.hidden = !open;
      more.setAttribute('aria-expanded', String(open));
    };
    CF.onActivate(more, () => {
      showList(list.hidden);
      const first = list.querySelector('.tool:not([hidden])');
      if (!list.hidden && first) first.focus({ preventScroll: true });
    });
    // (A tap is answered at pointerup, and makes no click.)
    for (const kind of ['click', 'pointerup']) list.addEventListener(kind, (e) => { if (e.target.closest('.tool')) showList(false); });
    list.addEventListener('keydown', (e) => {
      if (e.key !== 'Escape') return;
      showList(false);
      more.focus();
    });
    document.addEventListener('pointerdown', (e) => {
      if (!list.hidden && !list.contains(e.target) && e.target !== more) showList(false);
    });
    bar.appendChild(more);
    bar.appendChild(list);
    bar.appendChild(document.getElementById('language-label'));
    bar.appendChild(document.getElementById('language'));
    return tools;
  }

  // fieldIds: the fields' ids by key (for the link).
  CF.tools = function (core, page, layout, actions, fieldIds) {
    const bar = document.getElementById('tools');
    const status = document.getElementById('status');
    const languageSelect = document.getElementById('language');
    const languageLabel = document.getElementById('language-label');
    // Every language of the table, each by its own name.
    languageSelect.textContent = '';
    for (const row of CF.languageRows()) {
      const option = document.createElement('option');
      option.value = row.code;
      option.lang = row.tag;
      option.textContent = row.name;
      languageSelect.appendChild(option);
    }

    function tell(message) {
      status.lang = CF.languageTag();
      status.textContent = message;
      status.hidden = !message;
    }
    const sharing = CF.sharing(core, page, actions, tell, fieldIds);
    const about = CF.aboutBox(core, layout, page);
    const legend = CF.legendPanel(page, document.querySelector('.picture'), () => {
      if (page.pageTools().some((i) => i.command === core.Command.Legend && i.checked)) choose(core.Command.Legend);
    });

    function choose(command) {
      const action = page.choose(command);
      actions.update();
      update();
      const A = core.ShellAction;
      if (action === A.ShowPlot) actions.plotToggled();
      else if (action === A.ShowLegend) legend.show(page.pageTools().some((i) => i.command === core.Command.Legend && i.checked));
      else if (action === A.SavePicture) sharing.savePicture();
      else if (action === A.CopyPicture) sharing.copyPicture();
      else if (action === A.CopyLink) sharing.copyLink();
      else if (action === A.FullScreen) sharing.fullScreen();
      else if (action === A.ShowAbout) about.show();
      else if (action === A.Language) actions.setLanguage(page.language());
    }
    const tools = makeButtons(core, page, bar, sharing, choose);
    const more = document.getElementById('more-button');
    languageSelect.addEventListener('change', () => {
      const action = page.chooseLanguage(languageSelect.value);
      actions.update();
      update();
      if (action === core.ShellAction.Language) actions.setLanguage(page.language());
    });

    function applyLanguage() {
      for (const t of tools) t.el.textContent = t.item.translated ? CF.tr('Dialog', t.item.words) : t.item.words;
      const moreWords = CF.tr('Dialog', layout.moreToolsWords);
      more.setAttribute('aria-label', moreWords);
      more.title = moreWords;
      languageSelect.value = CF.language();
      languageLabel.textContent = CF.tr('Dialog', CF.words.language);
      about.applyLanguage();
      legend.applyLanguage();
      sharing.applyLanguage();
    }

    // The checkable tools (the pause, the exact theory, the plot) held down as the core says.
    function update() {
      const items = page.pageTools();
      for (const t of tools) {
        if (!t.item.checkable) continue;
        const now = items.find((i) => i.command === t.item.command);
        if (!now) continue;
        t.el.setAttribute('aria-pressed', String(now.checked));
        // The pause's words say what it does now.
        t.item = now;
        const words = now.translated ? CF.tr('Dialog', now.words) : now.words;
        if (t.el.textContent !== words) t.el.textContent = words;
      }
    }

    return { applyLanguage: applyLanguage, update: update, tell: tell, fullScreen: sharing.fullScreen,
             legendItems: legend.items, updateLegend: legend.update };
  };
})(window.Cornerflow = window.Cornerflow || {});
