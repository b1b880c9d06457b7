// The page in headless Chromium, driven as a player drives it: whole sessions
// typed key by key, a pasted block of answers, Backspace, Ctrl-C and Ctrl-D.
// What the program wrote and the script the page downloads must be, byte for
// byte, what the console program gives for the same answers: the transcripts
// under tests/e2e, which the console builds are held to. No request may
// leave the page's own origin. A screenshot of the page is kept.
//   node tests/web/browser_test.js SITE_FOLDER E2E_FOLDER ARTIFACT_FOLDER
'use strict';
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serve } = require('../../web/serve.js');
const puppeteer = require(require.resolve('puppeteer-core', {
  paths: [path.join(__dirname, '../../web')],
}));

const [siteFolder, e2eFolder, artifactFolder] = process.argv.slice(2);
const chromium = process.env.BINDSMITH_CHROMIUM || '/usr/bin/chromium';
// Generous: a wait ends as soon as its condition holds; this only bounds a
// page that never gets there.
const kPatience = 20000;

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
  assert.fail(`${what} differs at byte ${at} of ${wanted.length} (got ${a.length}):\n` +
    `expected ...${JSON.stringify(wanted.subarray(Math.max(0, at - 60), at + 60).toString('latin1'))}\n` +
    `actual   ...${JSON.stringify(a.subarray(Math.max(0, at - 60), at + 60).toString('latin1'))}`);
}

// Types text as key presses; a line break is the Enter key.
async function typeKeys(page, text) {
  for (const character of text) {
    if (character === '\n') await page.keyboard.press('Enter');
    else if (character === '\b') await page.keyboard.press('Backspace');
    else if (character === '\t') await page.keyboard.press('Tab');
    else await page.keyboard.sendCharacter(character);
  }
}

async function control(page, letter) {
  await page.keyboard.down('Control');
  await page.keyboard.press(letter);
  await page.keyboard.up('Control');
}

const waitUntilWaiting = (page) =>
  page.waitForFunction(() => window.bindsmithPage.waiting(), { timeout: kPatience });
const waitUntilFinished = (page) =>
  page.waitForFunction(() => window.bindsmithPage.finished(), { timeout: kPatience });
const transcript = (page) => page.evaluate(() => window.bindsmithPage.transcript());
const status = (page) => page.evaluate(() => window.bindsmithPage.status());
const terminalText = (page) => page.$eval('.xterm-rows', (rows) => rows.innerText);

async function downloadScript(page, folder, name) {
  await page.click('#download');
  const file = path.join(folder, name);
  await page.waitForFunction(() => true); // let the click's download start
  for (let waited = 0; ; waited += 50) {
    const partial = fs.readdirSync(folder).some((entry) => entry.endsWith('.crdownload'));
    if (fs.existsSync(file) && !partial) return fs.readFileSync(file);
    assert(waited < kPatience, `${name} was not downloaded`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// Holds the finished run against the case's transcript, its status (or
// `wantStatus`) and its script, as the page's Download button gives it.
async function checkSession(page, browserSession, downloads, caseName, wantStatus) {
  const want = expected(caseName);
  sameBytes(await transcript(page), want.stdout, `${caseName}: the program's output`);
  assert.strictEqual(await status(page), wantStatus ?? want.status, `${caseName}: exit status`);
  if (want.script) {
    const folder = fs.mkdtempSync(path.join(downloads, 'run-'));
    await browserSession.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    sameBytes(await downloadScript(page, folder, 'pub.cfg'), want.script, `${caseName}: the downloaded script`);
  }
  console.log(`ok ${caseName}`);
}

async function freshRun(page, origin) {
  await page.goto(`${origin}/`, { waitUntil: 'load' });
  await waitUntilWaiting(page);
  await page.click('#terminal');
}

async function main() {
  fs.mkdirSync(artifactFolder, { recursive: true });
  const server = await serve(siteFolder);
  const origin = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'bindsmith-chromium-'));
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'bindsmith-downloads-'));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: profile,
    // The machine may have no network at all: nothing may try to reach it.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const foreign = [];
  const failures = [];
  try {
    const browserSession = await browser.target().createCDPSession();
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 900 });
    page.on('request', (request) => {
      const url = request.url();
      if (!url.startsWith(`${origin}/`) && !url.startsWith('blob:' + origin)) foreign.push(url);
    });
    page.on('pageerror', (error) => failures.push(`page error: ${error.message}`));
    page.on('console', (message) => {
      if (message.type() === 'error') failures.push(`console error: ${message.text()}`);
    });

    // A whole session typed key by key, every weapon group bound.
    await freshRun(page, origin);
    const firstMenu = await transcript(page);
    assert.match(await terminalText(page), /Enter a Main Menu choice, 1-15/);
    await typeKeys(page, expected('bind-every-weapon-group').stdin);
    await waitUntilFinished(page);
    await checkSession(page, browserSession, downloads, 'bind-every-weapon-group');
    await page.screenshot({ path: path.join(artifactFolder, 'page.png') });

    // Answers mistyped and mended with Backspace reach the program mended:
    // the same output as the same answers typed plainly.
    const plain = '2\npub\n1\n4\n1\nu\n1\n1\n2\n0\n2\n2\n15\n';
    await freshRun(page, origin);
    await typeKeys(page, plain);
    await waitUntilFinished(page);
    const plainOutput = Buffer.from(await transcript(page));
    assert.match(plainOutput.toString('latin1'), /Setting filename to pub\.cfg/);
    await freshRun(page, origin);
    await typeKeys(page, '3\b2\npux\bb\n1\n4\n1\nu\n1\n1\n27\b\n0\n2\n2\n15\n');
    await waitUntilFinished(page);
    sameBytes(await transcript(page), plainOutput, 'a session mended with Backspace');
    console.log('ok backspace');

    // Ctrl-C in the middle of a buy bind: the alias is finished with the
    // ammunition already chosen, the script is whole, and the run ends with
    // the status a shell shows for Ctrl-C.
    await freshRun(page, origin);
    await typeKeys(page, expected('ctrl-c-inside-the-add-on-questions-windows').stdin);
    await page.waitForFunction(() => window.bindsmithPage.waiting() &&
      new TextDecoder().decode(new Uint8Array(window.bindsmithPage.transcript()))
        .endsWith('Enter a Kevlar with that choice, 1-2 '), { timeout: kPatience });
    await control(page, 'c');
    await waitUntilFinished(page);
    await checkSession(page, browserSession, downloads, 'ctrl-c-inside-the-add-on-questions-windows', 130);

    // Ctrl-D on an empty line at the menu ends input; the run ends cleanly.
    await freshRun(page, origin);
    await typeKeys(page, expected('end-of-input-at-the-menu').stdin);
    await control(page, 'd');
    await waitUntilFinished(page);
    await checkSession(page, browserSession, downloads, 'end-of-input-at-the-menu');

    // A block of answers pasted at once.
    await freshRun(page, origin);
    await page.$eval('.xterm-helper-textarea', (area, text) => {
      const data = new DataTransfer();
      data.setData('text/plain', text);
      area.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true }));
    }, expected('quick-binds').stdin);
    await waitUntilFinished(page);
    await checkSession(page, browserSession, downloads, 'quick-binds');

    // "New run" in the middle of a run starts afresh: the first menu again,
    // and no script until the new run names one.
    await freshRun(page, origin);
    await typeKeys(page, '2\npub\n1\n');
    await page.waitForFunction(() => !document.querySelector('#download').disabled, { timeout: kPatience });
    await page.click('#new-run');
    await waitUntilWaiting(page);
    sameBytes(await transcript(page), Buffer.from(firstMenu), 'a new run\'s output');
    assert.strictEqual(await page.$eval('#download', (button) => button.disabled), true,
      'a new run has no script yet');
    console.log('ok new run');

    // Once loaded, the page needs no network: a new run with the network
    // gone is a whole session.
    await page.setOfflineMode(true);
    await page.click('#new-run');
    await typeKeys(page, expected('file-name-accepted').stdin);
    await waitUntilFinished(page);
    await checkSession(page, browserSession, downloads, 'file-name-accepted');
    await page.setOfflineMode(false);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
    fs.rmSync(downloads, { recursive: true, force: true });
  }
  assert.deepStrictEqual(foreign, [], 'requests that left the page\'s origin');
  assert.deepStrictEqual(failures, [], 'errors on the page');
  console.log('ok no request left the origin');
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
