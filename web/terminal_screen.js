// The terminal on the screen it has: a font as large as lets the program's
// widest menu line fit, a height that leaves the line being answered on
// screen (also when a phone's keyboard opens), and the keys players know
// from other programs left to the browser.
'use strict';

(function (exports) {
  const kCellWidthPerPixel = 0.6; // a monospace cell is about 0.6 of the font's size
  const kLineHeightPerPixel = 1.2;
  const kSmallestFont = 11;
  const kLargestFont = 14;
  const kFewestRows = 12; // a question and its options, with some lines before
  const kRoom = 8; // pixels kept between the line being answered and the screen's edge

  // The font's size in pixels for a terminal `width` pixels wide: as large
  // as lets `widestLine` columns fit, between 11 and 14. Lines wider than
  // a phone's screen wrap in the terminal; the page never scrolls sideways.
  function fontSizeFor(width, widestLine) {
    return Math.min(kLargestFont,
      Math.max(kSmallestFont, Math.floor(width / (widestLine * kCellWidthPerPixel))));
  }

  // The terminal's height: what the screen has left below `top` and above
  // `below` pixels, but at least kFewestRows rows (the page then scrolls to
  // the line being answered).
  function heightFor(screen, top, below, fontSize) {
    const fewest = kFewestRows * Math.ceil(fontSize * kLineHeightPerPixel);
    return Math.max(fewest, Math.floor(screen - top - below));
  }

  // Whether the browser keeps a keystroke for itself: Ctrl+C (Cmd+C) copies
  // when text is selected, and is the interrupt only without a selection;
  // Ctrl+V, Cmd+V and Shift+Insert paste; Tab and Shift+Tab move on to the
  // page's controls (a tab is only white space to the program; a pasted one
  // still arrives).
  function browserKeeps(event, hasSelection) {
    if (event.type !== 'keydown') return false;
    const key = event.key.toLowerCase();
    const command = event.ctrlKey || event.metaKey;
    if (command && key === 'c') return hasSelection;
    if (command && !event.altKey && key === 'v') return true;
    if (event.shiftKey && key === 'insert') return true;
    return key === 'tab' && !command && !event.altKey;
  }

  // Fits `terminal` (with its fit add-on) in `box` on this page, with
  // `status` below it, now and whenever the screen changes. Returns
  // keepCursorInView, for after each answer and each question.
  function fitToScreen(terminal, fitAddon, box, status, widestLine) {
    const view = () => window.visualViewport || { offsetTop: 0, height: window.innerHeight };

    function keepCursorInView() {
      const rows = box.querySelector('.xterm-screen').getBoundingClientRect();
      const rowHeight = rows.height / terminal.rows;
      const buffer = terminal.buffer.active;
      const top = rows.top + (buffer.baseY + buffer.cursorY - buffer.viewportY) * rowHeight;
      const { offsetTop, height } = view();
      if (top + rowHeight + kRoom > offsetTop + height) {
        window.scrollBy(0, top + rowHeight + kRoom - offsetTop - height);
      } else if (top - kRoom < offsetTop) {
        window.scrollBy(0, top - kRoom - offsetTop);
      }
    }

    function fit() {
      const fontSize = fontSizeFor(box.clientWidth, widestLine);
      if (terminal.options.fontSize !== fontSize) terminal.options.fontSize = fontSize;
      const top = box.getBoundingClientRect().top + window.scrollY;
      const below = status.offsetHeight + kRoom * 2;
      box.style.height = `${heightFor(view().height, top, below, fontSize)}px`;
      fitAddon.fit();
      keepCursorInView();
    }

    let refit = 0;
    const refitSoon = () => {
      cancelAnimationFrame(refit);
      refit = requestAnimationFrame(fit);
    };
    window.addEventListener('resize', refitSoon);
    if (window.visualViewport) window.visualViewport.addEventListener('resize', refitSoon);
    terminal.attachCustomKeyEventHandler(
      (event) => !browserKeeps(event, terminal.hasSelection()));
    fit();
    return keepCursorInView;
  }

  exports.fontSizeFor = fontSizeFor;
  exports.heightFor = heightFor;
  exports.browserKeeps = browserKeeps;
  exports.fitToScreen = fitToScreen;
})(typeof module === 'object' ? module.exports : globalThis);
