// The page in headless Chromium and in headless Firefox, opened from its
// folder (file://) as a player opens the unpacked zip, and served; driven as
// a player drives it: whole sessions typed key by key, a pasted block of
// answers, Backspace, Ctrl-C and Ctrl-D, copy and paste, a reload, a laptop's
// and a phone's screen. What the program wrote and the script the page
// downloads must be, byte for byte, what the console program gives for the
// same answers: the transcripts under tests/e2e, which the console builds
// are held to. No request may leave the page's own files, and no page error
// or uncaught exception may be logged. Screenshots are kept.
//   node tests/web/browser_test.js SITE_FOLDER E2E_FOLDER ARTIFACT_FOLDER
'use strict';
const assert = require('assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const { serve } = require('../../web/serve.js');
const { kPatience, launch, typeKeys, chord, paste, downloadScript } = require('./browsers.js');
const screen = require('./screen_checks.js');

const [siteFolder, e2eFolder, artifactFolder] = process.argv.slice(2);
const laptop = { width: 1366, height: 657 };
const smallLaptop = { width: 1024, height: 700 };

function expected(caseName) {
  const folder = path.join(e2eFolder, caseName);
  const read = (name) => fs.readFileSync(path.join(folder, name));
  return {
    stdin: read('stdin').toString('latin1'),
    stdout: read('stdout'),
    status: Number(read('status').toString().trim()),
    script: fs.existsSync(path.join(folder, 'pub.cfg')) ? read('pub.cfg') : null,
  };
}

function sameBytes(actual, wanted, what) {
  const a = Buffer.from(actual);
  if (a.equals(wanted)) return;
  let at = 0;
  while (at < a.length && at < wanted.length && a[at] === wanted[at]) at += 1;
  const around = (bytes) =>
    JSON.stringify(bytes.subarray(Math.max(0, at - 60), at + 60).toString('latin1'));
  assert.fail(`${what} differs at byte ${at} of ${wanted.length} (got ${a.length}):\n` +
    `expected ...${around(wanted)}\nactual   ...${around(a)}`);
}

const wait = (page, condition, ...args) =>
  page.waitForFunction(condition, { timeout: kPatience }, ...args);
const waitUntilWaiting = (page) => wait(page, () => window.bindsmithPage.waiting());
const waitUntilFinished = (page) => wait(page, () => window.bindsmithPage.finished());
const transcript = (page) => page.evaluate(() => window.bindsmithPage.transcript());
const status = (page) => page.evaluate(() => window.bindsmithPage.status());
const text = (page, selector) => page.$eval(selector, (element) => element.textContent);

// Opens the page afresh. Every script is kept in the browser, so leaving
// the page asks nothing.
async function open(page, url) {
  await page.goto(url, { waitUntil: 'load' });
  await waitUntilWaiting(page);
  assert.strictEqual(await text(page, '#run-status'), '', '"Loading..." once the program runs');
  await page.click('#terminal');
}

// Holds the finished run against the case's transcript, its status (or
// `wantStatus`) and its script, as the page's Download button gives it.
async function checkSession(page, engine, caseName, wantStatus) {
  const want = expected(caseName);
  await waitUntilFinished(page);
  sameBytes(await transcript(page), want.stdout, `${caseName}: the program's output`);
  assert.strictEqual(await status(page), wantStatus ?? want.status, `${caseName}: exit status`);
  if (want.script) {
    sameBytes(await downloadScript(page, engine, 'pub.cfg'), want.script,
      `${caseName}: the downloaded script`);
  }
  console.log(`ok ${engine}: ${caseName}`);
}

// Dialogs come only when a check expects one: the answer is given, and any
// other dialog is a failure. An expected dialog that never comes fails too.
function answerDialogs(page, failures) {
  const expecting = [];
  page.on('dialog', async (dialog) => {
    const next = expecting.shift();
    if (!next || next.type !== dialog.type()) failures.push(`unexpected ${dialog.type()} dialog`);
    await (next && next.accept ? dialog.accept() : dialog.dismiss());
    if (next) next.seen();
  });
  return (type, accept) => new Promise((seen, fail) => {
    expecting.push({ type, accept, seen });
    setTimeout(() => fail(new Error(`no ${type} dialog came`)), kPatience);
  });
}

// The kept scripts the page lists, newest first: name and state, as shown.
const keptList = (page) => page.$$eval('#kept-list li > span', (items) =>
  items.map((item) => item.textContent));

// Opened from the unpacked folder: a whole session on a laptop's screen,
// the keyboard picture labelled from it, the script kept through a reload
// and a new run, two tabs keeping a script each, all downloaded byte for
// byte.
async function fromTheFolder(page, engine) {
  await page.setViewport(laptop);
  const url = pathToFileURL(path.join(siteFolder, 'index.html')).href;
  await open(page, url);
  const session = expected('bind-every-weapon-group');
  await typeKeys(page, session.stdin);
  await waitUntilFinished(page);
  sameBytes(await transcript(page), session.stdout, 'a session from file://');
  await screen.checkCursorInView(page, 'after the last answer');
  await screen.checkPicture(page, engine, artifactFolder);

  // A reload asks nothing and starts afresh; the script stays in the list,
  // not downloaded, and downloads from there.
  await page.reload({ waitUntil: 'load' });
  await waitUntilWaiting(page);
  assert.strictEqual(await text(page, '#script-name'), 'No script yet', 'a reload starts afresh');
  assert.deepStrictEqual((await keptList(page)).map((item) => item.replace(/,.*,/, ',')),
    ['pub.cfg, not downloaded'], 'the script kept through a reload');
  sameBytes(await downloadScript(page, engine, 'pub.cfg', '#kept-list li button'),
    session.script, 'the kept script downloaded after a reload');
  assert.match((await keptList(page))[0], /, downloaded$/);

  // A second tab and this one each keep their own run's script, and a new
  // run here, and a reload, leave both.
  const other = await page.browser().newPage();
  await other.setViewport(laptop);
  await open(other, url);
  await other.click('#terminal');
  await typeKeys(other, expected('file-name-accepted').stdin);
  await waitUntilFinished(other);
  // A tab behind another draws no frames: the test works in the one in front.
  await page.bringToFront();
  await page.click('#terminal');
  await typeKeys(page, '2\nlan\n1\n15\n');
  await waitUntilFinished(page);
  await page.click('#new-run');
  await waitUntilWaiting(page);
  await page.reload({ waitUntil: 'load' });
  await waitUntilWaiting(page);
  assert.deepStrictEqual((await keptList(page)).map((item) => item.split(',')[0]),
    ['lan.cfg', 'pub.cfg', 'pub.cfg'], 'each tab keeps its own script, newest first');
  // The other tab, never reloaded, lists what this one kept since.
  await other.bringToFront();
  await wait(other, () => document.querySelectorAll('#kept-list li').length === 3);
  await other.close();

  // The players' guide is part of the site, a page that opens from the
  // folder too and fits a phone's screen.
  const guide = await page.$eval('a[href="guide.html"]', (link) => link.href);
  const reader = await page.browser().newPage();
  await reader.setViewport({ width: 360, height: 640, isMobile: true, hasTouch: true });
  await reader.goto(guide);
  const firstLine = fs.readFileSync(path.join(siteFolder, 'guide.txt'), 'utf8').split('\n')[0];
  assert(firstLine && (await reader.$eval('body', (body) => body.innerText)).includes(firstLine),
    'the guide opens from the page');
  const { scrollWidth, clientWidth } = await reader.evaluate(() => {
    const { scrollWidth: wide, clientWidth: shown } = document.documentElement;
    return { scrollWidth: wide, clientWidth: shown };
  });
  assert(clientWidth > 300 && scrollWidth <= clientWidth,
    `the guide is ${scrollWidth} px wide on a phone's ${clientWidth}`);
  await reader.close();
  console.log(`ok ${engine}: from the folder, the picture, reloads, two tabs and the guide`);
}

// Served, on a smaller laptop: editing, Ctrl-C, Ctrl-D, a paste, New run.
async function served(page, engine, origin, expectDialog) {
  await page.setViewport(smallLaptop);
  // Answers mistyped and mended with Backspace reach the program mended:
  // the same output as the same answers typed plainly.
  await open(page, `${origin}/`);
  await typeKeys(page, '2\npub\n1\n4\n1\nu\n1\n1\n2\n0\n2\n2\n15\n');
  await waitUntilFinished(page);
  const plain = Buffer.from(await transcript(page));
  assert.match(plain.toString('latin1'), /Setting filename to pub\.cfg/);
  await open(page, `${origin}/`);
  await typeKeys(page, '3\b2\npux\bb\n1\n4\n1\nu\n1\n1\n27\b\n0\n2\n2\n15\n');
  await waitUntilFinished(page);
  sameBytes(await transcript(page), plain, 'a session mended with Backspace');
  console.log(`ok ${engine}: backspace`);

  // Ctrl-C in the middle of a buy bind: the alias is finished with the
  // ammunition already chosen, and the run ends with the status a shell
  // shows for Ctrl-C.
  const interrupted = 'ctrl-c-inside-the-add-on-questions-windows';
  await open(page, `${origin}/`);
  await typeKeys(page, expected(interrupted).stdin);
  await wait(page, () => window.bindsmithPage.waiting() &&
    new TextDecoder().decode(new Uint8Array(window.bindsmithPage.transcript()))
      .endsWith('Enter a Kevlar with that choice, 1-2 '));
  await chord(page, 'Control', 'c');
  await checkSession(page, engine, interrupted, 130);

  // Ctrl-D on an empty line at the menu ends input; a pasted block of
  // answers is typed line by line.
  await open(page, `${origin}/`);
  await typeKeys(page, expected('end-of-input-at-the-menu').stdin);
  await chord(page, 'Control', 'd');
  await checkSession(page, engine, 'end-of-input-at-the-menu');
  await open(page, `${origin}/`);
  await paste(page, expected('quick-binds').stdin);
  await checkSession(page, engine, 'quick-binds');
  await screen.checkCursorInView(page, 'after a paste');
  // A paste of 100,000 characters: the same output as the program gives
  // the same input under node.
  const long = `${'x'.repeat(100000)}\n15\n`;
  await open(page, `${origin}/`);
  await paste(page, long);
  await waitUntilFinished(page);
  const byNode = execFileSync(process.execPath, [path.join(__dirname, 'node_host.js'),
    path.join(siteFolder, 'bindsmith.js')], { input: long, cwd: os.tmpdir() });
  sameBytes(await transcript(page), byNode, 'a paste of 100,000 characters');
  console.log(`ok ${engine}: a paste of 100,000 characters`);

  // "New run" in the middle of a run asks nothing: the script is kept.
  await open(page, `${origin}/`);
  const firstMenu = await transcript(page);
  await typeKeys(page, '2\npub\n1\n10\n1\n');
  await wait(page, () => document.querySelector('#script-text').textContent === 'r_netgraph 1\n');
  await page.click('#new-run');
  await waitUntilWaiting(page);
  sameBytes(await transcript(page), Buffer.from(firstMenu), 'a new run\'s output');
  assert(await page.evaluate(() =>
    document.activeElement.classList.contains('xterm-helper-textarea')),
  'after New run, typing goes elsewhere');
  assert.strictEqual(await page.$eval('#download', (button) => button.disabled), true,
    'a new run has no script yet');
  assert.match(await page.$eval('#download', (button) => {
    const reason = document.getElementById(button.getAttribute('aria-describedby'));
    return reason.offsetParent ? reason.textContent : '';
  }), /Name the script first/, 'a disabled Download says why');
  assert.match((await keptList(page))[0], /^pub\.cfg, .*, not downloaded$/,
    'the earlier run\'s script is kept');
  sameBytes(await downloadScript(page, engine, 'pub.cfg', '#kept-list li button'),
    Buffer.from('r_netgraph 1\n'), 'the earlier run\'s script, downloaded');
  // Forget all, after its question, leaves no script kept.
  const asked = expectDialog('confirm', true);
  await page.click('#forget-all');
  await asked;
  assert.deepStrictEqual(await keptList(page), [], 'Forget all left scripts kept');
  await page.reload({ waitUntil: 'load' });
  await waitUntilWaiting(page);
  assert.deepStrictEqual(await keptList(page), [], 'forgotten scripts came back');
  console.log(`ok ${engine}: new run, forget all`);
}

// A browser that keeps nothing (storage turned off): the page says so by
// the script, and New run asks before it would lose the script. And a kept
// copy that cannot be read is said, not dropped.
async function storageRefused(browser, origin, failures) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => failures.push(`page error: ${error.message}`));
  const expectDialog = answerDialogs(page, failures);
  await page.evaluateOnNewDocument(() => {
    Object.defineProperty(window, 'localStorage', {
      get() { throw new DOMException('The storage is turned off', 'SecurityError'); },
    });
  });
  await open(page, `${origin}/`);
  await page.click('#terminal');
  await typeKeys(page, '2\npub\n1\n10\n1\n');
  await wait(page, () => document.querySelector('#script-text').textContent === 'r_netgraph 1\n');
  assert.match(await page.$eval('#keep-problem', (problem) => (problem.hidden ? '' :
    problem.textContent)), /^This script is not kept in the browser: this browser does not let/);
  const asked = expectDialog('confirm', false);
  await page.click('#new-run');
  await asked;
  assert.strictEqual(await text(page, '#script-name'), 'pub.cfg', '"no" keeps the run');
  await page.close();

  // A kept copy the browser can no longer read is listed as such, with its
  // Remove, and stays until removed.
  const context = await browser.createBrowserContext();
  const spoilt = await context.newPage();
  await spoilt.goto(`${origin}/`);
  await spoilt.evaluate(() => localStorage.setItem('bindsmith kept / spoilt', '{"name":'));
  await open(spoilt, `${origin}/`);
  assert.match(await text(spoilt, '#kept-list'), /can no longer read/);
  assert.strictEqual(await spoilt.evaluate(() => localStorage.getItem('bindsmith kept / spoilt')),
    '{"name":', 'a copy that cannot be read was dropped');
  await spoilt.click('#kept-list li button');
  assert.strictEqual(await text(spoilt, '#kept-list'), '');
  await context.close();
}

async function main() {
  fs.mkdirSync(artifactFolder, { recursive: true });
  const server = await serve(siteFolder);
  const origin = `http://127.0.0.1:${server.address().port}`;
  try {
    for (const engine of ['chromium', 'firefox']) await checkEngine(engine, origin);
  } finally {
    server.close();
  }
}

async function checkEngine(engine, origin) {
  const { browser, close } = await launch(engine);
  const foreign = [];
  const failures = [];
  try {
    const page = await browser.newPage();
    page.on('request', (request) => {
      const url = request.url();
      if (!/^(file|blob|data):/.test(url) && !url.startsWith(`${origin}/`)) foreign.push(url);
    });
    page.on('pageerror', (error) => failures.push(`page error: ${error.message}`));
    page.on('console', (message) => {
      if (message.type() === 'error') failures.push(`console error: ${message.text()}`);
    });
    const expectDialog = answerDialogs(page, failures);
    await fromTheFolder(page, engine);
    await served(page, engine, origin, expectDialog);
    const go = (url) => open(page, url);
    await screen.checkKeysAndFocus(page, engine, origin, go);
    await screen.checkScreens(page, engine, origin, go, artifactFolder);
    if (engine === 'chromium') {
      // Once loaded, the page needs no network: a new run with the network
      // gone is a whole session.
      await open(page, `${origin}/`);
      await page.setOfflineMode(true);
      await page.click('#new-run');
      await typeKeys(page, expected('file-name-accepted').stdin);
      await checkSession(page, engine, 'file-name-accepted');
      await page.setOfflineMode(false);
      await storageRefused(browser, origin, failures);
      console.log(`ok ${engine}: storage turned off, or a copy spoilt, is said`);
    }
  } finally {
    await close();
  }
  assert.deepStrictEqual(foreign, [], `${engine}: requests that left the page's files`);
  assert.deepStrictEqual(failures, [], `${engine}: errors on the page`);
  console.log(`ok ${engine}: no request left the page's files, no error`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
