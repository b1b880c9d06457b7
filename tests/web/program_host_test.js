// The program host's own parts under node, with a stand-in for the
// program: what reaches the terminal and the transcript, how a read waits
// for typing, how Ctrl-C and a new run end it, and which file is the script.
//   node --test tests/web/program_host_test.js
'use strict';
const assert = require('assert');
const test = require('node:test');
const { ProgramHost } = require('../../web/program_host.js');
const { LineDiscipline } = require('../../web/line_discipline.js');

// A host around a stand-in program: `factory` gets the module object the
// host hands emscripten's factory; the events are recorded.
function host(files = {}) {
  const events = { output: [], reading: 0, exit: [] };
  let module = null;
  const run = new ProgramHost((given) => {
    module = given;
    module.FS = {
      cwd: () => '/home/web_user',
      readdir: () => ['.', '..', ...Object.keys(files)],
      readFile: (file) => files[file.replace('/home/web_user/', '')],
    };
  }, Promise.resolve(), new LineDiscipline(), {
    output: (bytes) => events.output.push(Buffer.from(bytes).toString('latin1')),
    reading: () => { events.reading += 1; },
    exit: (status) => events.exit.push(status),
    failure: (error) => assert.fail(error),
  });
  const write = (text, stream = 'stdout') => {
    for (const byte of Buffer.from(text, 'latin1')) module[stream](byte > 127 ? byte - 256 : byte);
  };
  return { run, module, events, write };
}

const text = (block) => Buffer.from(block).toString('latin1');
const settled = () => new Promise((resolve) => setImmediate(resolve));

test('a burst of output is one write to the terminal; only standard output is the transcript',
  async () => {
    const { run, events, write } = host();
    write('Enter a Main Menu choice, 1-15 ');
    write('oops\n', 'stderr');
    write('\xe9');
    await settled();
    assert.deepStrictEqual(events.output, ['Enter a Main Menu choice, 1-15 oops\n\xe9']);
    assert.strictEqual(text(run.transcript), 'Enter a Main Menu choice, 1-15 \xe9');
  });

test('a read waits for a whole typed line, and takes what was typed ahead at once', async () => {
  const { run, module, events, write } = host();
  write('? ');
  const waiting = module.bindsmithRead(4096);
  assert(waiting instanceof Promise, 'nothing typed yet: the read waits');
  assert.deepStrictEqual([events.output, events.reading], [['? '], 1], 'the prompt is out first');
  run.discipline.type('1', () => 0);
  run.wake();
  assert(run.waiting, 'half a line is not read');
  run.discipline.type('5\r2\r', () => 0);
  run.wake();
  assert.strictEqual(text(await waiting), '15\n');
  assert.strictEqual(text(module.bindsmithRead(1)), '2', 'at most the size asked for');
  assert.strictEqual(text(module.bindsmithRead(4096)), '\n');
});

test('Ctrl-C and a new run end the program\'s reads; its end is reported once', async () => {
  const first = host();
  const waiting = first.module.bindsmithRead(4096);
  first.run.discipline.type('\x03', () => 0);
  assert.strictEqual(first.module.bindsmithInterrupted(), true);
  first.run.wake();
  assert.strictEqual(await waiting, null, 'the read ends by the interrupt');
  first.module.onExit(130);
  assert.deepStrictEqual([first.run.finished, first.run.status, first.events.exit],
    [true, 130, [130]]);

  const second = host();
  const abandoned = second.module.bindsmithRead(4096);
  second.run.abandon();
  assert.strictEqual(await abandoned, null);
  second.write('finishing quietly\n');
  second.module.onExit(130);
  await settled();
  assert.deepStrictEqual([second.events.output, second.events.exit], [[], []],
    'nothing of an abandoned run reaches the page');
});

test('the script is the one .cfg file in the program\'s folder', () => {
  assert.strictEqual(host({ 'notes.txt': 'x' }).run.script(), null, 'not named yet');
  const bytes = new Uint8Array([98, 105, 110, 100]);
  assert.deepStrictEqual(host({ 'notes.txt': 'x', 'pub.cfg': bytes }).run.script(),
    { name: 'pub.cfg', bytes });
});
