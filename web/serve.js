// Serves the site folder on 127.0.0.1 and prints its address; for trying
// the page locally (scripts/web) and for the browser test. Any static host
// serves the folder as well: the page needs nothing from its server.
//   node web/serve.js SITE_FOLDER [PORT]
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.txt': 'text/plain; charset=utf-8',
  '.svg': 'image/svg+xml',
};

// Starts serving `folder`; resolves to the server once it listens.
function serve(folder, port = 0) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const wanted = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, wanted.endsWith('/') ? `${wanted}index.html` : wanted);
    const found = fs.statSync(file, { throwIfNoEntry: false });
    if (!file.startsWith(root + path.sep) || !found?.isFile()) {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('Not found\n');
      return;
    }
    response.writeHead(200, {
      'Content-Type': types[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
    });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (require.main === module) {
  const [folder, port] = process.argv.slice(2);
  serve(folder, Number(port || 8000)).then((server) => {
    console.log(`bindsmith is at http://127.0.0.1:${server.address().port}/ (Ctrl-C stops serving)`);
  });
}

module.exports = { serve };
