// The browser test's checks of the page itself, beyond the program's
// sessions: the keys players know and where typing goes, the screens from
// a phone's to a laptop's, and axe-core's accessibility rules.
'use strict';
const assert = require('assert');
const fs = require('fs');
const path = require('path');
const {
  kPatience, kMenuPrompt, typeKeys, chord, paste, downloadScript,
} = require('./browsers.js');

const phone = { width: 390, height: 844, isMobile: true, hasTouch: true };
const phoneWithKeyboard = { ...phone, height: 420 };
const phoneTurned = { ...phone, width: 844, height: 390, isLandscape: true };
const narrowest = { width: 360, height: 640, isMobile: true, hasTouch: true };
const smallest = { ...narrowest, width: 320, height: 568 };
const laptop = { width: 1366, height: 657 };

const terminalHasFocus = (page) => page.evaluate(() =>
  document.activeElement.classList.contains('xterm-helper-textarea'));

// The terminal's cursor, on the line being answered, is on screen.
async function checkCursorInView(page, when) {
  await page.waitForFunction(() => {
    const cursor = document.querySelector('.xterm-rows .xterm-cursor');
    if (!cursor) return false;
    const { top, bottom } = cursor.getBoundingClientRect();
    const view = window.visualViewport || { offsetTop: 0, height: window.innerHeight };
    return top >= view.offsetTop && bottom <= view.offsetTop + view.height;
  }, { timeout: kPatience })
    .catch(() => assert.fail(`the line being answered is off screen ${when}`));
}

// Nothing scrolls sideways; no text shown is smaller than 11 px; the
// terminal takes the width it has (less than two cells and a scroll bar to
// spare, and none missing), once the page has re-fitted it to the screen.
async function checkFits(page, size) {
  const measure = () => {
    const tooSmall = [];
    for (const element of document.querySelectorAll('body *')) {
      const shown = [...element.childNodes].some((node) => node.nodeType === Node.TEXT_NODE &&
        node.textContent.trim() !== '');
      const style = getComputedStyle(element);
      const box = element.getBoundingClientRect();
      if (!shown || style.visibility === 'hidden' || box.width === 0 || box.right <= 0 ||
        element.closest('.xterm-accessibility, [hidden]')) continue;
      if (parseFloat(style.fontSize) < 11) tooSmall.push(`${element.tagName} ${style.fontSize}`);
    }
    const terminal = document.querySelector('#terminal');
    const spare = terminal.clientWidth - terminal.querySelector('.xterm-screen').offsetWidth;
    const { scrollWidth, clientWidth } = document.documentElement;
    const fits = scrollWidth <= clientWidth && tooSmall.length === 0 && spare >= 0 && spare < 48;
    return fits || `scroll width ${scrollWidth} in ${clientWidth}, ${spare} px to spare, ` +
      `text under 11 px: ${tooSmall.join(', ') || 'none'}`;
  };
  await page.waitForFunction(measure, { timeout: kPatience }).catch(async () =>
    assert.fail(`at ${size.width}x${size.height}: ${await page.evaluate(measure)}`));
}

async function checkKeysAndFocus(page, engine, origin, go) {
  // Shift+Insert pastes too (Ctrl+V pastes every pasted session), and
  // sends no control byte: "1" and a pasted "5" end the run.
  await go(`${origin}/`);
  await typeKeys(page, '1');
  await paste(page, '5', 'Shift', 'Insert');
  await typeKeys(page, '\n');
  await page.waitForFunction(() => window.bindsmithPage.finished(), { timeout: kPatience });
  assert.strictEqual(await page.evaluate(() => window.bindsmithPage.status()), 0,
    'Shift+Insert did not paste');

  // Ctrl+C with text selected copies it and does not interrupt.
  await go(`${origin}/`);
  const screen = await page.$eval('.xterm-screen', (element) => {
    const { left, top } = element.getBoundingClientRect();
    return { left, top };
  });
  await page.mouse.move(screen.left + 4, screen.top + 4);
  await page.mouse.down();
  await page.mouse.move(screen.left + 200, screen.top + 40, { steps: 5 });
  await page.mouse.up();
  assert(await page.$('.xterm-selection div'), 'no text was selected');
  await chord(page, 'Control', 'c');
  await page.evaluate(() => {
    const target = document.createElement('textarea');
    target.id = 'clipboard-target';
    document.body.append(target);
    target.focus();
  });
  await chord(page, 'Control', 'v');
  const copied = await page.evaluate(() => {
    const target = document.getElementById('clipboard-target');
    target.remove();
    return target.value;
  });
  assert.match(copied, /Main Menu/, 'Ctrl+C did not copy the selection');
  await page.click('#terminal');
  await typeKeys(page, '2\npub\n1\n');
  await page.waitForFunction(() => !document.querySelector('#download').disabled,
    { timeout: kPatience });
  const reason = () => page.$eval('#download', (button) =>
    document.getElementById(button.getAttribute('aria-describedby')).textContent);
  assert.strictEqual(await reason(), 'pub.cfg is empty so far.', 'Download\'s description');
  assert.strictEqual(await page.evaluate(() => window.bindsmithPage.finished()), false,
    'Ctrl+C with a selection ended the run');

  // After Download, and after a click on the page's text, typing goes to
  // the terminal; Enter does not download again.
  await downloadScript(page, engine, 'pub.cfg');
  assert(await terminalHasFocus(page), 'after Download, typing goes elsewhere');
  await page.focus('#new-run');
  await page.click('header h1');
  assert(await terminalHasFocus(page), 'after a click on the page, typing goes elsewhere');
  // Tab leaves the terminal for the page's controls.
  await page.keyboard.press('Tab');
  assert(!(await terminalHasFocus(page)), 'Tab does not leave the terminal');
  assert.match(await page.evaluate(() => document.activeElement.tagName), /^(BUTTON|A|PRE)$/);
  await page.click('#terminal');
  await typeKeys(page, '15\n');
  await page.waitForFunction(() => window.bindsmithPage.finished(), { timeout: kPatience });
  assert.strictEqual(await page.evaluate(() => window.bindsmithPage.status()), 0);
  console.log(`ok ${engine}: copy, paste, focus and Tab`);
}

// After a session that bound every weapon group: each bound key of the
// picture is named by its key and its use, the list says it in words, and
// Save picture gives pub.svg, which says the same.
async function checkPicture(page, engine, artifactFolder) {
  const names = await page.$$eval('#keyboard[role="group"][aria-label="Keyboard"] button',
    (keys) => keys.map((key) => key.getAttribute('aria-label')));
  assert.strictEqual(names.length, 47, 'the picture\'s keys');
  for (const name of ['k: H&K USP .45 Tactical', ';: FN M249 Para', 'e: Equipment', 'm: free']) {
    assert(names.includes(name), `no key of the picture is named "${name}"`);
  }
  const words = await page.$$eval('#bind-list li', (items) =>
    items.map((item) => item.textContent));
  assert(words.includes('k: H&K USP .45 Tactical, 2 primary ammunition, 1 secondary ammunition, ' +
    'full kevlar, else regular, 1 HE grenade, 3 conc grenades'), `the binds in words: ${words}`);
  if (engine === 'chromium') {
    // The names as the browser's accessibility tree gives them.
    for (const selector of ['aria/Keyboard[role="group"]',
      'aria/k: H&K USP .45 Tactical[role="button"]',
      'aria/Scripts kept in this browser[role="list"]']) {
      assert(await page.$(selector), `nothing in the accessibility tree is ${selector}`);
    }
  }
  // The script pane scrolls within the window, even a short laptop's; it
  // does not grow past it.
  await page.setViewport({ width: 1366, height: 440 });
  await page.waitForFunction(() => {
    const pane = document.querySelector('#script-text');
    return window.innerHeight === 440 && pane.getBoundingClientRect().bottom <= 440;
  }, { timeout: kPatience })
    .catch(() => assert.fail('the script pane grows past the bottom of the window'));
  await page.setViewport(laptop);
  const svg = (await downloadScript(page, engine, 'pub.svg', '#save-picture')).toString();
  assert.match(svg, /^<\?xml[^]*<svg [^]*>k: H&amp;K USP \.45 Tactical, 2 primary/);
  await page.screenshot({ path: path.join(artifactFolder, `${engine}-laptop.png`) });
}

async function checkScreens(page, engine, origin, go, artifactFolder) {
  // A phone: the menu fits without sideways scrolling, and the line being
  // answered stays on screen as answers are given and when the on-screen
  // keyboard takes half the screen. The bind's key is a tap on the picture.
  const tap = engine === 'chromium' ? 'tap' : 'click';
  await page.setViewport(phone);
  await go(`${origin}/`);
  await checkFits(page, phone);
  if (engine === 'chromium') {
    assert.deepStrictEqual(await page.evaluate(() => ['keys', 'touch-keys'].map((id) =>
      document.getElementById(id).hidden)), [true, false], 'a touch screen\'s tips');
  }
  await checkCursorInView(page, 'on a phone');
  await typeKeys(page, '1\n2\npub\n1\n4\n1\n');
  await page.waitForFunction(() => window.bindsmithPage.asksForKey(), { timeout: kPatience });
  await page[tap]('#keyboard button[aria-label="k: free"]');
  await page.waitForFunction(() => new TextDecoder().decode(new Uint8Array(
    window.bindsmithPage.transcript())).endsWith('k is that the correct key?\n1. Yes 2. No\n' +
    'Enter a key conformation choice, 1-2 '), { timeout: kPatience })
    .catch(() => assert.fail('a tap on k did not answer the key question'));
  await page.click('#terminal');
  await typeKeys(page, '1\n1\n2\n0\n2\n2\n');
  await page.waitForFunction(() => document.querySelector('#script-text').textContent
    .startsWith('bind k uspa\nalias uspa "'), { timeout: kPatience });
  await checkCursorInView(page, 'on a phone after answers');
  assert(await page.$eval('#script-text', (pane) => getComputedStyle(pane).whiteSpace === 'pre' &&
    pane.scrollWidth > pane.clientWidth), 'the script pane wraps its long lines');
  await page.waitForFunction(() => document.querySelector('#keyboard button[aria-label=' +
    '"k: H&K USP .45 Tactical"]'), { timeout: kPatience });
  await page.setViewport(phoneWithKeyboard);
  await checkCursorInView(page, 'once the on-screen keyboard is open');
  await page.screenshot({ path: path.join(artifactFolder, `${engine}-phone.png`) });
  await page.setViewport(narrowest);
  await checkFits(page, narrowest);
  await page.setViewport(smallest);
  await checkFits(page, smallest);
  await page.setViewport(narrowest);
  assert.match(await page.$eval('#download-reason', (reason) => reason.textContent),
    /^pub\.cfg is not downloaded yet\.$/);
  await downloadScript(page, engine, 'pub.cfg', '#download', tap);
  assert.strictEqual(await page.$eval('#download-reason', (reason) => reason.textContent),
    'pub.cfg is downloaded as it stands.', 'Download\'s description after a download');
  // The phone turned mid-run, then back.
  await page.setViewport(phoneTurned);
  await checkFits(page, phoneTurned);
  await page.setViewport(phone);
  await checkFits(page, phone);
  // Back on a laptop's screen, the same terminal fits the wider space.
  await page.setViewport(laptop);
  await page.waitForFunction(() => document.querySelector('.xterm-screen').offsetWidth > 600,
    { timeout: kPatience });
  await checkFits(page, laptop);

  // The dialogue is spoken, for screen readers, without its star rows.
  await page.waitForFunction((prompt) => document.querySelector('#spoken[role="log"]')
    .textContent.includes(prompt), { timeout: kPatience }, kMenuPrompt)
    .catch(() => assert.fail('the dialogue is not spoken'));
  assert.doesNotMatch(await page.$eval('#spoken', (log) => log.textContent), /\*\*/,
    'star rows are read out');

  // axe-core's rules: nothing serious or critical.
  const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js', {
    paths: [path.join(__dirname, '../../web')],
  }), 'utf8');
  await page.evaluate(axe);
  const violations = await page.evaluate(async () => {
    const results = await window.axe.run(document, { resultTypes: ['violations'] });
    return results.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
      .map((v) => `${v.id}: ${v.nodes.map((node) => node.target.join(' ')).join(', ')}`);
  });
  assert.deepStrictEqual(violations, [], 'axe-core: serious or critical violations');
  console.log(`ok ${engine}: screens from 320 px wide, and axe-core`);
}

module.exports = { checkCursorInView, checkKeysAndFocus, checkPicture, checkScreens };
