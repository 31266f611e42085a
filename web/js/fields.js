// The numeric fields: their texts and notes from the core, their names for a screen reader,
// and what typing and leaving an input field do (typing only keeps the text; leaving a field
// reads all three inputs, and everything follows).
(function (CF) {
  'use strict';

  // The read values the strip under an upright phone's picture shows.
  const STRIP = ['M', 'P', 'T', 'V'];

  CF.fields = function (page, controls, layout, actions) {
    const roleEls = {
      Input: document.getElementById('role-input'),
      Upstream: document.getElementById('role-upstream'),
      Probe: document.getElementById('role-probe'),
    };
    const inputs = controls.fields.filter((f) => f.source === 'Input');

    for (const f of controls.fields) {
      const described = ['role-' + f.source.toLowerCase()];
      if (f.noteText) described.push(f.noteText.id);
      f.el.setAttribute('aria-describedby', described.join(' '));
    }
    for (const f of inputs) {
      f.el.addEventListener('input', () => page.setInputText(f.id, f.el.value));
      f.el.addEventListener('blur', () => {
        page.setInputText(f.id, f.el.value);
        page.inputsLeft();
        actions.update();
      });
    }

    function showNote(f) {
      f.noteText.textContent = f.note ? CF.trf('Field', layout.readAsWords, f.note) : '';
      f.noteSymbol.textContent = CF.tr('Field', f.symbol, true) + ': ';
    }

    let shownSerial = -1;
    // The texts and notes the core wrote since they were last shown. True when a note came or
    // went (the layout makes room for it).
    function show() {
      const serial = page.fieldsSerial();
      if (serial === shownSerial) return false;
      shownSerial = serial;
      let notesMoved = false;
      for (const f of controls.fields) {
        const version = page.fieldVersion(f.id);
        if (version === f.version) continue;
        f.version = version;
        const text = page.fieldText(f.id);
        if (f.el.value !== text) f.el.value = text; // an equal value keeps the caret where it is
        if (f.noteEl) {
          const note = page.fieldNote(f.id);
          if (note !== f.note) {
            notesMoved = notesMoved || !note !== !f.note;
            f.note = note;
            showNote(f);
          }
        }
      }
      // The strip under an upright phone's picture: the values read there, as the fields say.
      const strip = controls.readStrip;
      if (strip) {
        const text = STRIP.map((key) => {
          const f = controls.fields.find((g) => g.key === key);
          return f ? CF.tr('Field', f.symbol, true) + ' ' + f.el.value : '';
        }).join(' \u00b7 ');
        if (strip.textContent !== text) strip.textContent = text;
      }
      return notesMoved;
    }

    function applyLanguage() {
      for (const role of Object.keys(roleEls)) roleEls[role].textContent = CF.tr('Field', layout.roleWords[role]);
      for (const f of controls.fields) {
        f.el.setAttribute('aria-label', page.fieldName(f.id, CF.tr('Field', f.symbol, true), CF.tr('Field', f.words)));
        if (f.noteEl) showNote(f);
      }
    }

    return { show: show, applyLanguage: applyLanguage };
  };
})(window.Cornerflow = window.Cornerflow || {});
