// Which layout the page takes for the screen, and at what size. The layouts:
//   dialog  laptops: the dialog's own arrangement at its own size;
//   wide    large screens and projectors (and a laptop's with the plot folded): the dialog grows
//           with the window, its four groups of fields two by two beside the picture, the status
//           line under it;
//   rows    narrow screens (phones held upright): the tools in one row, the picture as wide as
//           the screen, below it the inputs, then the upstream, critical and at-the-pointer
//           groups, one field per row with its name and unit beside it, in one or two columns;
//   side    short wide screens (phones held sideways): the picture on the left at the screen's
//           full height, the same rows on the right, scrolling, the tools after them.
// The plot's panel (js/plot.js), when it is open, stands beside the picture where the screen has
// room for both (the dialog's groups then stay under the picture, as the table has them), under
// the dialog on a smaller laptop's screen, under the picture on a phone held upright, and after
// the fields beside the picture on a phone held sideways. js/arrange.js places the controls for
// the choice made here.
(function (CF) {
  'use strict';

  // The sizes both the choice and the arrangement go by.
  CF.layoutSizes = {
    // Between the picture and the groups, the groups, and the picture and the plot, CSS pixels
    // at the dialog's scale.
    gap: 12,
    // Half the height of a label row's window, in the image's pixels: rows of a group lie at
    // least 24 pixels apart, and no glyph reaches further from its field's middle.
    rowHalf: 13,
    // Rows on a touch screen: fields and boxes at least 44 CSS pixels tall.
    rows: {
      pad: 8, // round the rows, inside the dialog's white
      fine: { row: 32, field: 28, font: 14, label: 1.1, note: 17 },
      coarse: { row: 50, field: 44, font: 16, label: 1.35, note: 22 },
    },
    // The plot beside the picture: at least this wide (the core's plot writes its legend in one
    // line) and at most as wide as the picture, in the dialog's pixels; on a large screen at
    // most half again as wide, so that the picture and the plot fill a short wide window.
    plot: { min: 480, max: 622, wideMax: 933 },
    // The plot's height on a phone, CSS pixels at least.
    plotMinHeight: 220,
    // The scale the caption, the tools and the gaps between the picture and the groups grow to
    // at most: on a projector the room goes to the picture.
    kHeader: 1.25,
  };
  // The gap between the picture and the groups, and between the groups' columns, beside the
  // picture at scale k, CSS pixels.
  CF.wideGap = (k) => CF.layoutSizes.gap * Math.min(k, CF.layoutSizes.kHeader);
  const GAP = CF.layoutSizes.gap;
  const PLOT = CF.layoutSizes.plot;

  // Large screens: the dialog kMax times its size at most, as large as the height holds with
  // the caption and the tools above it. Their height grows with k, and the tools may wrap into
  // more rows at the page's width (widthAt(k)), so it is measured at the k tried, a few times at
  // most; each time k only shrinks. The arrangement measures what it made and, where the page
  // still runs past the window's height, chooses again with that much less height (screen.vh).
  function fitHeight(screen, dialogH, kMax, widthAt) {
    const room = screen.vh - 2 * screen.margin - 8;
    let k = Math.min(kMax, room / (dialogH + screen.headerHeight(1) + 8));
    for (let i = 0; i < 4; ++i) {
      const header = screen.headerHeight(k, widthAt(k));
      if (k * (dialogH + 8) + header <= room + 0.5) break;
      k = Math.min(k, (room - header) / (dialogH + 8));
    }
    return k;
  }

  // Large enough: on a large screen at least kLeast times the dialog's size (else the dialog's
  // own arrangement serves), on any screen not smaller than it; for fingers too, the fields at
  // least 44 CSS pixels tall at scale k.
  const kLeast = 1.25;
  const wideEnough = (controls, screen, k, least) => k >= least && (!screen.coarse || controls.fieldHeight * k >= 44);

  // The bottom of the groups in the dialog's arrangement, in its pixels.
  const groupsBottom = (controls) => Math.max(...controls.groups.map((g) => g.y + g.h));

  // With the plot: the picture and the plot side by side, the groups under the picture, the
  // gas's row and the status line under the plot.
  function wideWithPlot(controls, screen) {
    const pic = controls.picture.entry;
    const room = screen.vw - 2 * screen.margin;
    const plotWidthAt = (k) => Math.min(PLOT.wideMax, Math.floor(room / k - pic.x - pic.w - GAP));
    const k = fitHeight(screen, groupsBottom(controls) + CF.layoutSizes.rows.pad,
                        room / (pic.x + pic.w + GAP + PLOT.min), (k) => (pic.x + pic.w + GAP + plotWidthAt(k)) * k);
    const plotWidth = plotWidthAt(k);
    if (!wideEnough(controls, screen, k, kLeast)) return null;
    return { mode: 'wide', k: k, margin: screen.margin, width: (pic.x + pic.w + GAP + plotWidth) * k, plot: 'beside',
             plotWidth: plotWidth };
  }

  // Without it: the groups two by two beside the picture, the gas's row beside the shorter
  // column's last group, the status line under the picture (its room: screen.statusRoom CSS
  // pixels). least: the least scale taken.
  function wideWithoutPlot(controls, screen, least) {
    const pic = controls.picture.entry;
    const cols = [0, 0];
    for (const row of controls.wideGrid) row.forEach((g, i) => { cols[i] = Math.max(cols[i], g.w); });
    const wideW = pic.w + cols[0] + cols[1];
    const widthAt = (k) => wideW * k + 2 * CF.wideGap(k);
    let gridH = 0;
    for (const row of controls.wideGrid) gridH += Math.max(...row.map((g) => g.h)) + GAP;
    const room = screen.vw - 2 * screen.margin;
    const kBig = (room - 2 * CF.wideGap(Infinity)) / wideW;
    const kMax = kBig >= CF.layoutSizes.kHeader ? kBig : room / (wideW + 2 * GAP);
    // The status line's room does not grow with k: the height it asks for at the largest k.
    const wideH = Math.max(pic.h + screen.statusRoom / Math.max(1, kMax), gridH - GAP);
    const k = fitHeight(screen, wideH, kMax, widthAt);
    if (!wideEnough(controls, screen, k, least)) return null;
    return { mode: 'wide', k: k, margin: screen.margin, width: widthAt(k) };
  }

  // Laptops: the dialog as it is, where it fits and a mouse points; the plot beside the picture
  // where there is room, else under the dialog at the picture's size.
  function laptop(controls, screen, plotOpen) {
    const pic = controls.picture.entry;
    const room = screen.vw - 2 * screen.margin - pic.x - pic.w - GAP;
    if (plotOpen && room >= PLOT.min) {
      const plotWidth = Math.min(PLOT.max, Math.floor(room));
      return { mode: 'dialog', k: 1, margin: screen.margin, width: pic.x + pic.w + GAP + plotWidth, plot: 'beside',
               plotWidth: plotWidth };
    }
    return { mode: 'dialog', k: 1, margin: screen.margin, width: controls.table.w, plot: plotOpen ? 'under' : null };
  }

  // Phones held sideways: the picture at full height on the left, if the fields fit beside.
  function sideways(controls, screen, plotOpen) {
    const pic = controls.picture.entry;
    const margin = screen.margin;
    const pictureHeight = Math.floor(screen.vh - 2 * margin - (screen.hintHeight ? screen.hintHeight + 4 : 0));
    const pictureWidth = Math.floor(pictureHeight * pic.w / pic.h);
    const rest = screen.vw - pictureWidth - 3 * margin;
    if (rest < 200 || pictureHeight < 150) return null;
    return { mode: 'side', k: 1, margin: margin, coarse: screen.coarse, width: rest,
             pictureWidth: pictureWidth, pictureHeight: pictureHeight,
             offset: pictureWidth + 2 * margin, plot: plotOpen ? 'under' : null };
  }

  // The layout the page takes in a viewport of vw x vh CSS pixels, and at what size, with the
  // plot's panel open or not. The choice's plot says where the panel stands ('beside' the
  // picture, plotWidth dialog pixels wide at the dialog's scale; 'under' it; null: folded).
  //   headerHeight(k, width): the height of the caption and the tools above the dialog at scale
  //   k in the wide layout, the page width CSS pixels wide (all the window's width without it).
  //   statusRoom: the status line's least height with its margin, CSS pixels.
  CF.chooseLayout = function (controls, vw, vh, coarse, headerHeight, hintHeight, plotOpen, statusRoom) {
    const screen = { vw: vw, vh: vh, coarse: coarse, headerHeight: headerHeight, hintHeight: hintHeight,
                     margin: vw < 480 ? 8 : 12, statusRoom: statusRoom || 0 };
    let choice = null;
    if (vw >= 1600 && vh >= 720)
      choice = plotOpen ? wideWithPlot(controls, screen) : wideWithoutPlot(controls, screen, kLeast);
    // A laptop's screen with the plot folded: the groups beside the picture where the screen is
    // wide enough for both at the dialog's size, the picture no smaller than the dialog's and the
    // status line under it, all in the first screen.
    if (!choice && !plotOpen && !coarse) choice = wideWithoutPlot(controls, screen, 1);
    if (!choice && !coarse && vw >= controls.table.w + 2 * screen.margin) choice = laptop(controls, screen, plotOpen);
    if (!choice && vw > vh) choice = sideways(controls, screen, plotOpen);
    return choice || { mode: 'rows', k: 1, margin: screen.margin, coarse: coarse, width: vw - 2 * screen.margin,
                       plot: plotOpen ? 'under' : null };
  };
})(window.Cornerflow = window.Cornerflow || {});
