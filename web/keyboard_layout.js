// The keyboard picture's pure parts: where each bindable key sits on a US
// keyboard, what a script binds to each key (read from its bind and alias
// lines, the weapons named from the program's own catalogue), and the
// picture as an SVG file, a cheat sheet that prints in black and white. No
// DOM here.
'use strict';

(function (exports) {
  // The rows of the main block, each with where its first key sits, in key
  // widths from the block's left edge (the backtick's place, left empty:
  // that key opens the game's console); and the keypad's '*', drawn just
  // right of the main block so that the picture stays narrow.
  const kRows = [
    { keys: '1234567890-=', left: 1 },
    { keys: 'qwertyuiop[]\\', left: 1.5 },
    { keys: 'asdfghjkl;\'', left: 1.75 },
    { keys: 'zxcvbnm,./', left: 2.25 },
  ];
  const kKeypad = { key: '*', left: 14, row: 0 };
  const kWidth = 15; // key widths, the keypad's '*' included

  // Each of `keys` (the program's bindable keys) with its place: row, and
  // left edge in key widths. A key without a place is a fault of this table.
  function keyPlaces(keys) {
    const places = new Map();
    kRows.forEach(({ keys: row, left }, index) => {
      [...row].forEach((key, at) => places.set(key, { key, row: index, left: left + at }));
    });
    places.set(kKeypad.key, { key: kKeypad.key, row: kKeypad.row, left: kKeypad.left });
    return [...keys].map((key) => {
      const place = places.get(key);
      if (!place) throw new Error(`the key ${key} has no place on the keyboard`);
      return place;
    });
  }

  // The add-on fragments of a buy alias, as the script spells them, and
  // what each buys. The kevlar tried full then regular comes first: it
  // holds the other two kevlar fragments.
  const kAddOns = [
    [';buyitem;menuselect  3;buyitem;menuselect 1', 'kevlar', 'full kevlar, else regular'],
    [';buyammo;menuselect 1', 'primary', null],
    [';buyammo;menuselect 2', 'secondary', null],
    [';buyitem;menuselect 3', 'kevlar', 'full kevlar'],
    [';buyitem;menuselect 1', 'kevlar', 'regular kevlar'],
    [';buyitem;menuselect 5', 'he', null],
    [';buyitem;menuselect 4', 'conc', null],
  ];
  const kQuick = {
    '+quickflash': { name: 'Flash', short: 'flash' },
    '+quickhe': { name: 'HE', short: 'HE' },
    quickknife: { name: 'Knife', short: 'knife' },
  };
  const counted = (count, one, many) => (count === 1 ? `1 ${one}` : `${count} ${many}`);

  // What the add-ons in `rest` (an alias's text after its weapon) buy.
  function addOnWords(rest) {
    const counts = { primary: 0, secondary: 0, he: 0, conc: 0 };
    let kevlar = null;
    for (let at = 0; at < rest.length;) {
      const found = kAddOns.find(([fragment]) => rest.startsWith(fragment, at));
      if (!found) {
        at = rest.indexOf(';', at + 1) === -1 ? rest.length : rest.indexOf(';', at + 1);
        continue;
      }
      const [fragment, what, words] = found;
      if (what === 'kevlar') kevlar = words;
      else counts[what] += 1;
      at += fragment.length;
    }
    return [
      counts.primary && `${counts.primary} primary ammunition`,
      counts.secondary && `${counts.secondary} secondary ammunition`,
      kevlar,
      counts.he && counted(counts.he, 'HE grenade', 'HE grenades'),
      counts.conc && counted(counts.conc, 'conc grenade', 'conc grenades'),
    ].filter(Boolean);
  }

  const unquoted = (key) => (/^".*"$/.test(key) ? key.slice(1, -1) : key);

  // What `text` (a script) binds: key to { name, short, addOns }, in the
  // order of its binds. `weapons` is the program's catalogue.
  function keyLabels(text, weapons) {
    const aliases = new Map();
    const binds = [];
    for (const line of text.split(/\r?\n/)) {
      const alias = /^alias (\S+) +"(.*)"$/.exec(line);
      if (alias) aliases.set(alias[1], alias[2]);
      const bind = /^bind ("[^"]*"|\S+) (\S+)$/.exec(line);
      if (bind) binds.push([unquoted(bind[1]), bind[2]]);
    }
    const labels = new Map();
    for (const [key, target] of binds) {
      if (kQuick[target]) {
        labels.set(key, { ...kQuick[target], addOns: [] });
        continue;
      }
      const body = aliases.get(target);
      if (body === undefined) continue;
      const buy = /^buyweapon;menuselect (\d+);menuselect (\d+)/.exec(body);
      const weapon = buy
        ? weapons.find((row) => row.category === buy[1] && row.item === buy[2])
        : weapons.find((row) => row.equipment);
      if (!weapon) continue;
      labels.set(key, {
        name: weapon.equipment ? 'Equipment' : weapon.name,
        short: weapon.stem.slice(0, -1),
        addOns: addOnWords(body.slice(buy ? buy[0].length : 0)),
      });
    }
    return labels;
  }

  // A key's use in plain words: "k: H&K USP .45 Tactical, 2 primary ammunition".
  const labelWords = (key, label) =>
    `${key}: ${label ? [label.name, ...label.addOns].join(', ') : 'free'}`;

  const xml = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
    .replace(/"/g, '&quot;');

  // The picture as an SVG file: the keys, each bound one drawn with a heavy
  // border and its short label, and below them the binds in plain words.
  // Black on white, no colour: it prints as it shows.
  function keyboardSvg(places, labels, title) {
    const kKey = 40;
    const kGap = 4;
    const rows = Math.max(...places.map((place) => place.row)) + 1;
    const listTop = rows * (kKey + kGap) + 40;
    const width = kWidth * (kKey + kGap) + 16;
    const lines = places.filter(({ key }) => labels.has(key))
      .map(({ key }) => labelWords(key, labels.get(key)));
    const height = listTop + lines.length * 18 + 12;
    const keys = places.map(({ key, row, left }) => {
      const x = 8 + left * (kKey + kGap);
      const y = 28 + row * (kKey + kGap);
      const label = labels.get(key);
      const border = label ? 'stroke="#000" stroke-width="3"' : 'stroke="#777" stroke-width="1"';
      const short = label ? `<text x="${x + kKey / 2}" y="${y + 33}" font-size="9" ` +
        `text-anchor="middle">${xml(label.short.slice(0, 7))}</text>` : '';
      return `<rect x="${x}" y="${y}" width="${kKey}" height="${kKey}" rx="4" fill="#fff" ` +
        `${border}/><text x="${x + kKey / 2}" y="${y + 18}" font-size="15" ` +
        `font-weight="${label ? 'bold' : 'normal'}" text-anchor="middle">${xml(key)}</text>` +
        short;
    });
    const list = lines.map((line, index) =>
      `<text x="8" y="${listTop + index * 18}" font-size="13">${xml(line)}</text>`);
    return '<?xml version="1.0" encoding="UTF-8"?>\n' +
      `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" ` +
      `viewBox="0 0 ${width} ${height}" font-family="sans-serif">\n` +
      `<rect width="${width}" height="${height}" fill="#fff"/>\n` +
      `<text x="8" y="18" font-size="14" font-weight="bold">${xml(title)}</text>\n` +
      `${keys.join('\n')}\n${list.join('\n')}\n</svg>\n`;
  }

  exports.keyboardLayout = { keyPlaces, keyLabels, labelWords, keyboardSvg, kWidth };
})(typeof module === 'object' ? module.exports : globalThis);
