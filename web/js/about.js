// The About box: its table's arrangement where it fits, one column on a narrow screen or for
// fingers; the link to the teacher's guide; and every key of the picture. Its texts are the
// session's, finished in the page's language (page.about()).
(function (CF) {
  'use strict';

  // layout.about: the box's control table.
  CF.aboutBox = function (core, layout, page) {
    const about = document.getElementById('about');
    const aboutBody = document.getElementById('about-body');
    const aboutKeys = document.getElementById('about-keys');
    const aboutCaption = document.getElementById('about-caption');
    const table = layout.about;
    about.setAttribute('aria-labelledby', 'about-caption');
    aboutBody.style.setProperty('--about-w', table.w + 'px');
    aboutBody.style.setProperty('--about-h', table.h + 'px');
    const texts = []; // {el, id}: the controls that show a text of the session's
    for (const entry of table.controls) {
      let el;
      if (entry.kind === 'DefaultButton') {
        el = document.createElement('button');
        el.value = 'ok';
        el.className = 'about-ok';
        texts.push({ el: el, id: entry.id });
      } else if (entry.kind === 'IconImage') {
        el = document.createElement('img');
        el.alt = '';
        el.className = 'about-icon';
        el.src = CF.svgUri(entry.svg);
      } else {
        el = document.createElement('p');
        el.className = entry.kind === 'TextCentred' ? 'text-centred' : 'text-left';
        texts.push({ el: el, id: entry.id });
      }
      el.dataset.controlId = entry.id;
      el.style.left = entry.x + 'px';
      el.style.top = entry.y + 'px';
      el.style.width = entry.w + 'px';
      el.style.height = entry.h + 'px';
      aboutBody.appendChild(el);
    }

    function show() {
      // One column where the table does not fit, and for fingers, whose text is larger.
      about.classList.toggle('about-narrow', window.innerWidth < table.w + 40
                             || window.matchMedia('(pointer: coarse)').matches);
      if (typeof about.showModal === 'function') {
        if (!about.open) about.showModal();
      } else {
        about.setAttribute('open', '');
      }
    }

    function applyLanguage() {
      const words = page.about();
      aboutCaption.textContent = words.caption;
      for (const t of texts) t.el.textContent = words.texts[t.id] || '';
      while (aboutKeys.firstChild) aboutKeys.removeChild(aboutKeys.firstChild);
      // Which flow the picture follows: the model, or the exact theory when chosen.
      const physics = document.createElement('p');
      physics.id = 'about-physics';
      physics.textContent = words.physics;
      aboutKeys.appendChild(physics);
      // The teacher's guide, for a teacher who opened the box to learn what the program is for.
      const guide = document.createElement('p');
      const link = document.createElement('a');
      link.id = 'about-guide';
      link.href = CF.guide();
      link.textContent = words.guide;
      guide.appendChild(link);
      const title = document.createElement('h3');
      title.textContent = words.keysTitle;
      const list = document.createElement('dl');
      for (const k of core.Page.pictureKeys()) {
        const dt = document.createElement('dt');
        dt.textContent = CF.tr('Keys', k.keys);
        const dd = document.createElement('dd');
        dd.textContent = CF.tr('Keys', k.words);
        list.append(dt, dd);
      }
      aboutKeys.append(guide, title, list);
    }

    return { show: show, applyLanguage: applyLanguage };
  };
})(window.Cornerflow = window.Cornerflow || {});
