// The program host: one run of bindsmith's WebAssembly build, fed from the
// line discipline, its output handed to the terminal, its script read off
// its own disk, its end reported with its exit status.
//
// THE CONTRACT BETWEEN THE PAGE AND THE PROGRAM. It is written here once;
// src/platform/standard_streams_web.cpp, src/platform/interrupts_web.cpp
// and tests/web/node_host.js keep to it.
// The program is emscripten's modularized build (bindsmith.js, factory
// createBindsmith); its WebAssembly is bindsmith-wasm.js, which sets
// globalThis.bindsmithWasm to the module's bytes, gzip-compressed, in
// base64, so that a page opened from file:// fetches nothing. The host passes the factory a module
// object with:
//   bindsmithRead(size)    standard input. Returns (or resolves to) up to
//                          `size` bytes as a Uint8Array: an empty one is the
//                          end of input, null means the run is ending by
//                          Ctrl-C. The program waits for it (asyncify); it
//                          asks for a line at a time, as a console gives it.
//   bindsmithInterrupted() true once the player pressed Ctrl-C. Every read
//                          asks it first, so answers typed ahead of a Ctrl-C
//                          are never read.
//   stdout(byte), stderr(byte)  each byte the program writes, as signed or
//                          unsigned 8-bit numbers.
//   onExit(status)         the run's end: 0 or 1 as the console program's,
//                          130 when Ctrl-C ended it. The program then
//                          unwinds by emscripten's ExitStatus, which the
//                          read's own continuation catches: no page sees it.
//   FS                     emscripten's file system, exported: the script is
//                          the one NAME.cfg in the program's working folder,
//                          written a whole statement group at a time.
// There are no arguments, no environment and no other signal.
'use strict';

(function (exports) {
  // The program's WebAssembly, unpacked and compiled once: each run
  // instantiates it anew.
  async function compileProgram(base64) {
    const text = atob(base64);
    const packed = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i += 1) packed[i] = text.charCodeAt(i);
    const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    return WebAssembly.compile(await new Response(unpacked).arrayBuffer());
  }

  // One run. `events` are the page's: output(bytes) for the terminal,
  // reading() whenever the program reads (its script may have grown),
  // exit(status), failure(error).
  class ProgramHost {
    constructor(factory, program, discipline, events) {
      this.discipline = discipline;
      this.events = events;
      this.transcript = []; // everything written to standard output
      this.output = [];
      this.waiting = null; // the program's read, while it waits
      this.finished = false;
      this.status = null;
      this.abandoned = false;
      this.module = {
        arguments: [],
        stdin: () => null,
        stdout: (byte) => this.put(byte, true),
        stderr: (byte) => this.put(byte, false),
        bindsmithRead: (size) => this.read(size),
        bindsmithInterrupted: () => this.discipline.interrupted,
        onExit: (status) => this.finish(status),
        instantiateWasm: (imports, receive) => {
          program
            .then((compiled) => WebAssembly.instantiate(compiled, imports)
              .then((instance) => receive(instance, compiled)))
            .catch((error) => this.events.failure(error));
          return {};
        },
      };
      factory(this.module);
    }

    put(byte, isOutput) {
      if (this.abandoned) return;
      const value = byte & 0xff;
      if (isOutput) this.transcript.push(value);
      // A burst of output is one write to the terminal, made when the
      // program waits or ends.
      if (this.output.length === 0) queueMicrotask(() => this.show());
      this.output.push(value);
    }

    show() {
      if (this.output.length === 0 || this.abandoned) return;
      const bytes = new Uint8Array(this.output);
      this.output = [];
      this.events.output(bytes);
    }

    read(size) {
      this.show();
      if (this.abandoned) return null;
      this.events.reading();
      const block = this.next(size);
      if (block !== undefined) return block;
      return new Promise((resolve) => {
        this.waiting = { resolve, size };
      });
    }

    next(size) {
      return this.discipline.interrupted ? null : this.discipline.take(size);
    }

    // Hands what was typed to a program that waits for it.
    wake() {
      if (!this.waiting) return;
      const block = this.next(this.waiting.size);
      if (block === undefined) return;
      const { resolve } = this.waiting;
      this.waiting = null;
      resolve(block);
    }

    // The script on the program's disk, or null before it is named.
    script() {
      const FS = this.module.FS;
      if (!FS) return null;
      const folder = FS.cwd();
      const name = FS.readdir(folder).find((entry) => entry.endsWith('.cfg'));
      return name ? { name, bytes: FS.readFile(`${folder}/${name}`) } : null;
    }

    finish(status) {
      this.finished = true;
      this.status = status;
      this.show();
      if (!this.abandoned) this.events.exit(status);
    }

    // A new run replaces this one: an interrupt lets the program finish its
    // script quietly, and nothing of it reaches the page any more.
    abandon() {
      this.abandoned = true;
      this.discipline.interrupted = true;
      this.wake();
    }
  }

  exports.compileProgram = compileProgram;
  exports.ProgramHost = ProgramHost;
})(typeof module === 'object' ? module.exports : globalThis);
