// Runs the web build under node as the console program runs: standard input,
// output and error are this process's own, byte for byte, and the program's
// disk is the real working directory. So the end-to-end transcripts run
// against the very build the page loads. It keeps the contract between the
// page and the program written at the top of web/program_host.js.
//   node tests/web/node_host.js build/web/bindsmith.js [ARGUMENT...]
// (or the site's bindsmith.js, whose WebAssembly is in bindsmith-wasm.js)
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const [program, ...args] = process.argv.slice(2);
const factory = require(path.resolve(program));

// The build's bindsmith.wasm, or the site's copy of it (gzip, in base64).
function programBytes() {
  const wasm = program.replace(/\.js$/, '.wasm');
  if (fs.existsSync(wasm)) return fs.readFileSync(wasm);
  require(path.resolve(path.dirname(program), 'bindsmith-wasm.js'));
  return zlib.gunzipSync(Buffer.from(globalThis.bindsmithWasm, 'base64'));
}

// Bytes leave in whole lines, and before every read, so that a prompt is out
// before its answer is awaited. A write that fails throws inside the
// program's write call, which reports it as its failure; one that fails
// while flushing before a read fails the program's next write.
function byteWriter(descriptor) {
  let pending = [];
  let failure = null;
  const flush = () => {
    if (pending.length === 0) return;
    const bytes = Buffer.from(pending);
    pending = [];
    let done = 0;
    while (done < bytes.length) done += fs.writeSync(descriptor, bytes, done);
  };
  const put = (byte) => {
    if (failure) throw failure;
    pending.push(byte < 0 ? byte + 256 : byte);
    if (byte === 10 || pending.length >= 4096) flush();
  };
  const flushQuietly = () => {
    try {
      flush();
    } catch (error) {
      failure = error;
    }
  };
  return { put, flush: flushQuietly };
}
const stdout = byteWriter(1);
const stderr = byteWriter(2);

function readInput(size) {
  stdout.flush();
  stderr.flush();
  const block = Buffer.alloc(size);
  for (;;) {
    try {
      return block.subarray(0, fs.readSync(0, block, 0, size, null));
    } catch (error) {
      if (error.code === 'EAGAIN') continue;
      // A directory or a closed descriptor: the end of input, as for the
      // console program.
      return block.subarray(0, 0);
    }
  }
}

const cwd = process.cwd();
factory({
  arguments: args,
  wasmBinary: programBytes(),
  stdin: () => null,
  stdout: stdout.put,
  stderr: stderr.put,
  bindsmithRead: readInput,
  preRun: [
    (module) => {
      module.FS.mkdirTree(cwd);
      module.FS.mount(module.FS.filesystems.NODEFS, { root: cwd }, cwd);
      module.FS.chdir(cwd);
    },
  ],
  onExit: (status) => {
    stdout.flush();
    stderr.flush();
    process.exitCode = status;
  },
});
