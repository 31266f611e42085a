// The page's tools, from the core's list (PageTools): their words, what choosing one does (the
// core's Choose, then what is left to the page: the plot's panel, saving or copying the
// picture, the link, full screen, the About box), the language box, and the About box with the
// picture's keys. The exact theory chosen here is remembered for the next visit.
//
// Buttons answer a finger when it is lifted, whatever other fingers do: while one finger rests on
// the picture the browser makes no click of a tap elsewhere.
(function (CF) {
  'use strict';

  // Calls fn when el is clicked (a mouse, the keyboard) or tapped (a finger, a pen).
  CF.onActivate = function (el, fn) {
    let down = null;
    let tappedAt = -Infinity;
    el.addEventListener('pointerdown', (e) => {
      if (e.pointerType !== 'mouse') down = e.pointerId;
    });
    el.addEventListener('pointercancel', () => {
      down = null;
    });
    el.addEventListener('pointerup', (e) => {
      if (e.pointerType === 'mouse' || e.pointerId !== down) return;
      down = null;
      const r = el.getBoundingClientRect();
      if (e.clientX < r.left || e.clientX > r.right || e.clientY < r.top || e.clientY > r.bottom) return;
      tappedAt = performance.now();
      if (el.disabled) return;
      e.preventDefault();
      fn();
    });
    el.addEventListener('click', (e) => {
      // The click a tap makes (when the browser makes one) was answered at pointerup.
      if ((e.pointerType === 'touch' || e.pointerType === 'pen') && performance.now() - tappedAt < 1500) return;
      fn();
    });
  };

  // Offers blob for download under a file name.
  CF.download = function (blob, name) {
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    link.hidden = true;
    document.body.appendChild(link);
    link.click();
    link.remove();
    window.setTimeout(() => URL.revokeObjectURL(url), 60000);
  };

  // An input field a finger taps gets the focus, whatever other fingers do.
  CF.focusOnTap = function (el) {
    let down = null;
    el.addEventListener('pointerdown', (e) => {
      if (e.pointerType !== 'mouse') down = e.pointerId;
    });
    el.addEventListener('pointerup', (e) => {
      if (e.pointerType !== 'mouse' && e.pointerId === down && document.activeElement !== el) el.focus();
      down = null;
    });
  };

  // Where the exact theory over the picture is remembered: '1' on, '0' off.
  const THEORY_KEY = 'cornerflow.theory';
  CF.theoryRemembered = () => CF.store.get(THEORY_KEY) === '1';

  CF.tools = function (core, page, layout, app) {
    const bar = document.getElementById('tools');
    const status = document.getElementById('status');
    const linkBox = document.getElementById('link-box');
    const linkText = document.getElementById('link-text');
    const linkLabel = document.getElementById('link-label');
    const languageSelect = document.getElementById('language');
    const W = CF.words;

    function tell(message) {
      status.lang = CF.language();
      status.textContent = message;
      status.hidden = !message;
    }

    // ---- The tools, in the core's order.
    const canCopy = !!(navigator.clipboard && typeof navigator.clipboard.write === 'function'
                       && typeof window.ClipboardItem === 'function');
    const canFullScreen = typeof document.documentElement.requestFullscreen === 'function';
    const tools = [];
    for (const item of page.pageTools()) {
      const b = document.createElement('button');
      b.type = 'button';
      b.id = item.name + '-button';
      b.className = 'tool';
      if (item.separatorBefore) b.classList.add('tool-group');
      if (item.checkable) b.setAttribute('aria-pressed', String(item.checked));
      if (item.command === core.Command.CopyPicture && !canCopy) b.hidden = true;
      if (item.command === core.Command.FullScreen && !canFullScreen) b.hidden = true;
      if (item.command === core.Command.Plot) b.setAttribute('aria-controls', 'plot-panel');
      CF.onActivate(b, () => choose(item.command));
      bar.appendChild(b);
      tools.push({ item: item, el: b });
    }
    const languageLabel = document.getElementById('language-label');
    bar.appendChild(languageLabel);
    bar.appendChild(languageSelect);
    languageSelect.addEventListener('change', () => {
      choose(languageSelect.value === 'en' ? core.Command.English : core.Command.Russian);
    });

    function choose(command) {
      const action = page.choose(command);
      app.update();
      update();
      // The exact theory is remembered for the next visit, as the language is.
      if (command === core.Command.ExactTheory) CF.store.set(THEORY_KEY, page.exactTheory() ? '1' : '0');
      if (action === core.ShellAction.ShowPlot) app.plotToggled();
      else if (action === core.ShellAction.SavePicture) savePicture();
      else if (action === core.ShellAction.CopyPicture) copyPicture();
      else if (action === core.ShellAction.CopyLink) copyLink();
      else if (action === core.ShellAction.FullScreen) fullScreen();
      else if (action === core.ShellAction.ShowAbout) showAbout();
      else if (action === core.ShellAction.Language) app.setLanguage(page.language(), true);
    }

    // ---- The picture as a PNG at the frame's own size (device pixels), as it is shown.
    function pictureBlob(done) {
      app.update();
      app.composite().toBlob(done, 'image/png');
    }
    function savePicture() {
      const name = page.pictureFileName();
      pictureBlob((blob) => {
        if (!blob) {
          tell(CF.tr('Dialog', W.notSaved));
          return;
        }
        tell('');
        CF.download(blob, name);
      });
    }
    function copyPicture() {
      if (!canCopy) return;
      const png = new Promise((resolve, reject) => pictureBlob(
        (blob) => (blob ? resolve(blob) : reject(new Error('no image')))));
      let item;
      try {
        item = new window.ClipboardItem({ 'image/png': png });
      } catch (err) {
        png.catch(() => {});
        tell(CF.tr('Dialog', W.notCopied));
        return;
      }
      navigator.clipboard.write([item]).then(() => tell(''), () => tell(CF.tr('Dialog', W.notCopied)));
    }

    // ---- The link to the state as it stands: on the clipboard where the browser allows it,
    // otherwise shown to be copied by hand.
    function showLink(url) {
      linkLabel.textContent = CF.tr('Dialog', W.linkByHand);
      linkText.value = url;
      linkBox.hidden = false;
      app.arrange();
      linkText.focus();
      linkText.select();
    }
    function copyLink() {
      const url = CF.link.write(core, page);
      linkBox.hidden = true;
      if (navigator.clipboard && typeof navigator.clipboard.writeText === 'function') {
        navigator.clipboard.writeText(url).then(() => tell(CF.tr('Dialog', W.linkCopied)), () => showLink(url));
      } else {
        showLink(url);
      }
    }

    // ---- Full screen: the whole page, which then lays itself out for the screen's size.
    function fullScreen() {
      if (document.fullscreenElement) {
        if (document.exitFullscreen) document.exitFullscreen().catch(() => {});
        return;
      }
      const root = document.documentElement;
      if (typeof root.requestFullscreen !== 'function') {
        tell(CF.tr('Dialog', W.noFullScreen));
        return;
      }
      let request;
      try {
        request = root.requestFullscreen();
      } catch (err) {
        tell(CF.tr('Dialog', W.noFullScreen));
        return;
      }
      if (request && request.catch) request.catch(() => tell(CF.tr('Dialog', W.noFullScreen)));
    }

    // ---- The About box: its table's arrangement where it fits, one column on a narrow
    // screen; and every key of the picture.
    const about = document.getElementById('about');
    const aboutBody = document.getElementById('about-body');
    const aboutKeys = document.getElementById('about-keys');
    const aboutTable = layout.about;
    const aboutCaption = document.getElementById('about-caption');
    about.setAttribute('aria-labelledby', 'about-caption');
    aboutBody.style.setProperty('--about-w', aboutTable.w + 'px');
    aboutBody.style.setProperty('--about-h', aboutTable.h + 'px');
    const ABOUT_WORDS = { 1102: W.aboutVersion, 1103: W.aboutModel, 1104: W.aboutShell, 1105: W.aboutCopyright };
    const aboutTexts = []; // {el, source, version}
    for (const c of aboutTable.controls) {
      let el;
      if (c.kind === 'DefaultButton') {
        el = document.createElement('button');
        el.value = 'ok';
        el.className = 'about-ok';
        el.textContent = c.text;
      } else if (c.kind === 'IconImage') {
        el = document.createElement('img');
        el.alt = '';
        el.className = 'about-icon';
        el.src = CF.svgUri(c.svg);
      } else {
        el = document.createElement('p');
        el.className = c.kind === 'TextCentred' ? 'text-centred' : 'text-left';
        aboutTexts.push({ el: el, source: ABOUT_WORDS[c.id] || c.text || '' });
      }
      el.dataset.controlId = c.id;
      el.style.left = c.x + 'px';
      el.style.top = c.y + 'px';
      el.style.width = c.w + 'px';
      el.style.height = c.h + 'px';
      aboutBody.appendChild(el);
    }
    function showAbout() {
      // One column where the table does not fit, and for fingers, whose text is larger.
      about.classList.toggle('about-narrow', window.innerWidth < aboutTable.w + 40
                             || window.matchMedia('(pointer: coarse)').matches);
      if (typeof about.showModal === 'function') {
        if (!about.open) about.showModal();
      } else {
        about.setAttribute('open', '');
      }
    }

    function applyLanguage() {
      for (const t of tools) t.el.textContent = t.item.translated ? CF.tr('Dialog', t.item.words) : t.item.words;
      languageSelect.value = CF.language();
      languageLabel.textContent = CF.tr('Dialog', W.language);
      aboutCaption.textContent = CF.tr('About', W.aboutCaption);
      for (const t of aboutTexts) t.el.textContent = CF.trf('About', t.source, layout.version);
      while (aboutKeys.firstChild) aboutKeys.removeChild(aboutKeys.firstChild);
      const title = document.createElement('h3');
      title.textContent = CF.tr('About', W.keysTitle);
      const list = document.createElement('dl');
      for (const k of core.Page.pictureKeys()) {
        const dt = document.createElement('dt');
        dt.textContent = CF.tr('Keys', k.keys);
        const dd = document.createElement('dd');
        dd.textContent = CF.tr('Keys', k.words);
        list.append(dt, dd);
      }
      aboutKeys.append(title, list);
      if (!linkBox.hidden) linkLabel.textContent = CF.tr('Dialog', W.linkByHand);
    }

    // The checkable tools (the pause, the exact theory, the plot) held down as the core says.
    function update() {
      const items = page.pageTools();
      for (const t of tools) {
        if (!t.item.checkable) continue;
        const now = items.find((i) => i.command === t.item.command);
        if (now) t.el.setAttribute('aria-pressed', String(now.checked));
      }
    }

    return { applyLanguage: applyLanguage, update: update, tell: tell, fullScreen: fullScreen, choose: choose };
  };
})(window.Cornerflow = window.Cornerflow || {});
