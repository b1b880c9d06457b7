// The two browser engines the page is tested in, and what the browser test
// does with either: launch it with a fresh profile and no network of its
// own, type as a player types, and take the script the page downloads.
'use strict';
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require(require.resolve('puppeteer-core', {
  paths: [path.join(__dirname, '../../web')],
}));

// Generous: a wait ends as soon as its condition holds; this only bounds a
// page that never gets there.
const kPatience = 30000;
// The main menu's prompt, as a terminal shows it (its trailing blank gone).
const kMenuPrompt = 'Enter a Main Menu choice, 1-15';

// Headless Chromium over the DevTools protocol, headless Firefox ESR over
// WebDriver BiDi. Neither may reach the network: the machine may have none.
const engines = {
  chromium: (profile) => ({
    executablePath: process.env.BINDSMITH_CHROMIUM || '/usr/bin/chromium',
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  }),
  firefox: (profile) => ({
    browser: 'firefox',
    protocol: 'webDriverBiDi',
    executablePath: process.env.BINDSMITH_FIREFOX || '/usr/bin/firefox-esr',
    userDataDir: profile,
    extraPrefsFirefox: {
      'network.captive-portal-service.enabled': false,
      'network.connectivity-service.enabled': false,
      'browser.safebrowsing.update.enabled': false,
      'extensions.update.enabled': false,
      'app.update.enabled': false,
    },
  }),
};

async function launch(engine) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `bindsmith-${engine}-`));
  const browser = await puppeteer.launch({ headless: true, protocolTimeout: kPatience * 2,
    ...engines[engine](profile) });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// Types text as key presses; a line break is the Enter key, \b Backspace.
// A tab is pasted: the Tab key moves on to the buttons.
async function typeKeys(page, text) {
  for (const character of text) {
    if (character === '\n') await page.keyboard.press('Enter');
    else if (character === '\b') await page.keyboard.press('Backspace');
    else if (character === '\t') await paste(page, character);
    else await page.keyboard.type(character);
  }
}

async function chord(page, modifier, key) {
  await page.keyboard.down(modifier);
  await page.keyboard.press(key);
  await page.keyboard.up(modifier);
}

// Puts text on the clipboard as a player copies it (selected in a text
// box, Ctrl+C), then pastes it into the terminal with Ctrl+V, or with
// `modifier`+`key` (Shift+Insert).
async function paste(page, text, modifier = 'Control', key = 'v') {
  await page.evaluate((copied) => {
    const source = document.createElement('textarea');
    source.id = 'clipboard-source';
    source.value = copied;
    document.body.append(source);
    source.select();
  }, text);
  await chord(page, 'Control', 'c');
  await page.evaluate(() => {
    document.getElementById('clipboard-source').remove();
    document.querySelector('.xterm-helper-textarea').focus();
  });
  await chord(page, modifier, key);
}

// The file a button of the page (Download unless `button` says another)
// gives; `how` is 'click' or, on a touch screen, 'tap'. Chromium saves it
// to a folder, as a player's browser does; in Firefox the test takes the
// Blob the page hands to its download link (BiDi sets no download folder).
async function downloadScript(page, engine, name, button = '#download', how = 'click') {
  if (engine === 'chromium') {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'bindsmith-download-'));
    const session = await page.browser().target().createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await page[how](button);
    const file = path.join(folder, name);
    for (let waited = 0; ; waited += 50) {
      const partial = fs.readdirSync(folder).some((entry) => entry.endsWith('.crdownload'));
      if (fs.existsSync(file) && !partial) {
        const bytes = fs.readFileSync(file);
        fs.rmSync(folder, { recursive: true, force: true });
        return bytes;
      }
      assert(waited < kPatience, `${name} was not downloaded`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }
  await page.evaluate(() => {
    window.downloads = [];
    const blobs = new Map();
    const makeUrl = URL.createObjectURL;
    URL.createObjectURL = (blob) => {
      const url = makeUrl.call(URL, blob);
      blobs.set(url, blob);
      return url;
    };
    HTMLAnchorElement.prototype.click = function () {
      window.downloads.push({ name: this.download, blob: blobs.get(this.href) });
    };
  });
  await page[how](button);
  const got = await page.evaluate(async () => {
    const [download] = window.downloads;
    return { name: download.name, bytes: [...new Uint8Array(await download.blob.arrayBuffer())] };
  });
  assert.strictEqual(got.name, name, 'the downloaded file\'s name');
  return Buffer.from(got.bytes);
}

module.exports = { kPatience, kMenuPrompt, launch, typeKeys, chord, paste, downloadScript };
