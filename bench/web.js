// The web page's figures, in headless Chromium: how long until the first
// menu is on screen with a cold cache, served by the local server and
// opened from the folder (file://); how many bytes the page loads
// (gzip-compressed, as a server would send them); how long a paste of
// 100,000 characters takes until the program asks its next question on
// screen; and after how many frames a keystroke's echo is on screen.
// Prints JSON.
//   node bench/web.js SITE_FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { pathToFileURL } = require('url');
const { serve } = require('../web/serve.js');
// The browser test's own launch: the same Chromium, profile and flags.
const { launch, kMenuPrompt: prompt } = require('../tests/web/browsers.js');

const [siteFolder] = process.argv.slice(2);
const kColdLoads = 5;
const kPasted = 100000; // characters, the last of them the line break
const kKeys = 30;
const kPatience = 20000;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function main() {
  const server = await serve(siteFolder);
  const origin = `http://127.0.0.1:${server.address().port}`;
  const { browser, close } = await launch('chromium');
  try {
    // Cold loads: each in a fresh context, which has a cache of its own.
    // The time is from the start of navigation to the first frame whose
    // terminal shows the menu's prompt.
    const coldLoads = async (url) => {
      const times = [];
      for (let load = 0; load < kColdLoads; load += 1) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        const files = [];
        page.on('requestfinished', (request) => files.push(new URL(request.url()).pathname));
        await page.evaluateOnNewDocument((text) => {
          const look = () => {
            const rows = document.querySelector('.xterm-rows');
            if (rows && rows.textContent.includes(text)) window.firstMenuAt = performance.now();
            else requestAnimationFrame(look);
          };
          requestAnimationFrame(look);
        }, prompt);
        await page.goto(url);
        await page.waitForFunction(() => window.firstMenuAt !== undefined, { timeout: kPatience });
        times.push(await page.evaluate(() => window.firstMenuAt));
        downloaded = files;
        await context.close();
      }
      return times;
    };
    let downloaded = [];
    const fromFolder = await coldLoads(pathToFileURL(path.join(siteFolder, 'index.html')).href);
    const firstMenu = await coldLoads(`${origin}/`);

    const bytes = downloaded.map((file) => {
      const data = fs.readFileSync(path.join(siteFolder, file === '/' ? 'index.html' : file));
      return { file, bytes: data.length, gzip: zlib.gzipSync(data, { level: 9 }).length };
    });

    // A paste: from the paste event to the frame that shows the program's
    // next question, the program waiting again.
    const page = await browser.newPage();
    await page.goto(`${origin}/`);
    await page.waitForFunction(() => window.bindsmithPage.waiting(), { timeout: kPatience });
    await page.click('#terminal');
    const pasteMs = await page.evaluate((text, question) => new Promise((resolve) => {
      const area = document.querySelector('.xterm-helper-textarea');
      const rows = document.querySelector('.xterm-rows');
      const asked = () => window.bindsmithPage.waiting() &&
        [...rows.children].some((row) => row.textContent.startsWith(question));
      const data = new DataTransfer();
      data.setData('text/plain', text);
      const began = performance.now();
      area.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true,
        cancelable: true }));
      const look = () =>
        (asked() ? resolve(performance.now() - began) : requestAnimationFrame(look));
      requestAnimationFrame(look);
    }), `${'x'.repeat(kPasted - 1)}\n`, prompt);

    // Echo: each key is sent, and the frames are counted from the key's
    // event: the terminal's text changes in frame 1 if the echo is drawn in
    // the first frame after the key.
    await page.goto(`${origin}/`);
    await page.waitForFunction(() => window.bindsmithPage.waiting(), { timeout: kPatience });
    await page.click('#terminal');
    const frames = [];
    for (let key = 0; key < kKeys; key += 1) {
      const character = 'abcdefghij'[key % 10];
      await page.evaluate((wanted) => {
        const rows = document.querySelector('.xterm-rows');
        const count = () => rows.textContent.split(wanted).length;
        const before = count();
        window.echoFrames = new Promise((resolve) => {
          document.addEventListener('keydown', () => {
            let frame = 0;
            let done = false;
            const tick = () => {
              frame += 1;
              if (!done && frame < 120) requestAnimationFrame(tick);
            };
            requestAnimationFrame(tick);
            const observer = new MutationObserver(() => {
              if (count() <= before) return;
              done = true;
              observer.disconnect();
              resolve(frame);
            });
            observer.observe(rows, { childList: true, subtree: true, characterData: true });
          }, { once: true, capture: true });
        });
      }, character);
      await page.keyboard.press(character);
      frames.push(await page.evaluate(() => window.echoFrames));
    }
    return {
      first_menu_ms: Math.round(median(firstMenu)),
      first_menu_ms_slowest: Math.round(Math.max(...firstMenu)),
      first_menu_ms_each: firstMenu.map(Math.round),
      first_menu_from_folder_ms: Math.round(median(fromFolder)),
      first_menu_from_folder_ms_each: fromFolder.map(Math.round),
      cold_loads: kColdLoads,
      paste_characters: kPasted,
      paste_ms: Math.round(pasteMs),
      downloaded: bytes,
      downloaded_bytes: bytes.reduce((sum, file) => sum + file.bytes, 0),
      downloaded_gzip_bytes: bytes.reduce((sum, file) => sum + file.gzip, 0),
      keys: kKeys,
      echo_frames_most: Math.max(...frames),
      echo_frames_median: median(frames),
    };
  } finally {
    await close();
    server.close();
  }
}

main().then((figures) => console.log(JSON.stringify(figures, null, 2)), (error) => {
  console.error(error);
  process.exit(1);
});
