// The page's line discipline under node: what the program reads and what
// the terminal echoes for what the player types or pastes.
//   node --test tests/web/line_discipline_test.js
'use strict';
const assert = require('assert');
const test = require('node:test');
const { LineDiscipline } = require('../../web/line_discipline.js');

const atColumn = (column) => () => column;

// Everything the program can read now, as text.
function readAll(discipline, size = 4096) {
  let text = '';
  for (let block = discipline.take(size); block && block.length > 0;
    block = discipline.take(size)) {
    text += Buffer.from(block).toString('latin1');
  }
  return text;
}

test('lines reach the program whole, mended as typed', () => {
  const samples = [
    // typed, what the program reads, the echo
    ['15\r', '15\n', '15\r\n'],
    ['3\x7f2\rpux\bb\r', '2\npub\n', '3\b \b2\r\npux\b \bb\r\n'],
    ['12\x15 4\n', ' 4\n', '12\b \b\b \b 4\r\n'],
    ['\x7f7\r', '7\n', '7\r\n'], // Backspace on an empty line does nothing
    ['a\x01\r', 'a\x01\n', 'a^A\r\n'], // a control byte is taken, and shown as ^X
    ['\u00e9\x7f\r', '\n', '\u00e9\b \b\r\n'], // a two-byte character goes whole
    ['\u00e9\r', '\xc3\xa9\n', '\u00e9\r\n'],
    // A wide character takes two columns, and mending takes back both.
    ['\u4e2d\x7f\r', '\n', '\u4e2d\b \b\b \b\r\n'],
    ['a\u4e2d\x15b\r', 'b\n', `a\u4e2d${'\b \b'.repeat(3)}b\r\n`],
  ];
  for (const [typed, read, echo] of samples) {
    const discipline = new LineDiscipline();
    assert.strictEqual(discipline.type(typed, atColumn(0)), echo, JSON.stringify(typed));
    assert.strictEqual(readAll(discipline), read, JSON.stringify(typed));
  }
});

test('a line typed but not ended is not read', () => {
  const discipline = new LineDiscipline();
  discipline.type('2', atColumn(0));
  assert.strictEqual(discipline.take(4096), undefined);
  discipline.type('\r', atColumn(0));
  assert.strictEqual(readAll(discipline), '2\n');
});

test('a tab moves to the next tab stop, and Backspace takes its whole width', () => {
  const discipline = new LineDiscipline();
  assert.strictEqual(discipline.type('ab\t', atColumn(30)), 'ab\t');
  // From column 30, "ab" ends at 32 and the tab goes on to 40.
  assert.strictEqual(discipline.type('\x7f', atColumn(99)), '\b \b'.repeat(8));
});

test('a line begins where the cursor stands then, and only then', () => {
  const discipline = new LineDiscipline();
  discipline.type('ab', atColumn(30));
  // The cursor has moved on with the echo; a tab still counts from where
  // the line began: "ab" ends at 32, the tab goes on to 40.
  assert.strictEqual(discipline.type('\t\x7f', atColumn(32)), `\t${'\b \b'.repeat(8)}`);
  discipline.type('\r', atColumn(32));
  // The next line begins afresh, at column 3.
  assert.strictEqual(discipline.type('\t\x7f', atColumn(3)), `\t${'\b \b'.repeat(5)}`);
});

test('a line just as long as a read takes is read whole, nothing held back', () => {
  const size = 4096;
  for (const length of [size - 1, size, size + 1]) {
    const discipline = new LineDiscipline();
    discipline.type(`${'x'.repeat(length - 1)}\r`, atColumn(0));
    assert.strictEqual(discipline.take(size).length, Math.min(length, size), `${length}`);
    // An empty block would be the end of input.
    const rest = discipline.take(size);
    assert.deepStrictEqual(rest && Buffer.from(rest).toString(), length > size ? '\n' : undefined,
      `${length}`);
  }
});

test('a long line is read in blocks of the size asked for', () => {
  const discipline = new LineDiscipline();
  discipline.type(`${'x'.repeat(10)}\r`, atColumn(0));
  assert.strictEqual(Buffer.from(discipline.take(4)).toString(), 'xxxx');
  assert.strictEqual(readAll(discipline, 4), 'xxxxxx\n');
});

test('Ctrl-C drops the line and everything typed ahead, and ends input', () => {
  const discipline = new LineDiscipline();
  assert.strictEqual(discipline.type('2\rpub\r1\r4\x03', atColumn(0)), '2\r\npub\r\n1\r\n4^C\r\n');
  assert.strictEqual(discipline.interrupted, true);
  assert.strictEqual(discipline.take(4096), undefined);
  assert.strictEqual(discipline.type('15\r', atColumn(0)), '', 'nothing is taken after it');
});

test('Ctrl-D ends input on an empty line, and sends the line as it stands otherwise', () => {
  const discipline = new LineDiscipline();
  discipline.type('15\x04', atColumn(0));
  assert.strictEqual(Buffer.from(discipline.take(4096)).toString(), '15');
  assert.strictEqual(discipline.take(4096), undefined);
  discipline.type('\x04', atColumn(0));
  assert.strictEqual(discipline.take(4096).length, 0, 'the end of input');
  assert.strictEqual(discipline.take(4096), undefined, 'read once');
});
