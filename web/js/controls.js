// The dialog's controls, made from the core's control table, in the table's order: the three
// inputs, the picture, the read-only fields in reading order (the document's order, and so the
// tab order). js/arrange.js places them for the screen.
//
// What CF.buildControls returns, shared by the page's parts as `controls`:
//   table      the dialog's control table (its size, its caption)
//   picture    { entry: the picture's table entry, el: its box }
//   fields     every numeric field: { entry, id, key, source, symbol, words, el, version, note,
//              names, units (the label images beside it), nameCrop, unitCrop (their rows cut
//              out), and for an input noteEl, noteSymbol, noteText (what its text was read as) }
//   fieldIds   each field's id by its key (v1, t1, ...)
//   images     the label images by name: { entry, el, w, h, uri, uris: {code: uri} }
//   groups     each names image with its fields and units, and the box they take in the table
//   wideGrid   the groups two by two (the wide layout's arrangement)
//   rowGroups  the fields' groups as rows show them: the inputs, the upstream groups, the probe
//   fieldHeight the least field height in the table
//   gas        the gas's row: { el (the row), choice (the drop-down), gamma, molarMass (the
//              fields of "other gas"), other (what shows for "other gas" only), captions
//              ({ el, words }), entry (the drop-down's table entry) }
//   hint       the touch hint, placed with the controls
//   plotPanel  the plot's panel (set by js/plot.js): { el, canvas, size in CSS pixels or null }
//   setLanguage(language)  the label images in that language
(function (CF) {
  'use strict';

  CF.svgUri = (svg) => 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);

  // The image's own size from its root element.
  function svgSize(svg) {
    const root = new DOMParser().parseFromString(svg, 'image/svg+xml').documentElement;
    return [Number(root.getAttribute('width')) || 0, Number(root.getAttribute('height')) || 0];
  }

  function makeField(entry, layout) {
    const el = document.createElement('input');
    el.type = 'text';
    el.className = 'field';
    el.maxLength = layout.fieldMaxLength;
    el.spellcheck = false;
    el.autocomplete = 'off';
    el.setAttribute('autocapitalize', 'off');
    el.readOnly = entry.kind === 'ReadOnlyField';
    el.dataset.controlId = entry.id;
    if (entry.key) el.dataset.key = entry.key;
    return el;
  }

  function makePicture(entry) {
    const el = document.createElement('div');
    el.className = 'picture';
    el.tabIndex = 0;
    el.dataset.controlId = entry.id;
    return el;
  }

  // The label images: whole beside the groups in the dialog's arrangement, cut into rows
  // beside each field otherwise. Neither is read out: each field has its own name.
  function makeLabelImages(controls, entries, dialogEl) {
    for (const entry of entries) {
      const el = document.createElement('img');
      el.className = 'label-image';
      el.alt = '';
      el.draggable = false;
      const [w, h] = svgSize(entry.svg);
      // The label in each language whose drawing differs from the Russian one, by code.
      const uris = {};
      for (const [code, svg] of Object.entries(entry.svgs || {})) uris[code] = CF.svgUri(svg);
      const image = { entry: entry, el: el, w: w, h: h, uri: CF.svgUri(entry.svg), uris: uris };
      controls.images[entry.image] = image;
      el.src = image.uri;
      dialogEl.appendChild(el);
    }
    for (const f of controls.fields) {
      f.names = controls.images[f.entry.namesImage] || null;
      f.units = controls.images[f.entry.unitsImage] || null;
      f.nameCrop = document.createElement('span');
      f.unitCrop = document.createElement('span');
      for (const crop of [f.nameCrop, f.unitCrop]) {
        crop.className = 'label-row';
        crop.setAttribute('aria-hidden', 'true');
        dialogEl.appendChild(crop);
      }
    }
  }

  // What a field's text was read as, when it is not in the program's own form: under the field
  // in the rows, in a strip under the group in the dialog's arrangement.
  function makeNotes(controls, dialogEl) {
    for (const f of controls.fields) {
      if (f.source !== 'Input') continue;
      f.noteEl = document.createElement('p');
      f.noteEl.className = 'note';
      f.noteEl.hidden = true;
      f.noteSymbol = document.createElement('span');
      f.noteSymbol.className = 'note-symbol';
      f.noteSymbol.setAttribute('aria-hidden', 'true');
      f.noteText = document.createElement('span');
      f.noteText.id = 'note-' + f.id;
      f.noteEl.append(f.noteSymbol, f.noteText);
      dialogEl.appendChild(f.noteEl);
    }
  }

  // The groups of the dialog's arrangement, and the rows' groups.
  function groupFields(controls) {
    const groupOf = {};
    for (const f of controls.fields) {
      if (!f.names) continue;
      const name = f.entry.namesImage;
      groupOf[name] = groupOf[name] || { names: f.names, units: f.units, fields: [] };
      groupOf[name].fields.push(f);
    }
    controls.groups = Object.keys(groupOf).map((k) => groupOf[k]);
    for (const g of controls.groups) {
      const boxes = g.fields.map((f) => [f.entry.x, f.entry.y, f.entry.w, f.entry.h]);
      for (const image of [g.names, g.units]) if (image) boxes.push([image.entry.x, image.entry.y, image.w, image.h]);
      g.x = Math.min(...boxes.map((b) => b[0]));
      g.y = Math.min(...boxes.map((b) => b[1]));
      g.w = Math.max(...boxes.map((b) => b[0] + b[2])) - g.x;
      g.h = Math.max(...boxes.map((b) => b[1] + b[3])) - g.y;
      g.inputs = g.fields.filter((f) => f.source === 'Input');
    }
    // Wide: the groups two by two in the table's order (upstream, critical; probe, velocity).
    controls.wideGrid = [];
    for (let i = 0; i < controls.groups.length; i += 2) controls.wideGrid.push(controls.groups.slice(i, i + 2));

    // The rows' groups: the inputs first, then the computed fields by label image, then the
    // fields at the pointer.
    const rowGroups = [controls.fields.filter((f) => f.source === 'Input')];
    for (const g of controls.groups) {
      const upstreamFields = g.fields.filter((f) => f.source === 'Upstream');
      if (upstreamFields.length) rowGroups.push(upstreamFields);
    }
    rowGroups.push(controls.fields.filter((f) => f.source === 'Probe'));
    controls.rowGroups = rowGroups.filter((g) => g.length > 0);
    controls.fieldHeight = Math.min(...controls.fields.map((f) => f.entry.h));
  }

  function setLanguage(controls, language) {
    const srcOf = (image) => image.uris[language] || image.uri;
    for (const name of Object.keys(controls.images)) {
      const image = controls.images[name];
      const src = srcOf(image);
      if (image.el.src !== src) image.el.src = src;
    }
    for (const f of controls.fields) {
      for (const [crop, image] of [[f.nameCrop, f.names], [f.unitCrop, f.units]]) {
        if (image) crop.style.backgroundImage = 'url("' + srcOf(image) + '")';
      }
    }
  }

  // The gas's row, in the tab order after the three inputs: its caption and drop-down, then
  // gamma and the molar mass of "other gas" with their captions (the table's captions in its
  // order: the gas, gamma, the molar mass, its unit).
  function makeGasRow(layout, entry) {
    const el = document.createElement('div');
    el.className = 'gas-row';
    const captions = layout.main.controls.filter((c) => c.kind === 'TextLeft')
      .map((c) => { const span = document.createElement('span'); span.className = 'gas-caption'; return { el: span, words: c.text }; });
    const choice = document.createElement('select');
    choice.className = 'gas-choice';
    choice.id = 'gas-choice';
    choice.dataset.controlId = entry.id;
    const field = (id) => {
      const input = makeField({ id: id, kind: 'GasField' }, layout);
      input.classList.add('gas-field');
      return input;
    };
    const ids = layout.main.controls.filter((c) => c.kind === 'GasField').map((c) => c.id);
    const gamma = field(ids[0]);
    const molarMass = field(ids[1]);
    const other = document.createElement('span');
    other.className = 'gas-other';
    other.hidden = true;
    const rest = captions.slice(1).map((c) => c.el);
    other.append(rest[0], gamma, rest[1], molarMass, rest[2]);
    const note = document.createElement('span');
    note.className = 'gas-note';
    note.id = 'gas-note';
    el.append(captions[0].el, choice, other, note);
    return { el: el, choice: choice, gamma: gamma, molarMass: molarMass, other: other, note: note,
             captions: captions, entry: entry };
  }

  CF.buildControls = function (layout, dialogEl) {
    const controls = { table: layout.main, fields: [], fieldIds: {}, images: {}, picture: null, plotPanel: null };
    const labelEntries = [];
    for (const entry of layout.main.controls) {
      if (entry.kind === 'View') {
        controls.picture = { entry: entry, el: makePicture(entry) };
        dialogEl.appendChild(controls.picture.el);
      } else if (entry.kind === 'InputField' || entry.kind === 'ReadOnlyField') {
        const el = makeField(entry, layout);
        dialogEl.appendChild(el);
        if (entry.key) {
          controls.fields.push({ entry: entry, id: entry.id, key: entry.key, source: entry.source, symbol: entry.symbol,
                                 words: entry.words, el: el, version: -1, note: '' });
          controls.fieldIds[entry.key] = entry.id;
        }
      } else if (entry.kind === 'LabelImage') {
        labelEntries.push(entry);
      } else if (entry.kind === 'Choice') {
        controls.gas = makeGasRow(layout, entry);
        dialogEl.appendChild(controls.gas.el);
      }
    }
    makeLabelImages(controls, labelEntries, dialogEl);
    makeNotes(controls, dialogEl);
    controls.hint = document.getElementById('touch-hint');
    if (controls.hint) dialogEl.appendChild(controls.hint);
    // Held upright, the values a finger reads stand right under the picture (js/fields.js).
    controls.readStrip = document.createElement('p');
    controls.readStrip.id = 'read-strip';
    controls.readStrip.className = 'read-strip';
    controls.readStrip.setAttribute('aria-hidden', 'true'); // the fields say the same
    controls.readStrip.hidden = true;
    dialogEl.appendChild(controls.readStrip);
    groupFields(controls);
    controls.setLanguage = (language) => setLanguage(controls, language);
    return controls;
  };
})(window.Cornerflow = window.Cornerflow || {});
