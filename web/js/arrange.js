// Where the dialog's controls stand for a layout chosen by CF.chooseLayout (js/layout.js), and
// the page laid out for the window as it is: again after a resize, a rotation, full screen.
// In the rows, each field's name and unit are the rows of the group's label images level with
// the field, cut out with CSS (a window of the image shown as a background), so the page shows
// the same glyphs as the dialog, in every language.
(function (CF) {
  'use strict';

  const SIZES = CF.layoutSizes;
  const GAP = SIZES.gap;
  const ROWS = SIZES.rows;

  const px = (v) => v + 'px';
  function place(el, x, y, w, h) {
    el.style.left = px(x);
    el.style.top = px(y);
    if (w !== undefined) el.style.width = px(w);
    if (h !== undefined) el.style.height = px(h);
  }

  // Each group's fields, label images and notes, the group's top-left corner at (gx, gy),
  // everything k times its size.
  function placeGroup(g, gx, gy, k, noteLine) {
    const at = (x, y) => [gx + (x - g.x) * k, gy + (y - g.y) * k];
    for (const f of g.fields) {
      const [x, y] = at(f.entry.x, f.entry.y);
      place(f.el, x, y, f.entry.w * k, f.entry.h * k);
    }
    for (const image of [g.names, g.units]) {
      if (!image) continue;
      const [x, y] = at(image.entry.x, image.entry.y);
      place(image.el, x, y, image.w * k, image.h * k);
    }
    let y = gy + g.h * k + Math.round(4 * k);
    for (const f of g.inputs) {
      if (!f.note) continue;
      const [x] = at(f.names ? f.names.entry.x : f.entry.x, 0);
      place(f.noteEl, x, y, undefined, noteLine);
      f.noteEl.style.width = 'auto';
      y += noteLine;
    }
  }

  // The dialog's arrangement, its groups where the table puts them (wide: false) or two by two
  // beside the picture (wide: true), everything k times its size. The gas's row where the table
  // has it, or (gasApart) left for the caller to place, the dialog then ending under the groups;
  // beside the picture, under the group of the shorter column. Returns [width, height].
  function arrangeDialog(controls, k, wide, gasApart) {
    const pic = controls.picture.entry;
    const noteLine = Math.round(16 * k);
    const groupPlaces = new Map();
    const noteHeight = (g) => {
      const lines = g.inputs.filter((f) => f.note).length;
      return lines ? lines * noteLine + Math.round(4 * k) : 0;
    };
    const gas = controls.gas;
    gas.el.classList.remove('gas-narrow');
    let width;
    let height;
    if (!wide) {
      for (const g of controls.groups) groupPlaces.set(g, [g.x * k, g.y * k]);
      place(controls.picture.el, pic.x * k, pic.y * k, pic.w * k, pic.h * k);
      width = controls.table.w * k;
      const groupsBottom = Math.max(...controls.groups.map((g) => (g.y + g.h) * k + noteHeight(g)));
      height = gasApart ? Math.max((pic.y + pic.h) * k, groupsBottom + SIZES.rows.pad * k) : controls.table.h * k;
      for (const g of controls.groups) height = Math.max(height, (g.y + g.h) * k + noteHeight(g));
      for (const g of controls.groups) placeGroup(g, ...groupPlaces.get(g), k, noteLine);
      if (!gasApart) {
        // Its bottom at the table's, under the groups (and their notes) whatever its font.
        place(gas.el, k, 0, width - 2 * k);
        const top = Math.max(groupsBottom + 2 * k, height - gas.el.offsetHeight);
        place(gas.el, k, top);
        height = Math.max(height, top + gas.el.offsetHeight);
      }
      return [width, height];
    }
    place(controls.picture.el, 0, 0, pic.w * k, pic.h * k);
    const gap = CF.wideGap(k);
    const left = pic.w * k + gap;
    const colW = [0, 0];
    for (const row of controls.wideGrid) row.forEach((g, i) => { colW[i] = Math.max(colW[i], g.w); });
    const colX = [left, left + colW[0] * k + gap];
    const bottoms = [0, 0];
    let y = 0;
    for (const row of controls.wideGrid) {
      let rowH = 0;
      row.forEach((g, i) => {
        groupPlaces.set(g, [colX[i], y]);
        bottoms[i] = y + g.h * k + noteHeight(g);
        rowH = Math.max(rowH, g.h * k + noteHeight(g));
      });
      y += rowH + GAP * k;
    }
    width = colX[1] + colW[1] * k;
    height = Math.max(pic.h * k, y - GAP * k);
    for (const g of controls.groups) placeGroup(g, ...groupPlaces.get(g), k, noteLine);
    const c = bottoms[1] < bottoms[0] ? 1 : 0;
    const top = bottoms[c] + GAP * k;
    gas.el.classList.add('gas-narrow');
    place(gas.el, colX[c], top, c === 1 ? width - colX[1] : colW[0] * k);
    height = Math.max(height, top + gas.el.offsetHeight);
    return [width, height];
  }

  // One field's row at (x, y): the field, its name's and unit's rows of the label images, and
  // its note under it. Returns the height taken.
  function placeFieldRow(f, x, y, nameW, fieldW, unitW, m) {
    const cropH = 2 * SIZES.rowHalf * m.label;
    const fieldX = x + nameW + 6;
    place(f.el, fieldX, y + (m.row - m.field) / 2, fieldW, m.field);
    for (const [crop, image, cx] of [[f.nameCrop, f.names, x], [f.unitCrop, f.units, fieldX + fieldW + 6]]) {
      if (!image) continue;
      const middle = f.entry.y + f.entry.h / 2 - image.entry.y;
      place(crop, cx, y + (m.row - cropH) / 2, image.w * m.label, cropH);
      crop.style.backgroundSize = px(image.w * m.label) + ' ' + px(image.h * m.label);
      crop.style.backgroundPosition = '0 ' + px(-(middle - SIZES.rowHalf) * m.label);
    }
    if (!(f.noteEl && f.note)) return m.row;
    place(f.noteEl, fieldX, y + m.row - 2, fieldW + unitW, m.note);
    return m.row + m.note;
  }

  // The rows: fields one per row with their label rows, the groups in one or two columns.
  // (left, top): where the rows start; width: the room they have. Returns the height they take.
  function arrangeRows(controls, top, left, width, m) {
    const column = 230;
    const cols = width >= 2 * column + GAP ? 2 : 1;
    const colW = (width - (cols - 1) * GAP) / cols;
    const nameW = Math.max(...controls.fields.map((f) => (f.names ? f.names.w : 0))) * m.label;
    const unitW = Math.max(...controls.fields.map((f) => (f.units ? f.units.w : 0))) * m.label;
    const fieldW = Math.max(60, colW - nameW - unitW - 12);
    let y = top;
    for (let i = 0; i < controls.rowGroups.length; i += cols) {
      let rowBottom = y;
      controls.rowGroups.slice(i, i + cols).forEach((group, c) => {
        let gy = y;
        for (const f of group) gy += placeFieldRow(f, left + c * (colW + GAP), gy, nameW, fieldW, unitW, m);
        rowBottom = Math.max(rowBottom, gy);
      });
      y = rowBottom + GAP;
    }
    return y - GAP - top;
  }

  // The plot's panel at (x, y), its canvas w x h CSS pixels (whole pixels, so that the canvas
  // shows the plot's device pixels as they are); returns the panel's height.
  function placePlot(controls, x, y, w, h) {
    const panel = controls.plotPanel;
    w = Math.max(1, Math.floor(w));
    h = Math.max(1, Math.round(h));
    panel.size = [w, h];
    place(panel.el, Math.round(x), Math.round(y), w);
    panel.canvas.style.width = px(w);
    panel.canvas.style.height = px(h);
    return panel.el.offsetHeight;
  }

  // The dialog's arrangement, alone (wide: two by two, the status line under the picture) or
  // with the plot beside or under the picture; returns [width, height].
  function arrangeTable(controls, choice, hintShown) {
    const k = choice.k;
    const pic = controls.picture.entry;
    const beside = choice.plot === 'beside';
    const wide = choice.mode === 'wide' && !beside;
    // Beside the plot the groups stay under the picture, as the table has them, the gas's row
    // under the plot.
    const [w, h] = arrangeDialog(controls, k, wide, beside);
    let width = w;
    let height = h;
    if (hintShown) {
      place(controls.hint, 0, h + 6, w);
      height += 6 + controls.hint.offsetHeight;
    }
    // The status line under the dialog; in it under the plot where the plot stands beside the
    // picture (the room there is free, and the page keeps its height), or under the picture
    // where the groups stand beside it.
    const statusEl = document.getElementById('flow-status');
    const putStatusInside = (x, y, statusWidth) => {
      const dialogEl = document.getElementById('dialog');
      if (statusEl.parentElement !== dialogEl) dialogEl.appendChild(statusEl);
      statusEl.classList.add('flow-status-inside');
      place(statusEl, x, y, statusWidth);
      return y + statusEl.offsetHeight;
    };
    if (beside) {
      const x = (pic.x + pic.w + GAP) * k;
      const y = pic.y * k;
      // (As tall as the picture, less what a short window asks for: plotLess CSS pixels.)
      const panelHeight = placePlot(controls, x, y, choice.plotWidth * k, pic.h * k - (choice.plotLess || 0));
      width = Math.round(x) + controls.plotPanel.size[0];
      let below = Math.round(y) + panelHeight + 4;
      place(controls.gas.el, Math.round(x), below, controls.plotPanel.size[0]);
      below += controls.gas.el.offsetHeight + 4;
      height = Math.max(height, putStatusInside(Math.round(x), below, controls.plotPanel.size[0]) + ROWS.pad);
    } else if (choice.plot === 'under') {
      height += placePlot(controls, 0, height + 8, w, w * pic.h / pic.w) + 8 + ROWS.pad;
    } else if (wide && !hintShown) {
      height = Math.max(height, putStatusInside(0, pic.h * k + 4, pic.w * k) + 2);
    }
    if (!(beside || (wide && !hintShown))) putStatusAfterDialog(controls);
    return [width, height];
  }

  function putStatusAfterDialog(controls) {
    const statusEl = document.getElementById('flow-status');
    if (statusEl.parentElement === document.getElementById('dialog')) document.getElementById('dialog').after(statusEl);
    statusEl.classList.remove('flow-status-inside');
    statusEl.style.left = statusEl.style.top = statusEl.style.width = '';
  }

  // The rows under the picture (held upright) or beside it (sideways), with the hint and the
  // plot; returns [width, height].
  function arrangeRowsLayout(controls, choice, hintShown) {
    const pic = controls.picture.entry;
    const pictureEl = controls.picture.el;
    const hint = controls.hint;
    const m = choice.coarse ? ROWS.coarse : ROWS.fine;
    const pad = ROWS.pad;
    let top = pad;
    const width = choice.width - 2 * pad;
    // A plot narrower than kNarrowPlot CSS pixels keeps a band under its x axis's caption for
    // the cursor's values (plot/plot_layout.h: 36 text cells of 14 px); it is made that much
    // taller, so that its curves keep their height.
    const kNarrowPlot = 36 * 14;
    const kCursorBand = (14 + 2) * 6 + 2 * 3 + 2 * 3; // the angle and five quantities' rows
    const plotHeight = Math.max(SIZES.plotMinHeight, Math.round(width * pic.h / pic.w))
      + (width < kNarrowPlot ? kCursorBand : 0);
    if (choice.mode === 'rows') {
      const picH = Math.round(width * pic.h / pic.w);
      place(pictureEl, pad, pad, width, picH);
      top += picH + 8;
      controls.readStrip.hidden = false;
      place(controls.readStrip, pad, top, width);
      top += controls.readStrip.offsetHeight;
      // The status line under the strip, in the first screen with the picture.
      const statusEl = document.getElementById('flow-status');
      if (statusEl.parentElement !== controls.readStrip.parentElement) controls.readStrip.after(statusEl);
      statusEl.classList.add('flow-status-inside');
      place(statusEl, pad, top, width);
      top += statusEl.offsetHeight + 8;
      if (hint) hint.style.position = '';
      if (hintShown) {
        place(hint, pad, top, width);
        top += hint.offsetHeight + 8;
      }
      if (choice.plot) top += placePlot(controls, pad, top, width, plotHeight) + 8;
    } else {
      controls.readStrip.hidden = true;
      // Beside the rows, standing still while they scroll.
      pictureEl.style.position = 'fixed';
      place(pictureEl, choice.margin, choice.margin, choice.pictureWidth, choice.pictureHeight);
      if (hintShown) {
        hint.style.position = 'fixed';
        place(hint, choice.margin, choice.margin + choice.pictureHeight + 4, choice.pictureWidth);
      }
    }
    // The gas's row first, next to the inputs.
    place(controls.gas.el, pad, top, width);
    top += controls.gas.el.offsetHeight + GAP;
    if (choice.mode !== 'rows') putStatusAfterDialog(controls);
    let used = arrangeRows(controls, top, pad, width, m);
    // Held sideways, after the fields, so that the inputs stay in sight with the picture.
    if (choice.mode === 'side' && choice.plot)
      used += GAP + placePlot(controls, pad, top + used + GAP, width, plotHeight);
    return [choice.width, top + used + pad];
  }

  // Lays the dialog out for a choice: its size, and every control in it.
  function arrangeControls(controls, dialogEl, choice) {
    const rows = choice.mode === 'rows' || choice.mode === 'side';
    dialogEl.dataset.layout = choice.mode;
    for (const f of controls.fields) {
      if (f.noteEl) {
        f.noteEl.hidden = !f.note;
        f.noteSymbol.hidden = rows;
      }
    }
    const hintShown = controls.hint && !controls.hint.hidden;
    controls.picture.el.style.position = '';
    if (controls.plotPanel) controls.plotPanel.size = null;
    if (!rows) controls.readStrip.hidden = true;
    const [width, height] = rows ? arrangeRowsLayout(controls, choice, hintShown)
                                 : arrangeTable(controls, choice, hintShown);
    dialogEl.style.width = px(width);
    dialogEl.style.height = px(height);
    // The rows' own font size; the dialog's arrangement takes the style sheet's again.
    dialogEl.style.fontSize = rows ? px((choice.coarse ? ROWS.coarse : ROWS.fine).font) : '';
  }

  // The page as a whole: the layout for the window as it is, the tools where it shows them,
  // the dialog arranged, the picture and the plot measured. picture, plot: their parts
  // (js/picture.js, js/plot.js).
  CF.pageArranger = function (controls, picture, plot) {
    const pageEl = document.getElementById('page');
    const dialogEl = document.getElementById('dialog');
    const header = document.getElementById('header');
    const toolsEl = document.getElementById('tools');
    const linkBox = document.getElementById('link-box');
    const hint = document.getElementById('touch-hint');
    const statusEl = document.getElementById('flow-status');
    const coarse = window.matchMedia('(pointer: coarse)');
    const anyCoarse = window.matchMedia('(any-pointer: coarse)');
    let choice = null;

    // The window's width the page may take, CSS pixels: without a scroll bar, nor the room the
    // browser keeps for one (the page is at most 100vw wide, which leaves that room out).
    const vwProbe = document.createElement('div');
    vwProbe.style.cssText = 'position:absolute;left:0;top:0;width:100vw;height:0;visibility:hidden';
    vwProbe.setAttribute('aria-hidden', 'true');
    document.body.appendChild(vwProbe);
    const pageWidthRoom = () => Math.min(document.documentElement.clientWidth, vwProbe.getBoundingClientRect().width);

    // The tools (and the link's box) in the document where they are shown, before the dialog
    // or after it, so that Tab meets them where they stand; the focus stays where it was.
    function putTools(beforeDialog) {
      const before = (toolsEl.compareDocumentPosition(dialogEl) & Node.DOCUMENT_POSITION_FOLLOWING) !== 0;
      if (before === beforeDialog) return;
      const focused = toolsEl.contains(document.activeElement) || linkBox.contains(document.activeElement)
        ? document.activeElement : null;
      if (beforeDialog) dialogEl.before(toolsEl, linkBox);
      else dialogEl.after(toolsEl, linkBox);
      if (focused) focused.focus({ preventScroll: true });
    }

    // The caption's and the tools' height as the wide layout shows them at scale k on a page
    // width CSS pixels wide.
    function headerHeight(k, width) {
      document.body.dataset.layout = 'wide';
      setScale(k);
      putTools(true);
      pageEl.style.width = width ? Math.ceil(width) + 'px' : '';
      pageEl.style.marginLeft = '';
      // Two rows' room for the tools at least, so that a language whose words fit in one row
      // shows the picture where and as large as one whose words take two: choosing a language
      // moves nothing.
      // The tallest tool's height makes a row; a little more than two rows, so that no
      // language's two rows of words exceed it.
      toolsEl.style.minHeight = '';
      const row = Math.max(0, ...Array.from(toolsEl.children, (c) => c.getBoundingClientRect().height));
      if (row > 0) toolsEl.style.minHeight = Math.ceil(2 * row + 6 + 4) + 'px';
      // From the page's top: the caption stands in the middle of the tools' rows.
      const top = pageEl.getBoundingClientRect().top;
      return Math.max(header.getBoundingClientRect().bottom, toolsEl.getBoundingClientRect().bottom) - top + 6;
    }

    // The status line's room: two lines and its margin (the same for any words, so that the
    // scale does not follow them), CSS pixels.
    function statusRoom() {
      return 2 * (parseFloat(getComputedStyle(statusEl).lineHeight) || 20) + 4;
    }

    // Held upright, the tools in one row: those that do not fit the row's width go, from the
    // last, into the list the "more" button opens; elsewhere every tool stands in the row.
    const moreButton = document.getElementById('more-button');
    const moreList = document.getElementById('more-list');
    function fitTools(oneRow) {
      if (!moreButton) return;
      const tools = Array.from(document.querySelectorAll('#tools .tool:not(.more-tool), #more-list .tool'))
        .sort((a, b) => Number(a.dataset.order) - Number(b.dataset.order));
      const focused = moreList.contains(document.activeElement) ? document.activeElement : null;
      for (const t of tools) moreButton.before(t);
      moreList.hidden = true;
      moreButton.setAttribute('aria-expanded', 'false');
      moreButton.hidden = !oneRow;
      if (oneRow) {
        const room = toolsEl.clientWidth;
        const gap = parseFloat(getComputedStyle(toolsEl).columnGap) || 0;
        const widthOf = (e) => (e.hidden || !e.getClientRects().length ? 0 : e.getBoundingClientRect().width + gap);
        const shown = Array.from(toolsEl.children).filter((e) => e !== moreButton && !tools.includes(e));
        const fixed = shown.reduce((sum, e) => sum + widthOf(e), 0) + widthOf(moreButton) - gap;
        let used = fixed + tools.reduce((sum, e) => sum + widthOf(e), 0);
        if (used - widthOf(moreButton) <= room + 0.5) {
          moreButton.hidden = true;
        } else {
          for (let i = tools.length - 1; i >= 0 && used > room + 0.5; --i) {
            used -= widthOf(tools[i]);
            moreList.prepend(tools[i]);
          }
        }
      }
      if (focused && !moreList.contains(focused)) focused.focus({ preventScroll: true });
    }

    // The dialog's scale, and the caption's, the tools' and the status line's (at most kHeader
    // on a window 1920 CSS pixels wide, and in proportion on a wider one: on a projector they are
    // read from near the screen, and the room goes to the picture).
    function setScale(k) {
      document.body.style.setProperty('--k', String(k));
      const most = SIZES.kHeader * Math.max(1, pageWidthRoom() / 1920);
      document.body.style.setProperty('--k-header', String(Math.min(k, most)));
    }

    function choose(vw, vh) {
      let hintHeight = 0;
      if (!hint.hidden) {
        hint.style.position = 'fixed';
        hint.style.width = Math.round(vw * 0.6) + 'px';
        hintHeight = hint.getBoundingClientRect().height;
      }
      // Without a choice remembered, the plot's panel is open on every screen but a phone's.
      if (!plot.decided())
        plot.openByDefault(CF.chooseLayout(controls, vw, vh, coarse.matches, headerHeight, hintHeight, false,
                                           statusRoom()).mode);
      const chosen = CF.chooseLayout(controls, vw, vh, coarse.matches, headerHeight, hintHeight, plot.isOpen(),
                                     statusRoom());
      hint.style.position = '';
      hint.style.width = '';
      return chosen;
    }

    // The page for the window: chosen, then arranged and measured. Where the page as made runs
    // past the window's height (words wrapped into more rows than the choice allowed for), or
    // its width moved (a scroll bar came or went), it is chosen again for that: a few times
    // at most, each time no larger.
    function arrange() {
      fitTools(false); // every tool in the row while the layout is chosen
      hint.hidden = !anyCoarse.matches;
      let less = 0;
      let vw = pageWidthRoom();
      for (let pass = 0; pass < 3; ++pass) {
        choice = choose(vw, window.innerHeight - less);
        arrangeFor(choice);
        if (choice.mode === 'dialog' && choice.plot === 'beside') fitUnderThePlot(choice);
        if (choice.mode !== 'wide') break;
        // (The width only narrows: a scroll bar that comes at one width and goes at the next
        // would otherwise take turns.)
        const over = document.documentElement.scrollHeight - window.innerHeight;
        const room = pageWidthRoom();
        if (over <= 0 && room >= vw) break;
        less += Math.max(0, over);
        vw = Math.min(vw, room);
      }
      statusHeight = statusEl.offsetHeight;
      picture.measure();
      plot.measure();
    }
    // The status line's height the page was last arranged for.
    let statusHeight = null;

    // On a laptop's screen the gas's row and the status line under the plot stay in the first
    // screen, with the inputs: in a short window the plot gives up height for them (a
    // language's longer words take more lines), at most kPlotLess of it.
    const kPlotLess = 0.25;
    function fitUnderThePlot(choice) {
      const over = statusEl.getBoundingClientRect().bottom + window.scrollY - window.innerHeight;
      if (over <= 0) return;
      choice.plotLess = Math.min(Math.ceil(over) + 2, Math.floor(kPlotLess * controls.picture.entry.h * choice.k));
      arrangeControls(controls, dialogEl, choice);
    }

    function arrangeFor(choice) {
      document.body.dataset.layout = choice.mode;
      if (choice.mode !== 'wide') toolsEl.style.minHeight = '';
      setScale(choice.k);
      document.body.style.setProperty('--margin', choice.margin + 'px');
      putTools(choice.mode !== 'side');
      pageEl.style.width = choice.mode === 'side' ? choice.width + 'px' : Math.ceil(choice.width) + 'px';
      pageEl.style.marginLeft = choice.mode === 'side' ? choice.offset + 'px' : '';
      fitTools(choice.mode === 'rows');
      arrangeControls(controls, dialogEl, choice);
    }

    let arrangeQueued = false;
    const arrangeSoon = () => {
      if (arrangeQueued) return;
      arrangeQueued = true;
      window.requestAnimationFrame(() => {
        arrangeQueued = false;
        arrange();
      });
    };
    window.addEventListener('resize', arrangeSoon);
    window.addEventListener('orientationchange', arrangeSoon);
    document.addEventListener('fullscreenchange', arrangeSoon);
    for (const q of [coarse, anyCoarse]) if (q.addEventListener) q.addEventListener('change', arrangeSoon);
    // A tool's words changed (the language, the pause's words): the row is fitted again.
    if (window.ResizeObserver) {
      // (Not the tools in the list: they are measured in the row when it is fitted.)
      const observer = new ResizeObserver((entries) => {
        if (choice && choice.mode === 'rows' && entries.some((e) => !moreList || !moreList.contains(e.target)))
          arrangeSoon();
      });
      for (const e of toolsEl.querySelectorAll('.tool, .language')) observer.observe(e);
      // The status line's words took more lines or fewer (the state, the language): what stands
      // under it, or the dialog's height, follows.
      new ResizeObserver(() => {
        if (choice && statusEl.offsetHeight !== statusHeight) arrangeSoon();
      }).observe(statusEl);
    }

    return { arrange: arrange, choice: () => choice };
  };
})(window.Cornerflow = window.Cornerflow || {});
