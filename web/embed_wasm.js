// Writes the program's WebAssembly into a script, bindsmith-wasm.js, that
// sets globalThis.bindsmithWasm to its bytes, gzip-compressed, in base64: a
// page opened from file:// may load scripts, but not fetch a .wasm file, and
// base64 of the bytes as they are would weigh half again as much, even
// served compressed. Run by the build; the level and no file name or time
// in the header make the same bytes every time.
//   node web/embed_wasm.js bindsmith.wasm bindsmith-wasm.js
'use strict';
const fs = require('fs');
const zlib = require('zlib');

const [wasm, script] = process.argv.slice(2);
const packed = zlib.gzipSync(fs.readFileSync(wasm), { level: 9 });
fs.writeFileSync(script, `globalThis.bindsmithWasm = '${packed.toString('base64')}';\n`);
