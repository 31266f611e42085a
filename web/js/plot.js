// The plot of the state through the fan (the model beside the exact theory) in a panel under
// the picture, or beside it where the screen is wide: the core's plot, composed through the
// page's text painter at the device pixels its canvas is shown at; the quantities it shows; and
// the plot and its numbers as downloads. The tool «Графики» / "Plot" opens and folds the panel;
// the core keeps that and the quantities the user chose, as it keeps the language.
//
// The core composes the plot before the call that changed what it shows returns (an input, the
// wall, the probe's angle, the quantities, the size, the words) and never on a tick; the page
// puts it on the canvas when the core's count of plots moved on. While the panel is folded the
// core composes none.
//
// A screen reader meets the canvas as an image with the plot's name and a description of the
// pressure through the fan (model and exact theory), both from the core in the page's language.
// The description follows the plot and is read when the user comes to the canvas; it is not
// spoken on its own (no live region), since the picture's description already speaks while a
// drag changes the flow.
(function (CF) {
  'use strict';

  // The panel: the canvas, the quantities and the downloads, placed by js/arrange.js with the
  // dialog's controls. on: what the boxes and the buttons call.
  function makePanel(looks, on) {
    const panel = document.createElement('section');
    panel.id = 'plot-panel';
    panel.className = 'plot-panel';
    panel.hidden = true;
    const canvas = document.createElement('canvas');
    canvas.id = 'plot-canvas';
    canvas.className = 'plot-canvas';
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-describedby', 'plot-description');
    const bar = document.createElement('div');
    bar.className = 'plot-bar';
    const description = document.createElement('p');
    description.id = 'plot-description';
    description.className = 'visually-hidden';

    const boxes = looks.map((look) => {
      const label = document.createElement('label');
      label.className = 'plot-quantity';
      const box = document.createElement('input');
      box.type = 'checkbox';
      box.id = 'plot-' + look.name;
      const swatch = document.createElement('span');
      swatch.className = 'plot-swatch';
      swatch.style.backgroundColor = look.colour;
      swatch.setAttribute('aria-hidden', 'true');
      const name = document.createElement('span');
      name.textContent = look.ratio; // the same in every language
      label.append(box, swatch, name);
      bar.appendChild(label);
      box.addEventListener('change', on.quantitiesChosen);
      return { look: look, el: box };
    });
    // The downloads stay together, at the bar's right end where it has room.
    const downloads = document.createElement('span');
    downloads.className = 'plot-downloads';
    bar.appendChild(downloads);
    function button(id, fn) {
      const b = document.createElement('button');
      b.type = 'button';
      b.id = id;
      b.className = 'plot-save';
      CF.onActivate(b, fn);
      downloads.appendChild(b);
      return b;
    }
    const savePlotButton = button('save-plot-button', on.savePlot);
    const saveDataButton = button('save-data-button', on.saveData);
    const note = document.createElement('p');
    note.id = 'plot-note';
    note.className = 'plot-note';
    const noteText = document.createElement('span');
    const link = document.createElement('a');
    link.id = 'plot-model-link';
    note.append(noteText, ' ', link);
    panel.append(canvas, bar, note, description);
    return { panel: panel, canvas: canvas, description: description, boxes: boxes,
             noteText: noteText, link: link,
             savePlotButton: savePlotButton, saveDataButton: saveDataButton };
  }

  CF.plot = function (core, page, controls, actions) {
    const looks = core.Page.quantityLooks();

    const built = makePanel(looks, { quantitiesChosen: quantitiesChosen, savePlot: savePlot, saveData: saveData });
    const panel = built.panel;
    const canvas = built.canvas;
    const ctx = canvas.getContext('2d', { alpha: false });
    const description = built.description;
    const boxes = built.boxes;
    controls.picture.el.parentElement.appendChild(panel);
    // What the layout reads and sets: the panel, and the canvas's size in CSS pixels.
    controls.plotPanel = { el: panel, canvas: canvas, size: null };

    // ---- The quantities: the core's default, or those the user chose last time.
    function showQuantities() {
      const shown = page.plotQuantities();
      for (const b of boxes) b.el.checked = (shown & b.look.bit) !== 0;
    }
    showQuantities();
    function quantitiesChosen() {
      const shown = boxes.reduce((set, b) => (b.el.checked ? set | b.look.bit : set), 0);
      page.choosePlotQuantities(shown);
      actions.update();
    }

    // ---- Open or folded: the core keeps the tool's check mark (and the user's choice), the
    // page the panel. Before the session opens on what the user chose, the first layout decides.
    let open = null; // not decided before the first layout
    function setOpen(value) {
      open = !!value;
      page.setPlotOpen(open);
      panel.hidden = !open;
    }

    // ---- The size: the canvas's CSS size from the layout and the device pixel ratio; folded,
    // no size, and the core composes no plot.
    let sized = null;
    function measure() {
      const ratio = window.devicePixelRatio || 1;
      const size = open ? controls.plotPanel.size : null;
      const key = size ? size[0] + 'x' + size[1] + '@' + ratio : 'none';
      if (key === sized) return;
      sized = key;
      if (size) page.setPlotSize(size[0], size[1], ratio);
      else page.setPlotSize(0, 0, ratio);
      actions.update();
    }

    // ---- What the core composed, on the canvas at its device pixels; and its description.
    let shownCount = -1;
    // The description waits while a drag turns the wall: a screen reader reads it when the user
    // comes to the plot, and making it at every move is a good part of the move's cost on a
    // phone. The update after the release writes it.
    let undescribed = false;
    // A canvas whose backing store the browser dropped (a phone short of memory) comes back
    // blank: the next plot is put whole.
    let whole = false;
    canvas.addEventListener('contextrestored', () => {
      whole = true;
      shownCount = -1;
      show();
    });
    function show() {
      if (!open) return;
      const count = page.plotCount();
      if (count !== shownCount) {
        shownCount = count;
        const p = page.plot();
        if (!p.deviceWidth || !p.deviceHeight) return;
        const resized = canvas.width !== p.deviceWidth || canvas.height !== p.deviceHeight;
        if (resized) {
          canvas.width = p.deviceWidth;
          canvas.height = p.deviceHeight;
        }
        const rgba = new Uint8ClampedArray(p.rgba.buffer, p.rgba.byteOffset, p.rgba.length);
        const image = new ImageData(rgba, p.deviceWidth, p.deviceHeight);
        // Only the rows that changed, unless the canvas was cleared by its new size or lost.
        if (resized || whole) ctx.putImageData(image, 0, 0);
        else if (p.endRow > p.firstRow) ctx.putImageData(image, 0, 0, 0, p.firstRow, p.deviceWidth, p.endRow - p.firstRow);
        whole = false;
        undescribed = true;
      }
      if (undescribed && !page.dragging()) {
        undescribed = false;
        describe();
      }
    }
    function describe() {
      const text = page.plotFactsText();
      if (description.textContent !== text) description.textContent = text;
    }

    // ---- The downloads: the plot as a PNG at its device pixels, its numbers as CSV.
    function savePlot() {
      actions.update();
      const name = page.plotFileName();
      canvas.toBlob((blob) => {
        if (!blob) {
          actions.tell(CF.tr('Dialog', CF.words.plotNotSaved));
          return;
        }
        actions.tell('');
        CF.download(blob, name);
      }, 'image/png');
    }
    function saveData() {
      let blob = null;
      try {
        blob = new Blob([page.profileCsv()], { type: 'text/csv' });
      } catch (err) {
        actions.tell(CF.tr('Dialog', CF.words.dataNotSaved));
        return;
      }
      actions.tell('');
      CF.download(blob, page.profileFileName());
    }

    function applyLanguage() {
      canvas.setAttribute('aria-label', page.plotName());
      built.savePlotButton.textContent = CF.tr('Dialog', CF.words.savePlot);
      built.saveDataButton.textContent = CF.tr('Dialog', CF.words.saveData);
      // What the model is, in the plot's words just given, and where the guide says more.
      built.noteText.textContent = page.plotNote();
      built.link.textContent = CF.tr('Plot', CF.words.modelLink);
      built.link.href = CF.guide() + '#model';
      describe();
    }

    return {
      isOpen: () => open === true,
      decided: () => open !== null,
      // The first layout's choice when none is remembered: open on every screen but a
      // phone's (the rows and the picture beside them).
      openByDefault: (mode) => setOpen(mode === 'dialog' || mode === 'wide'),
      // The session opened on what the user chose last time: the panel and the quantities as
      // kept.
      opened: () => {
        if (page.plotOpenKept()) setOpen(page.plotOpen());
        showQuantities();
      },
      // After the core's Command::Plot: the panel as the core says.
      toggled: () => setOpen(page.plotOpen()),
      measure: measure,
      // Measures again when the device pixel ratio moved since the plot was sized.
      watchRatio: () => {
        if (open && sized !== null && sized !== 'none' && !sized.endsWith('@' + (window.devicePixelRatio || 1))) measure();
      },
      show: show,
      applyLanguage: applyLanguage,
      canvas: canvas,
    };
  };
})(window.Cornerflow = window.Cornerflow || {});
