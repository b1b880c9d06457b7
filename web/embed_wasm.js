// Writes the program's WebAssembly into a script, bindsmith-wasm.js, that
// sets globalThis.bindsmithWasm to its bytes in base64: a page opened from
// file:// may load scripts, but not fetch a .wasm file. Run by the build.
//   node web/embed_wasm.js bindsmith.wasm bindsmith-wasm.js
'use strict';
const fs = require('fs');

const [wasm, script] = process.argv.slice(2);
const base64 = fs.readFileSync(wasm).toString('base64');
fs.writeFileSync(script, `globalThis.bindsmithWasm = '${base64}';\n`);
