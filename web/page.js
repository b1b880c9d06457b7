// The page around bindsmith's web build: a terminal whose line discipline is
// a console's (echo, Backspace, Enter, Ctrl-C, Ctrl-D), the script as it
// stands on the program's disk, its download, and a new run.
'use strict';

(() => {
  const terminal = new Terminal({ convertEol: true, cursorBlink: true, rows: 30, scrollback: 5000 });
  terminal.open(document.getElementById('terminal'));

  const download = document.getElementById('download');
  const newRun = document.getElementById('new-run');
  const scriptName = document.getElementById('script-name');
  const scriptText = document.getElementById('script-text');
  const runStatus = document.getElementById('run-status');
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  // The program is fetched and compiled once, when the page opens: a new
  // run needs no network.
  const program = WebAssembly.compileStreaming(fetch('bindsmith.wasm')).catch(() =>
    fetch('bindsmith.wasm')
      .then((response) => response.arrayBuffer())
      .then((bytes) => WebAssembly.compile(bytes)),
  );

  let run = null;

  function startRun() {
    if (run) run.abandon();
    terminal.reset();
    scriptName.textContent = 'No script yet';
    scriptText.textContent = '';
    download.disabled = true;
    runStatus.textContent = '';
    run = new Run();
    terminal.focus();
  }

  class Run {
    constructor() {
      this.transcript = [];
      this.output = [];
      this.line = []; // the line being edited: [bytes, columns shown] per character
      this.lineStart = 0; // the column where the line being edited began
      this.lines = []; // lines sent with Enter, not yet read
      this.endOfInput = false;
      this.interrupted = false;
      this.waiting = null; // the resolver of the program's read
      this.finished = false;
      this.status = null;
      this.abandoned = false;
      this.script = null; // { name, bytes }
      this.module = {
        arguments: [],
        stdin: () => null,
        stdout: (byte) => this.put(byte, true),
        stderr: (byte) => this.put(byte, false),
        bindsmithRead: (size) => this.read(size),
        bindsmithInterrupted: () => this.interrupted,
        onExit: (status) => this.finish(status),
        instantiateWasm: (imports, receive) => {
          program
            .then((compiled) => WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled)))
            .catch((error) => this.fail(error));
          return {};
        },
      };
      createBindsmith(this.module);
    }

    put(byte, isOutput) {
      if (this.abandoned) return;
      const value = byte & 0xff;
      if (isOutput) this.transcript.push(value);
      // Shown at once when the program waits or ends; a burst of output is
      // one write to the terminal.
      if (this.output.length === 0) queueMicrotask(() => this.show());
      this.output.push(value);
    }

    show() {
      if (this.output.length === 0 || this.abandoned) return;
      terminal.write(new Uint8Array(this.output));
      this.output = [];
    }

    // The program asks for input: one line at a time, as a console gives it,
    // so that Ctrl-C stops everything typed after it from being read.
    read(size) {
      this.show();
      this.refreshScript();
      if (this.interrupted) return null;
      if (this.lines.length > 0) return this.takeLine(size);
      if (this.endOfInput) {
        this.endOfInput = false;
        return new Uint8Array(0);
      }
      return new Promise((resolve) => {
        this.waiting = { resolve, size };
      });
    }

    takeLine(size) {
      const line = this.lines[0];
      if (line.length <= size) {
        this.lines.shift();
        return line;
      }
      this.lines[0] = line.subarray(size);
      return line.subarray(0, size);
    }

    // Hands what there is to a program that waits.
    wake() {
      if (!this.waiting) return;
      const { resolve, size } = this.waiting;
      if (this.interrupted) {
        this.waiting = null;
        resolve(null);
      } else if (this.lines.length > 0) {
        this.waiting = null;
        resolve(this.takeLine(size));
      } else if (this.endOfInput) {
        this.waiting = null;
        this.endOfInput = false;
        resolve(new Uint8Array(0));
      }
    }

    // Keys and pasted text, as a console's line discipline takes them.
    type(data) {
      if (this.finished || this.abandoned) return;
      let echo = '';
      for (const character of data) {
        const code = character.codePointAt(0);
        if (character === '\r' || character === '\n') {
          echo += '\r\n';
          this.send(true);
        } else if (code === 0x7f || code === 0x08) {
          const last = this.line.pop();
          if (last) echo += '\b \b'.repeat(last[1]);
        } else if (code === 0x03) {
          // Ctrl-C: the line and everything typed ahead are dropped, as a
          // console drops them, and the run ends as the program says.
          echo += '^C\r\n';
          this.line = [];
          this.lines = [];
          this.interrupted = true;
        } else if (code === 0x04) {
          // Ctrl-D: on an empty line the end of input, otherwise the line
          // goes as it is, without a line break.
          if (this.line.length === 0) this.endOfInput = true;
          else this.send(false);
        } else if (code === 0x15) {
          // Ctrl-U: the whole line is erased.
          for (const [, columns] of this.line) echo += '\b \b'.repeat(columns);
          this.line = [];
        } else if (code === 0x09) {
          // A tab moves to the next tab stop, eight columns apart.
          const column = this.column();
          this.line.push([new Uint8Array([code]), 8 - (column % 8)]);
          echo += '\t';
        } else if (code < 0x20) {
          // Any other control byte is taken, and shown as ^X.
          this.column();
          this.line.push([new Uint8Array([code]), 2]);
          echo += '^' + String.fromCharCode(code + 0x40);
        } else {
          this.column();
          this.line.push([encoder.encode(character), 1]);
          echo += character;
        }
      }
      if (echo) terminal.write(echo);
      this.wake();
    }

    // The column the next typed character lands in.
    column() {
      if (this.line.length === 0) this.lineStart = terminal.buffer.active.cursorX;
      return this.line.reduce((sum, [, columns]) => sum + columns, this.lineStart);
    }

    send(withLineBreak) {
      const parts = this.line.map(([bytes]) => bytes);
      if (withLineBreak) parts.push(new Uint8Array([10]));
      const length = parts.reduce((sum, part) => sum + part.length, 0);
      const bytes = new Uint8Array(length);
      let at = 0;
      for (const part of parts) {
        bytes.set(part, at);
        at += part.length;
      }
      this.line = [];
      this.lines.push(bytes);
    }

    // The script on the program's disk: the one .cfg file in its folder.
    // Read whenever the program waits, so it grows group by group.
    refreshScript() {
      if (this.abandoned || !this.module.FS) return;
      const FS = this.module.FS;
      const folder = FS.cwd();
      const name = FS.readdir(folder).find((entry) => entry.endsWith('.cfg'));
      if (!name) return;
      const bytes = FS.readFile(`${folder}/${name}`);
      this.script = { name, bytes };
      scriptName.textContent = name;
      scriptText.textContent = decoder.decode(bytes);
      scriptText.scrollTop = scriptText.scrollHeight;
      download.disabled = false;
    }

    finish(status) {
      this.finished = true;
      this.status = status;
      this.show();
      this.refreshScript();
      if (this.abandoned) return;
      const how = {
        0: 'The run has ended.',
        130: 'Ctrl-C ended the run; the script keeps every bind made before it.',
      };
      runStatus.textContent = `${how[status] || `The run has ended (status ${status}).`} "New run" starts another.`;
    }

    fail(error) {
      runStatus.textContent = `The program could not be started: ${error.message}. Reload the page to try again.`;
    }

    // A new run replaces this one: Ctrl-C lets the program finish its
    // script quietly, and nothing of it reaches the page any more.
    abandon() {
      this.abandoned = true;
      this.interrupted = true;
      this.wake();
    }
  }

  // Emscripten ends a run by throwing ExitStatus out of the program once
  // onExit has been told; it is how a run ends, not a fault.
  window.addEventListener('unhandledrejection', (event) => {
    if (event.reason && event.reason.name === 'ExitStatus') event.preventDefault();
  });

  terminal.onData((data) => run && run.type(data));

  download.addEventListener('click', () => {
    if (!run || !run.script) return;
    const { name, bytes } = run.script;
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  });

  newRun.addEventListener('click', startRun);

  // For the browser test: what the program wrote and how the run ended.
  window.bindsmithPage = {
    transcript: () => (run ? run.transcript.slice() : []),
    finished: () => Boolean(run && run.finished),
    status: () => (run ? run.status : null),
    waiting: () => Boolean(run && run.waiting),
  };

  startRun();
})();
