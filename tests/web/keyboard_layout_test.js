// The keyboard picture's pure parts under node, with the program's own data
// as the build writes it for the page: every bindable key has its place,
// and a script's bind and alias lines give each key its label.
//   BINDSMITH_PAGE_DATA=build/web/site/page-data.js node --test tests/web/keyboard_layout_test.js
'use strict';
const assert = require('assert');
const path = require('path');
const test = require('node:test');
const { keyboardLayout } = require('../../web/keyboard_layout.js');
const { spokenText } = require('../../web/spoken.js');

require(path.resolve(process.env.BINDSMITH_PAGE_DATA));
const data = globalThis.bindsmithData;
const { keyPlaces, keyLabels, labelWords, keyboardSvg } = keyboardLayout;

test('the picture has the program\'s 47 keys, each once, none on another\'s place', () => {
  const places = keyPlaces(data.keys);
  assert.strictEqual(places.length, 47);
  assert.deepStrictEqual(places.map((place) => place.key).sort(), [...data.keys].sort());
  const spots = new Set(places.map(({ row, left }) => `${row} ${left}`));
  assert.strictEqual(spots.size, 47);
  // Places on a US keyboard: q under 1 and 2, a under q and w, '*' right
  // of the main block.
  const at = Object.fromEntries(places.map((place) => [place.key, place]));
  assert.deepStrictEqual([at.q.row, at.a.row, at.z.row, at['1'].row], [1, 2, 3, 0]);
  assert(at['1'].left < at.q.left && at.q.left < at.a.left && at.a.left < at.z.left);
  assert(at['*'].left > at['='].left && at['*'].left > at['\\'].left);
  assert.throws(() => keyPlaces(`${data.keys}\``), /has no place/);
});

test('each bind is labelled with its weapon and add-ons, from its alias', () => {
  const script = [
    'bind k uspa',
    'alias uspa "buyweapon;menuselect 1;menuselect 1;buyammo;menuselect 1;buyammo;menuselect 1;' +
      'showplayerinfo"',
    'bind ";" mparaa',
    'alias mparaa "buyweapon;menuselect 5;menuselect 1;buyitem;menuselect 1;showplayerinfo"',
    'bind j uspb',
    'alias uspb "buyweapon;menuselect 4;menuselect 5;buyammo;menuselect 2;buyitem;menuselect  3;' +
      'buyitem;menuselect 1;buyitem;menuselect 5;buyitem;menuselect 4;buyitem;menuselect 4;' +
      'showplayerinfo"',
    'bind e equipmenta',
    'alias equipmenta ";buyammo;menuselect 1;buyitem;menuselect 3;showplayerinfo"',
    'alias +quickflash "use weapon_flashbang;wait;+attack"',
    'bind f +quickflash',
    'bind h +quickhe',
    'bind q quickknife',
    'alias quickknife  "use weapon_knife"',
    'bind x nothinga',
  ].join('\n');
  const labels = keyLabels(script, data.weapons);
  const words = [...labels].map(([key, label]) => labelWords(key, label));
  assert.deepStrictEqual(words, [
    'k: H&K USP .45 Tactical, 2 primary ammunition',
    ';: FN M249 Para, regular kevlar',
    // The weapon comes from the buy command, not from the alias's name.
    'j: AK-47, 1 secondary ammunition, full kevlar, else regular, 1 HE grenade, ' +
      '2 conc grenades',
    'e: Equipment, 1 primary ammunition, full kevlar',
    'f: Flash',
    'h: HE',
    'q: Knife',
  ]);
  assert.deepStrictEqual([labels.get('k').short, labels.get('j').short], ['usp', 'ak47']);
  assert.strictEqual(labelWords('m', undefined), 'm: free');
  assert.strictEqual(keyLabels('bind k uspa\r\nalias uspa "buyweapon;menuselect 3;menuselect 3;' +
    'showplayerinfo"\r\n', data.weapons).get('k').name, 'FN P90', 'a script with CR LF');
});

test('the saved picture marks the bound keys and lists them, in black on white', () => {
  const places = keyPlaces(data.keys);
  const labels = keyLabels('bind k uspa\nalias uspa "buyweapon;menuselect 1;menuselect 1;' +
    'showplayerinfo"\n', data.weapons);
  const svg = keyboardSvg(places, labels, 'pub.cfg: the binds');
  assert.strictEqual((svg.match(/<rect x=/g) || []).length, 47);
  assert.strictEqual((svg.match(/stroke-width="3"/g) || []).length, 1, 'one key bound');
  assert.match(svg, />k: H&amp;K USP \.45 Tactical</);
  assert.doesNotMatch(svg, /fill="#(?!fff)/, 'nothing but white fills');
});

test('the dialogue is heard without its rows of stars', () => {
  const menu = '\n*******************************************************\n\n' +
    '***********************GUN BINDS******************\n4. Pistol      5. Shotgun\n' +
    'Enter a Main Menu choice, 1-15 ';
  assert.strictEqual(spokenText(menu), 'GUN BINDS\n4. Pistol 5. Shotgun\n' +
    'Enter a Main Menu choice, 1-15');
});
