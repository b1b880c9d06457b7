// Writes page-data.js, what the page knows of the program, all of it taken
// from the program itself: the keys that can be bound, the question that
// asks for one and the weapon catalogue (printed by the build's page-data
// tool), and the widest line of
// the main menu and its refusals' frame (measured from what the program
// writes for a session that quits at once), which sets the terminal's font
// size. Run by the build.
//   node web/make_page_data.js PAGE_DATA_TOOL NODE_HOST PROGRAM OUTPUT
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');

const [tool, host, program, output] = process.argv.slice(2);
const run = (args, input) => execFileSync(process.execPath, args,
  { input, cwd: os.tmpdir(), encoding: 'latin1' });

const data = JSON.parse(run([tool]));
const menu = run([host, program], `${data.quit}\n`);
// The menu's lines and the frame of a refusal shown with it; the cursor
// stands one cell past the end of a prompt.
data.widestLine = Math.max(data.frameWidth, ...menu.split('\n').map((line) => line.length)) + 1;
delete data.frameWidth;
delete data.quit;
fs.writeFileSync(output, '// Written by the build from the program: see web/make_page_data.js.\n' +
  `globalThis.bindsmithData = ${JSON.stringify(data)};\n`);
