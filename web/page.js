// The page: the terminal (xterm.js) fitted to the screen it has, the keys
// players know from other programs, typing that always reaches the
// terminal, and the runs, each a fresh program beside its script pane and
// the keyboard picture of its binds.
/* global Terminal, FitAddon, createBindsmith, LineDiscipline, ProgramHost, compileProgram,
   ScriptPane, KeyboardPicture, SpokenLog, bindsmithData */
'use strict';

(() => {
  const byId = (id) => document.getElementById(id);
  const box = byId('terminal');
  const runStatus = byId('run-status');
  // The dialogue is spoken from a log of its own (spoken.js), not from
  // the terminal's rows: those would read the star rows out.
  const terminal = new Terminal({ convertEol: true, cursorBlink: true, scrollback: 5000 });
  const fitAddon = new FitAddon.FitAddon();
  terminal.loadAddon(fitAddon);
  terminal.open(box);
  const pane = new ScriptPane({ name: byId('script-name'), text: byId('script-text'),
    download: byId('download'), reason: byId('download-reason'), kept: byId('kept-list'),
    forget: byId('forget-all'), problem: byId('keep-problem') });
  const spoken = new SpokenLog(byId('spoken'));
  const keyboard = new KeyboardPicture({ picture: byId('keyboard'), list: byId('bind-list'),
    save: byId('save-picture') }, bindsmithData, (key) => answer(`${key}\r`));

  // On a touch screen the tips name touch actions, not keys it has not.
  const touch = navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches;
  byId('keys').hidden = touch;
  byId('touch-keys').hidden = !touch;

  // The font is as large as lets the program's widest menu line fit,
  // between 11 and 14 pixels. Lines wider than a phone's screen wrap in
  // the terminal; the page never scrolls sideways.
  const kWidestLine = bindsmithData.widestLine;
  const kCellWidthPerPixel = 0.6; // a monospace cell is about 0.6 of the font's size
  const kLineHeightPerPixel = 1.2;
  const kSmallestFont = 11;
  const kLargestFont = 14;
  const kFewestRows = 12; // a question and its options, with some lines before
  const kRoom = 8; // pixels kept between the line being answered and the screen's edge

  const view = () => window.visualViewport || { offsetTop: 0, height: window.innerHeight };

  // The terminal takes the height the screen has left below the page's
  // header, at least kFewestRows, and at most the whole screen.
  function fitTerminal() {
    const width = box.clientWidth;
    const fontSize = Math.min(kLargestFont,
      Math.max(kSmallestFont, Math.floor(width / (kWidestLine * kCellWidthPerPixel))));
    if (terminal.options.fontSize !== fontSize) terminal.options.fontSize = fontSize;
    const below = runStatus.offsetHeight + kRoom * 2;
    const top = box.getBoundingClientRect().top + window.scrollY;
    const screen = view().height;
    const fewest = kFewestRows * Math.ceil(fontSize * kLineHeightPerPixel);
    const height = Math.min(screen - below, Math.max(fewest, screen - top - below));
    box.style.height = `${Math.max(fewest, Math.floor(height))}px`;
    fitAddon.fit();
    keepCursorInView();
  }

  // The line being answered stays on screen: after each answer, after
  // each of the program's questions, and when a phone's keyboard opens.
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

  let refit = 0;
  const refitSoon = () => {
    cancelAnimationFrame(refit);
    refit = requestAnimationFrame(fitTerminal);
  };
  window.addEventListener('resize', refitSoon);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', refitSoon);

  // Keys the browser keeps: Ctrl+C (Cmd+C) copies when text is selected,
  // and is the interrupt only without a selection; Ctrl+V, Cmd+V and
  // Shift+Insert paste; Tab and Shift+Tab move on to the page's controls
  // (a tab is only white space to the program; a pasted one still arrives).
  terminal.attachCustomKeyEventHandler((event) => {
    if (event.type !== 'keydown') return true;
    const key = event.key.toLowerCase();
    const command = event.ctrlKey || event.metaKey;
    if (command && key === 'c' && terminal.hasSelection()) return false;
    if (command && !event.altKey && key === 'v') return false;
    if (event.shiftKey && key === 'insert') return false;
    return !(key === 'tab' && !command && !event.altKey);
  });

  const program = compileProgram(globalThis.bindsmithWasm);
  let run = null;
  let said = ''; // the end of what the program wrote, to know what it asks
  // The program's question for a bind's key ends its output while it waits.
  const kKeyQuestion = /Please enter the key you wish to bind .* to: $/;
  const asksForKey = () => Boolean(run && run.waiting && kKeyQuestion.test(said));

  function showScript() {
    const record = pane.script();
    keyboard.update(record ? new TextDecoder().decode(record.bytes) : '',
      record ? record.name : null, asksForKey());
  }

  function startRun() {
    if (run) run.abandon();
    terminal.reset();
    spoken.clear();
    said = '';
    runStatus.textContent = 'Loading...';
    pane.startRun();
    const host = new ProgramHost(createBindsmith, program, new LineDiscipline(), {
      output: (bytes) => {
        terminal.write(bytes, keepCursorInView);
        spoken.add(bytes);
        said = (said + new TextDecoder('latin1').decode(bytes)).slice(-200);
        showScript();
      },
      reading: () => {
        runStatus.textContent = '';
        pane.update(host.script());
        // The program waits once this returns: the key buttons follow.
        queueMicrotask(showScript);
      },
      exit: (status) => {
        pane.update(host.script());
        showScript();
        const how = {
          0: 'The run has ended.',
          130: 'Ctrl-C ended the run; the script keeps every bind made before it.',
        };
        runStatus.textContent =
          `${how[status] || `The run has ended (status ${status}).`} "New run" starts another.`;
      },
      failure: (error) => {
        runStatus.textContent =
          `The program could not be started: ${error.message}. Reload the page to try again.`;
      },
    });
    run = host;
    terminal.focus();
  }

  // Typed, pasted or tapped on the keyboard picture: the same way in.
  function answer(data) {
    if (!run || run.finished) return;
    const echo = run.discipline.type(data, () => terminal.buffer.active.cursorX);
    if (echo) terminal.write(echo, keepCursorInView);
    run.wake();
    showScript();
  }
  terminal.onData(answer);

  // Typing goes to the terminal after a button, and after a click anywhere
  // that is not a control, unless the click selected text to copy.
  byId('download').addEventListener('click', () => terminal.focus());
  byId('new-run').addEventListener('click', () => {
    const lose = 'Your script could not be kept in this browser and is not downloaded. ' +
      'Start a new run and lose it?';
    if (!pane.atRisk() || window.confirm(lose)) startRun();
    terminal.focus();
  });
  // Another tab of the page kept or removed a script.
  window.addEventListener('storage', () => pane.renderKept());
  document.addEventListener('click', (event) => {
    if (event.target.closest('a, button, input, select, textarea, summary')) return;
    const selection = window.getSelection();
    if (selection && !selection.isCollapsed) return;
    terminal.focus();
  });

  // Leaving the page asks first only when that would lose statements: not
  // downloaded, and not kept in the browser either.
  window.addEventListener('beforeunload', (event) => {
    if (!pane.atRisk()) return;
    event.preventDefault();
    event.returnValue = '';
  });

  // For the browser test: what the program wrote and how the run ended.
  window.bindsmithPage = {
    transcript: () => (run ? run.transcript.slice() : []),
    finished: () => Boolean(run && run.finished),
    status: () => (run ? run.status : null),
    waiting: () => Boolean(run && run.waiting),
    atRisk: () => pane.atRisk(),
    asksForKey,
  };

  fitTerminal();
  startRun();
})();
