// The terminal's fit and the keys the browser keeps, under node.
//   node --test tests/web/terminal_screen_test.js
'use strict';
const assert = require('assert');
const test = require('node:test');
const { fontSizeFor, heightFor, browserKeeps } = require('../../web/terminal_screen.js');

test('the font is the largest that fits the widest line, from 11 to 14 pixels', () => {
  // A 56-column line in 0.6-pixel cells per pixel of font: 14 px needs 470.4.
  const samples = [[1366, 14], [471, 14], [470, 13], [437, 13], [436, 12], [320, 11], [200, 11]];
  for (const [width, size] of samples) assert.strictEqual(fontSizeFor(width, 56), size, `${width}`);
});

test('the terminal takes the screen left below the header, at least twelve rows', () => {
  const fewest = 12 * Math.ceil(14 * 1.2); // 204 pixels
  assert.strictEqual(heightFor(844, 300, 40, 14), 504); // what is left below the header
  assert.strictEqual(heightFor(844, 700, 40, 14), fewest); // a tall header: scrolled to
  assert.strictEqual(heightFor(844, 0, 40, 14), 804);
  assert.strictEqual(heightFor(150, 0, 40, 14), fewest); // a tiny screen: still twelve rows
});

test('the browser keeps the keys that copy, paste and move on, and no other', () => {
  const key = (k, more = {}) => ({ type: 'keydown', key: k, ...more });
  const kept = [
    [key('c', { ctrlKey: true }), true],
    [key('C', { metaKey: true }), true],
    [key('v', { ctrlKey: true }), false],
    [key('v', { metaKey: true }), false],
    [key('Insert', { shiftKey: true }), false],
    [key('Tab'), false],
    [key('Tab', { shiftKey: true }), false],
  ];
  for (const [event, needsSelection] of kept) {
    assert.strictEqual(browserKeeps(event, true), true, JSON.stringify(event));
    assert.strictEqual(browserKeeps(event, false), !needsSelection, JSON.stringify(event));
  }
  // Ctrl-C without a selection is the interrupt; the rest are the program's.
  const programs = [key('c'), key('u', { ctrlKey: true }),
    key('v', { ctrlKey: true, altKey: true }), key('Tab', { ctrlKey: true }),
    key('Tab', { altKey: true }), key('Enter'), { type: 'keyup', key: 'v', ctrlKey: true }];
  for (const event of programs) {
    assert.strictEqual(browserKeeps(event, false), false, JSON.stringify(event));
  }
});
