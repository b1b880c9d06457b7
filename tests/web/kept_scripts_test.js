// The scripts the page keeps in the browser, under node: on a storage that
// behaves as a browser's (full, turned off, holding a spoilt copy), across
// runs, reloads and tabs of one page.
//   node --test tests/web/kept_scripts_test.js
'use strict';
const assert = require('assert');
const test = require('node:test');
const { KeptScripts, KeptRun, keptScriptsParts } = require('../../web/kept_scripts.js');

const { pageFolder, bytesToText, textToBytes, unsaved, kChunk } = keptScriptsParts;

// localStorage's interface over a Map; `room` bytes of text, as a browser's
// quota, beyond which setItem throws as a browser's does.
function memoryStorage(room = Infinity) {
  const items = new Map();
  return {
    items,
    get length() { return items.size; },
    key: (i) => [...items.keys()][i] ?? null,
    getItem: (key) => (items.has(key) ? items.get(key) : null),
    setItem(key, value) {
      const used = [...items].reduce((sum, [k, v]) => sum + (k === key ? 0 : v.length), 0);
      if (used + value.length > room) {
        throw Object.assign(new Error('quota'), { name: 'QuotaExceededError' });
      }
      items.set(key, String(value));
    },
    removeItem: (key) => items.delete(key),
  };
}

const script = (name, text) => ({ name, bytes: new Uint8Array(Buffer.from(text, 'latin1')) });
const textOf = (record) => Buffer.from(record.bytes).toString('latin1');

test('one page keeps one set of scripts, whichever address opened it', () => {
  const storage = memoryStorage();
  new KeptRun(new KeptScripts(storage, '/index.html'), 'one').update(script('a.cfg', 'x'), 1);
  new KeptRun(new KeptScripts(storage, '/'), 'two').update(script('b.cfg', 'y'), 2);
  const names = new KeptScripts(storage, '/').list().scripts.map((kept) => kept.name);
  assert.deepStrictEqual(names, ['b.cfg', 'a.cfg']);
  assert.strictEqual(pageFolder('/v2/index.html'), '/v2/');
  assert.deepStrictEqual(new KeptScripts(storage, '/v2/').list().scripts, [],
    'another version of the page, in another folder, keeps its own');
});

test('a new run, a reload or a second tab leaves every earlier script as it was', () => {
  const storage = memoryStorage();
  const first = new KeptRun(new KeptScripts(storage, '/'), 'first');
  first.update(script('pub.cfg', 'bind k uspa\n'), 10);
  // A new run names a script of the same name, empty at first, then grows.
  const second = new KeptRun(new KeptScripts(storage, '/'), 'second');
  second.update(script('pub.cfg', ''), 20);
  second.update(script('pub.cfg', 'r_netgraph 1\n'), 30);
  // A second tab's run, at the same time.
  const tab = new KeptRun(new KeptScripts(storage, '/'), 'tab');
  tab.update(script('lan.cfg', 'name x\n'), 25);
  first.update(script('pub.cfg', 'bind k uspa\nbind j uspb\n'), 40);
  const kept = new KeptScripts(storage, '/').list().scripts;
  assert.deepStrictEqual(kept.map((record) => [record.id, record.name, textOf(record)]), [
    ['first', 'pub.cfg', 'bind k uspa\nbind j uspb\n'],
    ['second', 'pub.cfg', 'r_netgraph 1\n'],
    ['tab', 'lan.cfg', 'name x\n'],
  ], 'newest first, each run its own');
});

test('every byte of a long script comes back in its place', () => {
  const bytes = new Uint8Array(kChunk * 2 + 77);
  for (let i = 0; i < bytes.length; i += 1) bytes[i] = (i * 7 + (i >> 8)) % 256;
  assert.deepStrictEqual(textToBytes(bytesToText(bytes)), bytes);
  const storage = memoryStorage();
  new KeptRun(new KeptScripts(storage, '/'), 'long').update({ name: 'pub.cfg', bytes }, 1);
  assert.deepStrictEqual(new KeptScripts(storage, '/').list().scripts[0].bytes, bytes);
});

test('a script is unsaved while it holds statements no download has saved', () => {
  const storage = memoryStorage();
  const run = new KeptRun(new KeptScripts(storage, '/'), 'run');
  assert.strictEqual(unsaved(run.record), false, 'no script yet');
  run.update(script('pub.cfg', ''), 1);
  assert.strictEqual(unsaved(run.record), false, 'an empty script has nothing to lose');
  run.update(script('pub.cfg', 'bind k uspa\n'), 2);
  assert.strictEqual(unsaved(run.record), true);
  run.downloaded();
  assert.strictEqual(unsaved(run.record), false);
  assert.strictEqual(new KeptScripts(storage, '/').list().scripts[0].downloaded, true);
  assert.strictEqual(run.update(script('pub.cfg', 'bind k uspa\n'), 3), false,
    'read again unchanged, it stays downloaded');
  assert.strictEqual(unsaved(run.record), false);
  run.update(script('pub.cfg', 'bind k uspa\nbind j uspb\n'), 4);
  assert.strictEqual(unsaved(run.record), true, 'grown since the download');
  const [kept] = new KeptScripts(storage, '/').list().scripts;
  assert.deepStrictEqual([kept.downloaded, kept.changed], [false, 4]);
});

test('a copy that cannot be kept or read is said, never dropped', () => {
  const full = memoryStorage(40);
  const run = new KeptRun(new KeptScripts(full, '/'), 'run');
  run.update(script('pub.cfg', 'bind k uspa\n'.repeat(10)), 1);
  assert.match(run.failure, /storage took no more \(QuotaExceededError\)/);
  assert.strictEqual(run.atRisk(), true, 'neither kept nor downloaded');
  run.downloaded();
  assert.strictEqual(run.atRisk(), false);

  const off = new KeptRun(new KeptScripts(null, '/'), 'off');
  off.update(script('pub.cfg', 'x'), 1);
  assert.match(off.failure, /does not let the page keep scripts/);

  const storage = memoryStorage();
  const kept = new KeptScripts(storage, '/');
  new KeptRun(kept, 'good').update(script('pub.cfg', 'x'), 1);
  storage.setItem(`${[...storage.items.keys()][0].replace('good', 'spoilt')}`, '{"name":');
  const { scripts, unreadable } = kept.list();
  assert.deepStrictEqual([scripts.length, unreadable.length], [1, 1]);
  assert.strictEqual(storage.items.size, 2, 'listing removes nothing');
  kept.removeKey(unreadable[0]);
  kept.remove('good');
  assert.strictEqual(storage.items.size, 0);
});

test('forgetting all removes this page\'s scripts and nothing else', () => {
  const storage = memoryStorage();
  storage.setItem('another site\'s setting', '1');
  for (const id of ['a', 'b', 'c']) {
    new KeptRun(new KeptScripts(storage, '/'), id).update(script(`${id}.cfg`, id), 1);
  }
  new KeptRun(new KeptScripts(storage, '/old/'), 'd').update(script('d.cfg', 'd'), 1);
  new KeptScripts(storage, '/index.html').forgetAll();
  assert.deepStrictEqual(new KeptScripts(storage, '/').list().scripts, []);
  assert.strictEqual(new KeptScripts(storage, '/old/').list().scripts.length, 1);
  assert.strictEqual(storage.getItem('another site\'s setting'), '1');
});
