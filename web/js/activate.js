// What a finger and a mouse do to the page's buttons and fields, and a download.
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
})(window.Cornerflow = window.Cornerflow || {});
