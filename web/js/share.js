// The picture and the state taken out of the page: the picture saved or copied as a PNG at the
// frame's own size (device pixels), as it is shown; the link to the state as it stands, on the
// clipboard where the browser allows it, otherwise shown to be copied by hand; and full screen.
(function (CF) {
  'use strict';

  // tell(message): the status line. fieldIds: the fields' ids by key (the link's inputs).
  CF.sharing = function (core, page, actions, tell, fieldIds) {
    const linkBox = document.getElementById('link-box');
    const linkText = document.getElementById('link-text');
    const linkLabel = document.getElementById('link-label');
    const W = CF.words;
    const canCopy = !!(navigator.clipboard && typeof navigator.clipboard.write === 'function'
                       && typeof window.ClipboardItem === 'function');
    const canFullScreen = typeof document.documentElement.requestFullscreen === 'function';

    function pictureBlob(done) {
      actions.update();
      actions.composite().toBlob(done, 'image/png');
    }
    function savePicture() {
      const name = page.pictureFileName();
      pictureBlob((blob) => {
        if (!blob) {
          tell(CF.tr('Dialog', W.notSaved));
          return;
        }
        tell('');
        CF.download(blob, name);
      });
    }
    function copyPicture() {
      if (!canCopy) return;
      const png = new Promise((resolve, reject) => pictureBlob(
        (blob) => (blob ? resolve(blob) : reject(new Error('no image')))));
      let item;
      try {
        item = new window.ClipboardItem({ 'image/png': png });
      } catch (err) {
        png.catch(() => {});
        tell(CF.tr('Dialog', W.notCopied));
        return;
      }
      navigator.clipboard.write([item]).then(() => tell(''), () => tell(CF.tr('Dialog', W.notCopied)));
    }

    function showLink(url) {
      linkLabel.textContent = CF.tr('Dialog', W.linkByHand);
      linkText.value = url;
      linkBox.hidden = false;
      actions.arrange();
      linkText.focus();
      linkText.select();
    }
    function copyLink() {
      const url = CF.link.write(core, page, fieldIds);
      linkBox.hidden = true;
      if (navigator.clipboard && typeof navigator.clipboard.writeText === 'function') {
        navigator.clipboard.writeText(url).then(() => tell(CF.tr('Dialog', W.linkCopied)), () => showLink(url));
      } else {
        showLink(url);
      }
    }

    // The whole page, which then lays itself out for the screen's size.
    function fullScreen() {
      if (document.fullscreenElement) {
        if (document.exitFullscreen) document.exitFullscreen().catch(() => {});
        return;
      }
      const root = document.documentElement;
      if (typeof root.requestFullscreen !== 'function') {
        tell(CF.tr('Dialog', W.noFullScreen));
        return;
      }
      let request;
      try {
        request = root.requestFullscreen();
      } catch (err) {
        tell(CF.tr('Dialog', W.noFullScreen));
        return;
      }
      if (request && request.catch) request.catch(() => tell(CF.tr('Dialog', W.noFullScreen)));
    }

    return {
      canCopy: canCopy,
      canFullScreen: canFullScreen,
      savePicture: savePicture,
      copyPicture: copyPicture,
      copyLink: copyLink,
      fullScreen: fullScreen,
      applyLanguage: () => {
        if (!linkBox.hidden) linkLabel.textContent = CF.tr('Dialog', W.linkByHand);
      },
    };
  };
})(window.Cornerflow = window.Cornerflow || {});
