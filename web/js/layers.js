// The picture's canvases: the frame's layers stacked, composed at the device pixels the picture
// is shown at, and the reading mark over them.
//
// The canvases, bottom to top: below (background and overlay, opaque) and above (streamlines
// and the frame line), put again only when the core composed them again; the tracers, one
// canvas pixel per picture pixel, enlarged without smoothing, put at every frame; the marker,
// put within the rectangle that changed; the reading mark, drawn here and not part of the
// picture. Stacked they are the core's frame, pixel for pixel.
(function (CF) {
  'use strict';

  function resize(layer, w, h) {
    if (layer.el.width === w && layer.el.height === h) return false;
    layer.el.width = w;
    layer.el.height = h;
    return true;
  }

  // The reading mark on its canvas: a small ring above the point m (CSS pixels of a picture
  // cssW x cssH) a finger reads, with a line down to the point, where the finger does not hide it.
  function drawMark(mark, m, cssW, cssH) {
    const ctx = mark.ctx;
    ctx.clearRect(0, 0, mark.el.width, mark.el.height);
    if (!m.shown || !cssW) return;
    const s = mark.el.width / cssW;
    const x = m.x * s;
    const y = m.y * (mark.el.height / cssH);
    const r = 9 * s;
    const ringY = Math.max(r + 2 * s, y - 34 * s);
    ctx.lineCap = 'round';
    for (const [colour, width] of [['rgba(255,255,255,0.9)', 5 * s], ['#0050b0', 2.2 * s]]) {
      ctx.strokeStyle = colour;
      ctx.lineWidth = width;
      ctx.beginPath();
      ctx.arc(x, ringY, r, 0, 2 * Math.PI);
      if (y - ringY > r + 2 * s) {
        ctx.moveTo(x, ringY + r);
        ctx.lineTo(x, y - 2 * s);
      }
      ctx.stroke();
    }
    ctx.fillStyle = '#0050b0';
    ctx.beginPath();
    ctx.arc(x, y, 2 * s, 0, 2 * Math.PI);
    ctx.fill();
  }

  // The canvases in the picture's box; page: the core's page.
  CF.pictureLayers = function (page, box) {
    function canvas(name, alpha) {
      const el = document.createElement('canvas');
      el.className = 'layer layer-' + name;
      el.setAttribute('aria-hidden', 'true');
      box.appendChild(el);
      return { el: el, ctx: el.getContext('2d', { alpha: alpha }) };
    }
    const below = canvas('below', false);
    const tracers = canvas('tracers', true);
    const above = canvas('above', true);
    const marker = canvas('marker', true);
    const mark = canvas('mark', true);

    // ImageData over the module's memory, made again only when the memory moved or grew.
    const images = {};
    function imageOf(name, view, w, h) {
      let c = images[name];
      if (!c || c.buffer !== view.buffer || c.offset !== view.byteOffset || c.w !== w || c.h !== h) {
        if (view.length !== w * h * 4) throw new Error('layer ' + name + ' holds ' + view.length + ' bytes for ' + w + 'x' + h);
        c = { buffer: view.buffer, offset: view.byteOffset, w: w, h: h,
              data: new ImageData(new Uint8ClampedArray(view.buffer, view.byteOffset, view.length), w, h) };
        images[name] = c;
      }
      return c.data;
    }

    // Puts the rectangles (x, y, w, h, four numbers each) of an image on a canvas.
    function putRects(ctx, image, rects) {
      for (let i = 0; i + 3 < rects.length; i += 4)
        ctx.putImageData(image, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
    }

    let shownFrame = -1;
    let firstFrameMs = null;
    // Puts what the core composed since the last call on the canvases. True when the layers that
    // do not move changed (the wall, the flow or the scale).
    function showFrame() {
      const serial = page.frameSerial();
      if (serial === shownFrame) return false;
      shownFrame = serial;
      const info = page.prepareLayers();
      const w = info.deviceWidth;
      const h = info.deviceHeight;
      if (!w || !h) return false;
      const grown = [below, above, marker].map((l) => resize(l, w, h)).some(Boolean);
      resize(tracers, info.width, info.height);
      if (grown) {
        below.ctx.putImageData(imageOf('below', page.belowPixels(), w, h), 0, 0);
        above.ctx.putImageData(imageOf('above', page.abovePixels(), w, h), 0, 0);
      } else if (info.staticChanged) {
        // Only the rectangles that hold what changed.
        putRects(below.ctx, imageOf('below', page.belowPixels(), w, h), page.belowRects());
        putRects(above.ctx, imageOf('above', page.abovePixels(), w, h), page.aboveRects());
      }
      tracers.ctx.putImageData(imageOf('tracers', page.tracerPixels(), info.width, info.height), 0, 0);
      const m = info.marker;
      const markerImage = imageOf('marker', page.markerPixels(), w, h);
      if (grown) marker.ctx.putImageData(markerImage, 0, 0);
      else if (m.w > 0 && m.h > 0) marker.ctx.putImageData(markerImage, 0, 0, m.x, m.y, m.w, m.h);
      if (firstFrameMs === null) firstFrameMs = performance.now();
      return info.staticChanged;
    }

    // The layers laid over each other into one canvas of the frame's size: the picture as it is
    // shown, for saving and copying it.
    function composite() {
      const w = below.el.width;
      const h = below.el.height;
      const c = document.createElement('canvas');
      c.width = w;
      c.height = h;
      const ctx = c.getContext('2d', { willReadFrequently: true });
      ctx.imageSmoothingEnabled = false; // the tracers' pixels enlarged as the page shows them
      for (const layer of [below, tracers, above, marker]) ctx.drawImage(layer.el, 0, 0, w, h);
      return c;
    }

    return {
      showFrame: showFrame,
      composite: composite,
      firstFrameMs: () => firstFrameMs,
      // The mark's canvas at the device pixels the picture is shown at.
      resizeMark: (w, h) => resize(mark, w, h),
      drawMark: (m, cssW, cssH) => drawMark(mark, m, cssW, cssH),
    };
  };
})(window.Cornerflow = window.Cornerflow || {});
