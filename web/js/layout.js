// The dialog's controls, made from the core's control table, and where they stand on every
// screen. The table's order is the controls' order in the document, and so the tab order (the
// three inputs, the picture, the read-only fields in reading order); where they stand is set
// here for each layout:
//   dialog  laptops: the dialog's own arrangement at its own size;
//   wide    large screens and projectors: the dialog grows with the window, its four groups of
//           fields two by two beside the picture;
//   rows    narrow screens (phones held upright): the picture as wide as the screen, below it
//           the inputs, then the upstream, critical and at-the-pointer groups, one field per row
//           with its name and unit beside it, in one or two columns;
//   side    short wide screens (phones held sideways): the picture on the left at the screen's
//           full height, the same rows on the right, scrolling.
// In the rows, each field's name and unit are the rows of the group's label images level with
// the field, cut out with CSS (a window of the image shown as a background), so the page shows
// the same glyphs as the dialog, in both languages.
// The plot's panel (js/plot.js), when it is open, stands beside the picture where the screen has
// room for both (the dialog's groups then stay under the picture, as the table has them), under
// the dialog on a smaller laptop's screen, under the picture on a phone held upright, and after
// the fields beside the picture on a phone held sideways.
(function (CF) {
  'use strict';

  CF.svgUri = (svg) => 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);

  // The image's own size from its root element.
  function svgSize(svg) {
    const root = new DOMParser().parseFromString(svg, 'image/svg+xml').documentElement;
    return [Number(root.getAttribute('width')) || 0, Number(root.getAttribute('height')) || 0];
  }

  const px = (v) => v + 'px';
  function place(el, x, y, w, h) {
    el.style.left = px(x);
    el.style.top = px(y);
    if (w !== undefined) el.style.width = px(w);
    if (h !== undefined) el.style.height = px(h);
  }

  // Between the picture and the groups, the groups, and the picture and the plot, CSS pixels at
  // the dialog's scale.
  const GAP = 12;
  // Half the height of a label row's window, in the image's pixels: rows of a group lie at
  // least 24 pixels apart, and no glyph reaches further from its field's middle.
  const ROW_HALF = 13;
  // Rows on a touch screen: fields and boxes at least 44 CSS pixels tall.
  const ROWS = {
    pad: 8, // round the rows, inside the dialog's white
    fine: { row: 32, field: 28, font: 14, label: 1.1, note: 17 },
    coarse: { row: 50, field: 44, font: 16, label: 1.35, note: 22 },
  };
  // The plot beside the picture: at least this wide (the core's plot writes its legend in one
  // line) and at most as wide as the picture, in the dialog's pixels.
  const PLOT = { min: 480, max: 622 };
  // The plot's height on a phone, CSS pixels at least.
  const PLOT_MIN_HEIGHT = 220;

  CF.buildDialog = function (layout, dialogEl) {
    const main = layout.main;
    const D = { main: main, fields: [], images: {}, picture: null, mode: null };

    // ---- The controls, in the table's order.
    const labelControls = [];
    for (const c of main.controls) {
      if (c.kind === 'View') {
        const el = document.createElement('div');
        el.className = 'picture';
        el.tabIndex = 0;
        el.dataset.controlId = c.id;
        dialogEl.appendChild(el);
        D.picture = { c: c, el: el };
      } else if (c.kind === 'InputField' || c.kind === 'ReadOnlyField') {
        const el = document.createElement('input');
        el.type = 'text';
        el.className = 'field';
        el.maxLength = layout.fieldMaxLength;
        el.spellcheck = false;
        el.autocomplete = 'off';
        el.setAttribute('autocapitalize', 'off');
        el.readOnly = c.kind === 'ReadOnlyField';
        el.dataset.controlId = c.id;
        dialogEl.appendChild(el);
        if (c.key) {
          el.dataset.key = c.key;
          D.fields.push({ c: c, id: c.id, key: c.key, source: c.source, symbol: c.symbol, words: c.words,
                          el: el, version: -1, note: '' });
        }
      } else if (c.kind === 'LabelImage') {
        labelControls.push(c);
      }
    }

    // ---- The label images: whole beside the groups in the dialog's arrangement, cut into rows
    // beside each field otherwise. Neither is read out: each field has its own name.
    for (const c of labelControls) {
      const el = document.createElement('img');
      el.className = 'label-image';
      el.alt = '';
      el.draggable = false;
      const [w, h] = svgSize(c.svg);
      const image = { c: c, el: el, w: w, h: h, uri: CF.svgUri(c.svg), uriEn: c.svgEn ? CF.svgUri(c.svgEn) : null };
      D.images[c.image] = image;
      el.src = image.uri;
      dialogEl.appendChild(el);
    }
    for (const f of D.fields) {
      f.names = D.images[f.c.namesImage] || null;
      f.units = D.images[f.c.unitsImage] || null;
      f.nameCrop = document.createElement('span');
      f.unitCrop = document.createElement('span');
      for (const crop of [f.nameCrop, f.unitCrop]) {
        crop.className = 'label-row';
        crop.setAttribute('aria-hidden', 'true');
        dialogEl.appendChild(crop);
      }
    }
    // What a field's text was read as, when it is not in the program's own form: under the
    // field in the rows, in a strip under the group in the dialog's arrangement.
    for (const f of D.fields) {
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
    D.hint = document.getElementById('touch-hint');
    if (D.hint) dialogEl.appendChild(D.hint);

    // ---- The groups of the dialog's arrangement: each names image with its fields and units,
    // and the box they take in the table.
    const groupOf = {};
    for (const f of D.fields) {
      if (!f.names) continue;
      groupOf[f.c.namesImage] = groupOf[f.c.namesImage] || { names: f.names, units: f.units, fields: [] };
      groupOf[f.c.namesImage].fields.push(f);
    }
    D.groups = Object.keys(groupOf).map((k) => groupOf[k]);
    for (const g of D.groups) {
      const boxes = g.fields.map((f) => [f.c.x, f.c.y, f.c.w, f.c.h]);
      for (const image of [g.names, g.units]) if (image) boxes.push([image.c.x, image.c.y, image.w, image.h]);
      g.x = Math.min(...boxes.map((b) => b[0]));
      g.y = Math.min(...boxes.map((b) => b[1]));
      g.w = Math.max(...boxes.map((b) => b[0] + b[2])) - g.x;
      g.h = Math.max(...boxes.map((b) => b[1] + b[3])) - g.y;
      g.inputs = g.fields.filter((f) => f.source === 'Input');
    }
    // Wide: the groups two by two in the table's order (upstream, critical; probe, velocity).
    D.wideGrid = [];
    for (let i = 0; i < D.groups.length; i += 2) D.wideGrid.push(D.groups.slice(i, i + 2));

    // The rows' groups: the inputs first, then the computed fields by label image, then the
    // fields at the pointer.
    D.rowGroups = [D.fields.filter((f) => f.source === 'Input')];
    for (const g of D.groups) {
      const upstreamFields = g.fields.filter((f) => f.source === 'Upstream');
      if (upstreamFields.length) D.rowGroups.push(upstreamFields);
    }
    D.rowGroups.push(D.fields.filter((f) => f.source === 'Probe'));
    D.rowGroups = D.rowGroups.filter((g) => g.length > 0);
    D.fieldHeight = Math.min(...D.fields.map((f) => f.c.h));

    D.setLanguage = (language) => {
      for (const name of Object.keys(D.images)) {
        const image = D.images[name];
        const src = language === 'en' && image.uriEn ? image.uriEn : image.uri;
        if (image.el.src !== src) image.el.src = src;
      }
      for (const f of D.fields) {
        for (const [crop, image] of [[f.nameCrop, f.names], [f.unitCrop, f.units]]) {
          if (!image) continue;
          const src = language === 'en' && image.uriEn ? image.uriEn : image.uri;
          crop.style.backgroundImage = 'url("' + src + '")';
        }
      }
    };

    // ---- The arrangements.

    // The dialog's arrangement, its groups where the table puts them (wide: false) or two by two
    // beside the picture (wide: true), everything k times its size. Returns [width, height].
    function arrangeDialog(k, wide) {
      const pic = D.picture.c;
      const noteLine = Math.round(16 * k);
      const groupPlaces = new Map();
      let width;
      let height;
      const noteHeight = (g) => {
        const lines = g.inputs.filter((f) => f.note).length;
        return lines ? lines * noteLine + Math.round(4 * k) : 0;
      };
      if (!wide) {
        for (const g of D.groups) groupPlaces.set(g, [g.x * k, g.y * k]);
        place(D.picture.el, pic.x * k, pic.y * k, pic.w * k, pic.h * k);
        width = main.w * k;
        height = main.h * k;
        for (const g of D.groups) height = Math.max(height, (g.y + g.h) * k + noteHeight(g));
      } else {
        place(D.picture.el, 0, 0, pic.w * k, pic.h * k);
        const left = (pic.w + GAP) * k;
        const colW = [0, 0];
        for (const row of D.wideGrid) row.forEach((g, i) => { colW[i] = Math.max(colW[i], g.w); });
        let y = 0;
        for (const row of D.wideGrid) {
          let rowH = 0;
          row.forEach((g, i) => {
            groupPlaces.set(g, [left + (i === 0 ? 0 : (colW[0] + GAP) * k), y]);
            rowH = Math.max(rowH, g.h * k + noteHeight(g));
          });
          y += rowH + GAP * k;
        }
        width = left + (colW[0] + GAP + colW[1]) * k;
        height = Math.max(pic.h * k, y - GAP * k);
      }
      for (const g of D.groups) {
        const [gx, gy] = groupPlaces.get(g);
        const at = (x, y) => [gx + (x - g.x) * k, gy + (y - g.y) * k];
        for (const f of g.fields) {
          const [x, y] = at(f.c.x, f.c.y);
          place(f.el, x, y, f.c.w * k, f.c.h * k);
        }
        for (const image of [g.names, g.units]) {
          if (!image) continue;
          const [x, y] = at(image.c.x, image.c.y);
          place(image.el, x, y, image.w * k, image.h * k);
        }
        let y = gy + g.h * k + Math.round(4 * k);
        for (const f of g.inputs) {
          if (!f.note) continue;
          const [x] = at(f.names ? f.names.c.x : f.c.x, 0);
          place(f.noteEl, x, y, undefined, noteLine);
          f.noteEl.style.width = 'auto';
          y += noteLine;
        }
      }
      return [width, height];
    }

    // The rows: fields one per row with their label rows, the groups in one or two columns.
    // (left, top): where the rows start; width: the room they have. Returns the height they
    // take.
    function arrangeRows(top, left, width, m) {
      const column = 230;
      const cols = width >= 2 * column + GAP ? 2 : 1;
      const colW = (width - (cols - 1) * GAP) / cols;
      const nameW = Math.max(...D.fields.map((f) => (f.names ? f.names.w : 0))) * m.label;
      const unitW = Math.max(...D.fields.map((f) => (f.units ? f.units.w : 0))) * m.label;
      const cropH = 2 * ROW_HALF * m.label;
      let y = top;
      for (let i = 0; i < D.rowGroups.length; i += cols) {
        let rowBottom = y;
        D.rowGroups.slice(i, i + cols).forEach((group, c) => {
          const x = left + c * (colW + GAP);
          let gy = y;
          for (const f of group) {
            const fieldX = x + nameW + 6;
            const fieldW = Math.max(60, colW - nameW - unitW - 12);
            place(f.el, fieldX, gy + (m.row - m.field) / 2, fieldW, m.field);
            for (const [crop, image, cx] of [[f.nameCrop, f.names, x], [f.unitCrop, f.units, fieldX + fieldW + 6]]) {
              if (!image) continue;
              const middle = f.c.y + f.c.h / 2 - image.c.y;
              place(crop, cx, gy + (m.row - cropH) / 2, image.w * m.label, cropH);
              crop.style.backgroundSize = px(image.w * m.label) + ' ' + px(image.h * m.label);
              crop.style.backgroundPosition = '0 ' + px(-(middle - ROW_HALF) * m.label);
            }
            gy += m.row;
            if (f.noteEl && f.note) {
              place(f.noteEl, fieldX, gy - 2, fieldW + unitW, m.note);
              gy += m.note;
            }
          }
          rowBottom = Math.max(rowBottom, gy);
        });
        y = rowBottom + GAP;
      }
      return y - GAP - top;
    }

    // The plot's panel at (x, y), its canvas w x h CSS pixels (whole pixels, so that the canvas
    // shows the plot's device pixels as they are); returns the panel's height.
    function placePlot(x, y, w, h) {
      const plot = D.plot;
      w = Math.max(1, Math.floor(w));
      h = Math.max(1, Math.round(h));
      plot.size = [w, h];
      place(plot.el, Math.round(x), Math.round(y), w);
      plot.canvas.style.width = px(w);
      plot.canvas.style.height = px(h);
      return plot.el.offsetHeight;
    }

    // Lays the dialog out for a choice made by CF.chooseLayout: its size, and every control in it.
    D.arrange = (choice) => {
      D.mode = choice.mode;
      const rows = choice.mode === 'rows' || choice.mode === 'side';
      dialogEl.dataset.layout = choice.mode;
      for (const f of D.fields) {
        if (f.noteEl) {
          f.noteEl.hidden = !f.note;
          f.noteSymbol.hidden = rows;
        }
      }
      const hintShown = D.hint && !D.hint.hidden;
      const pictureEl = D.picture.el;
      pictureEl.style.position = '';
      if (D.plot) D.plot.size = null;
      if (!rows) {
        const k = choice.k;
        const beside = choice.plot === 'beside';
        // Beside the plot the groups stay under the picture, as the table has them.
        const [w, h] = arrangeDialog(k, choice.mode === 'wide' && !beside);
        let width = w;
        let height = h;
        if (hintShown) {
          place(D.hint, 0, h + 6, w);
          height += 6 + D.hint.offsetHeight;
        }
        if (beside) {
          const pic = D.picture.c;
          const x = (pic.x + pic.w + GAP) * k;
          const y = pic.y * k;
          const panelHeight = placePlot(x, y, choice.plotWidth * k, pic.h * k);
          width = Math.round(x) + D.plot.size[0];
          height = Math.max(height, Math.round(y) + panelHeight + ROWS.pad);
        } else if (choice.plot === 'under') {
          const pic = D.picture.c;
          height += placePlot(0, height + 8, w, w * pic.h / pic.w) + 8 + ROWS.pad;
        }
        dialogEl.style.width = px(width);
        dialogEl.style.height = px(height);
        return;
      }
      const m = choice.coarse ? ROWS.coarse : ROWS.fine;
      const pad = ROWS.pad;
      let top = pad;
      const width = choice.width - 2 * pad;
      const plotHeight = Math.max(PLOT_MIN_HEIGHT, Math.round(width * D.picture.c.h / D.picture.c.w));
      if (choice.mode === 'rows') {
        const picH = Math.round(width * D.picture.c.h / D.picture.c.w);
        place(pictureEl, pad, pad, width, picH);
        top += picH + 8;
        if (hintShown) {
          place(D.hint, pad, top, width);
          top += D.hint.offsetHeight + 8;
        }
        if (choice.plot) top += placePlot(pad, top, width, plotHeight) + 8;
      } else {
        // Beside the rows, standing still while they scroll.
        pictureEl.style.position = 'fixed';
        place(pictureEl, choice.margin, choice.margin, choice.pictureWidth, choice.pictureHeight);
        if (hintShown) {
          D.hint.style.position = 'fixed';
          place(D.hint, choice.margin, choice.margin + choice.pictureHeight + 4, choice.pictureWidth);
        }
      }
      if (choice.mode === 'rows' && D.hint) D.hint.style.position = '';
      let used = arrangeRows(top, pad, width, m);
      // Held sideways, after the fields, so that the inputs stay in sight with the picture.
      if (choice.mode === 'side' && choice.plot) used += GAP + placePlot(pad, top + used + GAP, width, plotHeight);
      dialogEl.style.width = px(choice.width);
      dialogEl.style.height = px(top + used + pad);
      dialogEl.style.fontSize = px(m.font);
    };

    return D;
  };

  // Which layout the page takes in a viewport of vw x vh CSS pixels, and at what size, with the
  // plot's panel open or not. The choice's plot says where the panel stands ('beside' the
  // picture, plotWidth dialog pixels wide at the dialog's scale; 'under' it; null: folded).
  //   headerHeight(k, width): the height of the caption and the tools above the dialog at scale
  //   k in the wide layout, the page width CSS pixels wide (all the window's width without it).
  CF.chooseLayout = function (D, vw, vh, coarse, headerHeight, hintHeight, plotOpen) {
    const margin = vw < 480 ? 8 : 12;
    const main = D.main;
    const pic = D.picture.c;
    // Large screens: the dialog kMax times its size at most, as large as the height holds with
    // the caption and the tools above it. Their height grows with k, and the tools may wrap into
    // more rows at the page's width (widthAt(k)), so it is measured at the k tried, a few times
    // at most; each time k only shrinks.
    const fitHeight = (dialogH, kMax, widthAt) => {
      const room = vh - 2 * margin - 8;
      let k = Math.min(kMax, room / (dialogH + headerHeight(1) + 8));
      for (let i = 0; i < 4; ++i) {
        const header = headerHeight(k, widthAt(k));
        if (k * (dialogH + 8) + header <= room + 0.5) break;
        k = Math.min(k, (room - header) / (dialogH + 8));
      }
      return k;
    };
    // With the plot: the picture and the plot side by side, the groups under the picture.
    if (plotOpen && vw >= 1600 && vh >= 720) {
      const room = vw - 2 * margin;
      const plotWidthAt = (k) => Math.min(PLOT.max, Math.floor(room / k - pic.x - pic.w - GAP));
      const k = fitHeight(main.h, room / (pic.x + pic.w + GAP + PLOT.min),
                          (k) => (pic.x + pic.w + GAP + plotWidthAt(k)) * k);
      const plotWidth = plotWidthAt(k);
      if (k >= 1.25 && (!coarse || D.fieldHeight * k >= 44))
        return { mode: 'wide', k: k, margin: margin, width: (pic.x + pic.w + GAP + plotWidth) * k, plot: 'beside',
                 plotWidth: plotWidth };
    }
    // Without it: the groups two by two beside the picture.
    if (!plotOpen && vw >= 1600 && vh >= 720) {
      let wideW = 0;
      let wideH = 0;
      const cols = [0, 0];
      for (const row of D.wideGrid) row.forEach((g, i) => { cols[i] = Math.max(cols[i], g.w); });
      wideW = pic.w + 12 + cols[0] + 12 + cols[1];
      for (const row of D.wideGrid) wideH += Math.max(...row.map((g) => g.h)) + 12;
      wideH = Math.max(pic.h, wideH - 12);
      const k = fitHeight(wideH, (vw - 2 * margin) / wideW, (k) => wideW * k);
      if (k >= 1.25 && (!coarse || D.fieldHeight * k >= 44))
        return { mode: 'wide', k: k, margin: margin, width: wideW * k };
    }
    // Laptops: the dialog as it is, where it fits and a mouse points; the plot beside the
    // picture where there is room, else under the dialog at the picture's size.
    if (!coarse && vw >= main.w + 2 * margin) {
      const room = vw - 2 * margin - pic.x - pic.w - GAP;
      if (plotOpen && room >= PLOT.min) {
        const plotWidth = Math.min(PLOT.max, Math.floor(room));
        return { mode: 'dialog', k: 1, margin: margin, width: pic.x + pic.w + GAP + plotWidth, plot: 'beside',
                 plotWidth: plotWidth };
      }
      return { mode: 'dialog', k: 1, margin: margin, width: main.w, plot: plotOpen ? 'under' : null };
    }
    // Phones held sideways: the picture at full height on the left, if the fields fit beside.
    const width = vw - 2 * margin;
    if (vw > vh) {
      const pictureHeight = Math.floor(vh - 2 * margin - (hintHeight ? hintHeight + 4 : 0));
      const pictureWidth = Math.floor(pictureHeight * pic.w / pic.h);
      const rest = vw - pictureWidth - 3 * margin;
      if (rest >= 200 && pictureHeight >= 150)
        return { mode: 'side', k: 1, margin: margin, coarse: coarse, width: rest,
                 pictureWidth: pictureWidth, pictureHeight: pictureHeight,
                 offset: pictureWidth + 2 * margin, plot: plotOpen ? 'under' : null };
    }
    return { mode: 'rows', k: 1, margin: margin, coarse: coarse, width: width, plot: plotOpen ? 'under' : null };
  };
})(window.Cornerflow = window.Cornerflow || {});
