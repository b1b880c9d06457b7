// The page: the runs, each a fresh program in the terminal beside its
// script pane and the keyboard picture of its binds, with typing that
// always reaches the terminal.
/* global Terminal, FitAddon, createBindsmith, LineDiscipline, ProgramHost, compileProgram,
   ScriptPane, KeyboardPicture, SpokenLog, bindsmithData, fitToScreen */
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

  const keepCursorInView = fitToScreen(terminal, fitAddon, box, runStatus,
    bindsmithData.widestLine);

  const program = compileProgram(globalThis.bindsmithWasm);
  let run = null;
  let said = ''; // the end of what the program wrote, to know what it asks
  // The program's question for a bind's key (its text from the program,
  // page-data.js) ends its output while it waits.
  const { before, after } = bindsmithData.keyQuestion;
  const asksForKey = () => {
    const at = said.lastIndexOf(before);
    return Boolean(run && run.waiting) && at >= 0 && said.endsWith(after) &&
      !said.includes('\n', at);
  };

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

  startRun();
})();
