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
    let startTexts = null; // the strip's values before any reading

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

    // The gas: chosen in one click from the drop-down; "other gas"'s two fields read as a pair
    // when either is left.
    const gas = controls.gas;
    gas.choice.addEventListener('change', () => {
      page.chooseGas(gas.choice.value);
      actions.update();
      if (gas.choice.value === 'other') gas.gamma.focus();
    });
    for (const el of [gas.gamma, gas.molarMass]) {
      el.addEventListener('blur', () => {
        page.chooseGasValues(gas.gamma.value, gas.molarMass.value);
        actions.update();
      });
    }
    gas.gamma.setAttribute('aria-describedby', 'role-input gas-note');
    gas.molarMass.setAttribute('aria-describedby', 'role-input gas-note');

    function showGas() {
      const code = page.gas();
      if (gas.choice.value !== code) gas.choice.value = code;
      gas.other.hidden = code !== 'other';
      const gamma = page.gasGammaText();
      const molarMass = page.gasMolarMassText();
      if (document.activeElement !== gas.gamma && gas.gamma.value !== gamma) gas.gamma.value = gamma;
      if (document.activeElement !== gas.molarMass && gas.molarMass.value !== molarMass) gas.molarMass.value = molarMass;
      const note = page.gasNote();
      if (gas.note.textContent !== note) gas.note.textContent = note;
    }

    function showNote(f) {
      f.noteText.textContent = page.fieldNoteText(f.id);
      f.noteSymbol.textContent = CF.tr('Field', f.symbol, true) + ': ';
    }

    let shownSerial = -1;
    // The texts and notes the core wrote since they were last shown. True when a note came or
    // went (the layout makes room for it).
    function show() {
      const serial = page.fieldsSerial();
      if (serial === shownSerial) return false;
      shownSerial = serial;
      showGas();
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
      // Dashes until a first reading: while every value still says what it said at the start.
      const strip = controls.readStrip;
      if (strip) {
        const shown = STRIP.map((key) => controls.fields.find((g) => g.key === key)).filter((f) => f);
        if (!startTexts) startTexts = shown.map((f) => f.el.value);
        const read = shown.some((f, i) => f.el.value !== startTexts[i]);
        const text = shown.map((f) => CF.tr('Field', f.symbol, true) + ' ' + (read ? f.el.value : '\u2014'))
          .join(' \u00b7 ');
        if (strip.textContent !== text) strip.textContent = text;
      }
      return notesMoved;
    }

    function applyLanguage() {
      for (const role of Object.keys(roleEls)) roleEls[role].textContent = CF.tr('Field', layout.roleWords[role]);
      for (const f of controls.fields) {
        f.el.setAttribute('aria-label', page.fieldName(f.id));
        if (f.noteEl) showNote(f);
      }
      for (const c of gas.captions) c.el.textContent = CF.tr('Dialog', c.words, true);
      const names = page.gasNames();
      gas.choice.setAttribute('aria-label', names.choice);
      gas.gamma.setAttribute('aria-label', names.gamma);
      gas.molarMass.setAttribute('aria-label', names.molarMass);
      const chosen = page.gas();
      gas.choice.textContent = '';
      for (const g of page.gasItems()) {
        const option = document.createElement('option');
        option.value = g.code;
        option.textContent = g.name;
        gas.choice.appendChild(option);
      }
      gas.choice.value = chosen;
      showGas();
    }

    return { show: show, applyLanguage: applyLanguage };
  };
})(window.Cornerflow = window.Cornerflow || {});
