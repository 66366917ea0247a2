// SPDX-License-Identifier: GPL-3.0-or-later
// Opens every window of the page as a player does, by menus and keys, in
// Debian's headless Chromium: each must be on screen, inside the page, its
// texts unclipped and readable (contrast by computed styles, light and
// dark, at device pixel ratios 1 and 2), its controls named for assistive
// tools. On the way it stops Hint with Stop and runs Series, saves a game
// through the save-and-load window and loads it back, downloads the save and
// uploads it (and a damaged one), hears the computer's guess in the live
// region, and wins with the computer's word read from the save. Screenshots
// go to SCREENS as web-<window>.png (dark ones, at ratio 2, web-dark-...).
//
//   node every_window.mjs SITE_URL SCREENS
import fs from 'node:fs';
import { drive, launch } from './page_driver.mjs';

const [site, screens] = process.argv.slice(2);
const word = 'PLANT';
fs.mkdirSync(screens, { recursive: true });
const faults = [];
const check = (ok, what) => { if (!ok) faults.push(what); };

// In the page: the front window (or box, or help) inside the page, its texts
// unclipped, every text readable against what is behind it; what is wrong.
function inspect() {
  const lum = (c) => {
    const [r, g, b] = c.match(/[\d.]+/g).slice(0, 3).map((v) => { v /= 255; return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4; });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const opaque = (c) => !/rgba\(.*, 0\)$/.test(c) && c !== 'transparent';
  const behind = (el) => {
    for (let at = el; at; at = at.parentElement) {
      const style = getComputedStyle(at);
      if (style.backgroundImage !== 'none' && !at.matches('.folders > div')) return null;  // a picture
      if (opaque(style.backgroundColor)) return style.backgroundColor;
    }
    return 'rgb(255, 255, 255)';
  };
  const shown = (el) => el.getClientRects().length > 0 && getComputedStyle(el).visibility !== 'hidden';
  const box = document.querySelector('dialog[open]');
  const help = document.querySelector('#help:not([hidden])');
  const top = box || (help && +help.style.zIndex > Math.max(0, ...[...document.querySelectorAll('.win:not([hidden])')].map((w) => +w.style.zIndex)) ? help : null) ||
    [...document.querySelectorAll('.win:not([hidden])')].sort((a, b) => b.style.zIndex - a.style.zIndex)[0];
  const out = [];
  const r = top.getBoundingClientRect();
  if (r.left < 0 || r.top < 0 || r.right > innerWidth + 0.5 || r.bottom > innerHeight + 0.5 || r.width < 50)
    out.push(`outside the page: ${[r.left, r.top, r.right, r.bottom].map(Math.round)} in ${innerWidth}x${innerHeight}`);
  if (!top.matches('dialog, #help') && [r.left, r.top].some((v) => Math.abs(v - Math.round(v)) > 0.01)) out.push(`placed between pixels: ${r.left},${r.top}`);
  const texts = top.querySelectorAll('.label, .button, .option > span, .title > span, .transfer button, .menu .top, .list > div, .drives, .combo input, p, .buttons button, .page h1, .page h2, .page p');
  for (const el of texts) {
    if (!shown(el) || !el.textContent.trim() && !el.value) continue;
    const name = el.closest('[data-name]')?.dataset.name || el.className || el.tagName;
    const clip = getComputedStyle(el).overflowX !== 'visible' || el.matches('.button, .label');
    if (clip && !el.matches('.list > div') && (el.scrollWidth > el.clientWidth + 1 || el.scrollHeight > el.clientHeight + 1))
      out.push(`${name} clipped: "${el.textContent.trim()}" ${el.scrollWidth}x${el.scrollHeight} in ${el.clientWidth}x${el.clientHeight}`);
    const back = behind(el);
    if (!back) continue;
    const [a, b] = [lum(getComputedStyle(el).color), lum(back)];
    const ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
    const off = el.disabled || el.closest('.off, :disabled');
    if (ratio < (off ? 3 : 4.5)) out.push(`${name} "${el.textContent.trim().slice(0, 20)}" ${getComputedStyle(el).color} on ${back}: ${ratio.toFixed(2)}`);
  }
  return out;
}

async function run({ scale, dark }) {
  const browser = await launch({ scale });
  const page = browser.context.pages()[0] ?? await browser.context.newPage();
  if (dark) await page.emulateMedia({ colorScheme: 'dark' });
  const d = drive(page, null);
  const { control, settle, usable, typeInto } = d;
  const tag = `${dark ? 'dark ' : ''}x${scale}`;
  const look = async (name) => {
    await settle();
    (await page.evaluate(inspect)).forEach((fault) => faults.push(`${tag} ${name}: ${fault}`));
    if (scale === 1 && !dark || scale === 2) await page.screenshot({ path: `${screens}/web-${dark ? 'dark-' : ''}${name}.png` });
  };
  const menu = async (top, item) => { await page.click(control(top)); await page.click(control(item)); await settle(); };
  const answer = async (button) => { await settle(); await page.click(`dialog[open] button:text-is("${button}")`); };
  const boxText = () => page.$eval('dialog[open] p', (p) => p.textContent).catch(() => '');
  const closeWith = async (name) => { await page.click(control(name)); await settle(); };
  const said = (words) => page.waitForFunction((w) => document.getElementById('said').textContent === w, words, { timeout: 2000 })
    .then(() => true, () => false);
  // The roles and names assistive tools get, from Chromium's own tree.
  const named = async (wanted) => {
    const found = [];
    const walk = (node) => { found.push(`${node.role}|${node.name}`); (node.children || []).forEach(walk); };
    walk(await page.accessibility.snapshot({ interestingOnly: false }));
    wanted.filter((w) => !found.includes(w)).forEach((w) => faults.push(`${tag} not in the accessibility tree: ${w}`));
  };
  const aria = (selector, name) => page.$eval(selector, (el, name) => el.getAttribute(name), name).catch(() => null);
  try {
    await page.goto(`${site}/index.html?draws=7`);
    await page.waitForSelector(control('YourWordText'), { timeout: 20000 });
    await settle();
    await page.keyboard.press('Alt+L');
    await page.keyboard.press('e');
    await typeInto('YourWordText', word);
    await page.keyboard.press('Enter');
    await d.answerBoxes();
    await look('main-window');

    // Help: the file as HTML, its topics reached by their links; Escape leaves it.
    await menu('HelpMenu', 'HelpContents');
    check(await page.$$eval('#help .page h2', (h) => h.length) > 5, `${tag} help: no headings`);
    await page.click('#help a[href="#saved"]');
    check(await page.evaluate(() => document.activeElement.matches('#help h2') && /sav/i.test(document.activeElement.textContent)),
      `${tag} help: the topic's link did not lead to its heading`);
    await look('help');
    await page.keyboard.press('Escape');
    check(await page.$eval('#help', (h) => h.hidden), `${tag} help: Escape left it open`);

    await menu('HelpMenu', 'HelpAbout');
    await look('about');
    await closeWith('OKButton');

    // The word tools.
    await page.keyboard.press('Control+I');
    await settle();
    await look('idea');
    await page.keyboard.press('Escape');
    await settle();
    await page.keyboard.press('Control+M');
    await settle();
    await look('match');
    await page.keyboard.press('Escape');
    await settle();
    if (await usable('GuessButton')) {
      // Hint, for every word with an E, is stopped by Stop part of the way.
      await page.keyboard.press('Control+H');
      await settle();
      await typeInto('LettersText', 'E');
      await page.click(control('ShowButton'));
      await page.waitForFunction((c) => document.querySelectorAll(c).length > 20, `${control('HintList')} > div`, { timeout: 60000 });
      check(await page.$eval(control('DoneButton'), (b) => b.textContent) === 'Stop', `${tag} hint: no Stop while searching`);
      await page.click(control('DoneButton'));
      await settle();
      const stopped = await page.$eval(control('ProgressBar'), (p) => [p.value, p.max]);
      const rows = (await d.rows('HintList')).length;
      await page.waitForTimeout(300);
      check(stopped[0] < stopped[1] && (await d.rows('HintList')).length === rows && await usable('ShowButton') &&
        await page.$eval(control('DoneButton'), (b) => b.textContent) === 'Done', `${tag} hint: Stop did not stop the search (${stopped}, ${rows} rows)`);
      await look('hint');
    await named(['dialog|Hint', 'listbox|Hint list', 'progressbar|Progress bar', 'button|Show Words', 'radio|Show all words.']);
      await page.keyboard.press('Escape');
      await settle();
      // Series runs to its end.
      await page.keyboard.press('Control+S');
      await settle();
      await typeInto('WordText', 'ABHOR');
      await page.keyboard.press('Enter');
      await settle();
      const series = await d.rows('SeriesList');
      check(series[0] === 'ABHOR' && series.length > 1 && await page.$eval(control('ProgressBar'), (p) => p.value === p.max),
        `${tag} series: ${series}`);
      await look('series');
      await page.keyboard.press('Escape');
      await settle();
    } else faults.push(`${tag}: the game did not start on the player's turn`);

    // Save the game through the save-and-load window.
    await menu('FileMenu', 'FileSave');
    await look('save-window');
    check(await aria(control('File1'), 'role') === 'listbox' && await aria(control('File1'), 'aria-label') === 'Files', `${tag} save: the file list's role or name`);
    await typeInto('FileText', 'mine');
    await page.keyboard.press('Enter');
    await d.answerBoxes();
    const folder = '/home/web_user/.local/share/quibbly';
    const saved = await page.evaluate((p) => [...FS.readFile(p)], `${folder}/mine.swg`).catch(() => null);
    check(saved, `${tag} save: no mine.swg in the game folder`);
    if (!saved) throw new Error('nothing saved');
    const theirs = Buffer.from(saved).toString('latin1').split('\r\n')[5];

    // The load window: the list by keys and clicks, the folder list's
    // indentation and double clicks, Download and Upload.
    await menu('FileMenu', 'FileLoad');
    const files = `${control('File1')} > div`;
    check((await d.rows('File1')).includes('mine.swg'), `${tag} load: mine.swg not listed`);
    const depths = await page.$$eval(`${control('Dir1')} > div`, (rows) => rows.map((r) => [parseFloat(r.style.paddingLeft), r.textContent]));
    check(depths.length > 3 && depths.every((row, i) => i === 0 || row[0] > depths[i - 1][0]) && depths.some((row) => row[1] === 'quibbly'),
      `${tag} load: the folders' indentation ${JSON.stringify(depths)}`);
    await page.dblclick(`${control('Dir1')} > div:text-is("share")`);
    await settle();
    check(!(await d.rows('File1')).includes('mine.swg'), `${tag} load: a double click on a folder did not open it`);
    // Back by the keys: End is the game folder, under share; Enter opens it.
    await page.focus(control('Dir1'));
    await page.keyboard.press('End');
    await settle();
    await page.keyboard.press('Enter');
    await settle();
    check((await d.rows('File1')).includes('mine.swg'), `${tag} load: End and Enter did not open the game folder`);
    await page.click(control('TypeCombo') + ' input');
    await page.selectOption(control('TypeCombo') + ' select', '*.*');
    await settle();
    check((await d.rows('File1')).includes('easy.wtf'), `${tag} load: the pattern *.* did not list every file`);
    await page.selectOption(control('TypeCombo') + ' select', '*.swg');
    await settle();
    await page.click(`${files}:text-is("mine.swg")`);
    await page.keyboard.press('Home');
    await page.keyboard.press('End');
    await settle();
    check(await page.$eval(control('FileText'), (t) => t.value) === (await d.rows('File1')).at(-1), `${tag} load: End did not choose the last file`);
    await page.click(`${files}:text-is("mine.swg")`);
    check(await aria(control('File1'), 'aria-activedescendant') === await page.$eval(`${files}.chosen`, (r) => r.id), `${tag} load: the chosen row is not the active one`);
    await look('load-window');
    await named(['dialog|Load Game', 'listbox|Files', 'listbox|Folders', 'option|mine.swg', 'combobox|Load from',
      'textbox|File name:', 'textbox|Files of type:', 'button|Load', 'button|Download', 'group|Saved games on your disk']);
    const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Alt+D')]);
    const got = fs.readFileSync(await download.path());
    check(download.suggestedFilename() === 'mine.swg' && got.equals(Buffer.from(saved)), `${tag} download: not the saved game's bytes`);
    const input = '.win:not([hidden]) .transfer input[type=file]';
    await page.setInputFiles(input, { name: 'copy.swg', mimeType: 'application/octet-stream', buffer: got });
    await page.waitForFunction((c) => document.querySelector(c)?.textContent === 'copy.swg', `${files}.chosen`);
    check(await page.$eval(control('FileText'), (t) => t.value) === 'copy.swg', `${tag} upload: copy.swg not chosen`);
    await page.setInputFiles(input, { name: 'copy.swg', mimeType: 'application/octet-stream', buffer: got });
    await page.waitForSelector('dialog[open]');
    check(/already holds "copy.swg"/.test(await boxText()), `${tag} upload: no question before replacing copy.swg`);
    await answer('Yes');
    await page.setInputFiles(input, { name: 'damaged.swg', mimeType: 'application/octet-stream', buffer: got.subarray(0, got.length / 2) });
    await page.waitForSelector('dialog[open]');
    check(/^The game in "damaged.swg" cannot be loaded: /.test(await boxText()), `${tag} upload: a damaged file got "${await boxText()}"`);
    await look('upload-refused');
    await named(['alertdialog|Load Game']);
    check(await page.$eval('dialog[open]', (b) => document.getElementById(b.getAttribute('aria-describedby')).textContent.startsWith('The game in')),
      `${tag} upload: the box is not described by its text`);
    await answer('OK');
    check(!(await d.rows('File1')).includes('damaged.swg'), `${tag} upload: the damaged file was kept`);
    await page.dblclick(`${files}:text-is("copy.swg")`);
    await d.answerBoxes((line) => (line.includes(' OK ') ? 'OK' : 'Yes'));
    check(!await page.$('.win:not([hidden]) [data-name="File1"]'), `${tag} load: the window stayed open`);

    // A marker: its mark, its name and its new state said.
    await page.click(control('EButton'));
    await settle();
    const marked = await page.$eval(control('EButton'), (b) => [b.dataset.mark, b.getAttribute('aria-label')]);
    check(marked[0] && marked[1].startsWith('E, ') && await said(marked[1]), `${tag} marker: ${marked}`);
    await look('marker');
    await named(['main|Quibbly', 'button|E, not in the word', 'button|F, not marked', 'textbox|Your Guess', 'listbox|Old Guesses']);

    // Play on, guessing the computer's word from the saved game; the
    // computer's guess is said at its turn.
    let heard = false, guesses = 0;
    for (let step = 0; step < 40 && !(await usable('NameText')); step++) {
      if (await usable('GuessButton')) {
        await typeInto('YourGuessText', guesses++ ? theirs : 'HOUSE');
        await page.keyboard.press('Enter');
      } else if (await usable('CorrectButton')) {
        const guess = await page.$eval(control('MyGuessText'), (el) => el.value);
        heard ||= await said(`My guess is ${guess}. How many letters did I get right?`);
        await page.keyboard.press(guess === word ? 'c' : String([...guess].filter((l) => word.includes(l)).length));
      } else break;
      await d.answerBoxes();
    }
    check(heard, `${tag} live region: the computer's guess was not said`);
    check(await usable('NameText'), `${tag}: the game was not won`);
    await look('name-window');
    await named(['dialog|A top score: your name', 'textbox|Please enter your name:']);
    await page.keyboard.type('WEB');
    await page.keyboard.press('Enter');
    await page.waitForSelector(control('ClearButton'));
    await look('winners');
    await named(['dialog|Winners']);
    await closeWith('OKButton');
    await d.answerBoxes();

    // Statistics and Review: the charts read bar by bar.
    await page.keyboard.press('Alt+G');
    await page.keyboard.press('t');
    await settle();
    const chart = control('ScoreChart');
    await page.focus(chart);
    await page.keyboard.press('End');
    const bar = await page.$eval(chart, (c) => document.getElementById(c.getAttribute('aria-activedescendant'))?.getAttribute('aria-label'));
    check(bar && await page.$$eval(`${chart} [role=option]`, (b) => b.length) >= 1 &&
      await page.$eval(chart, (c) => document.getElementById(c.getAttribute('aria-labelledby')).textContent) === 'Your Wins by Guesses',
      `${tag} statistics: the chart's name or its bars ${bar}`);
    await look('statistics');
    await named(['dialog|Statistics', 'text|Played: 1', 'radio|Easy', 'listbox|My Guesses to Find Your Word']);
    // An option's access key with Alt, as on the desktop.
    await page.keyboard.press('Alt+M');
    await settle();
    check(await page.$eval(`${control('MediumOption')} input`, (i) => i.checked && document.activeElement.closest('[data-name]') === i.closest('[data-name]')),
      `${tag} statistics: Alt+M did not choose Medium`);
    await page.keyboard.press('Alt+E');
    await settle();
    await page.keyboard.press('Escape');
    await settle();
    await menu('GameMenu', 'GameReview');
    await look('review');
    check(await page.$$eval(`${control('PossibleChart')} svg rect`, (r) => r.length) > 0, `${tag} review: no bars drawn`);
    await page.keyboard.press('Escape');
    await settle();

    // The thinking window shows only while the computer builds its list:
    // a watcher notes what it showed, and the test screenshots that copy.
    await page.evaluate(() => {
      new MutationObserver(() => {
        const win = [...document.querySelectorAll('.win:not([hidden])')].find((w) => w.querySelector('[data-name="Image1"]'));
        if (win && !window.thinking) window.thinking = { html: win.outerHTML, z: win.style.zIndex };
      }).observe(document.getElementById('desk'), { attributes: true, subtree: true, attributeFilter: ['hidden'] });
    });
    await menu('FileMenu', 'FileNew');
    await d.answerBoxes((line) => (line.includes(' OK ') ? 'OK' : 'Yes'));
    await typeInto('YourWordText', word);
    await page.keyboard.press('Enter');
    await d.answerBoxes();
    for (let step = 0; step < 8 && !(await page.evaluate(() => window.thinking)); step++) {
      if (await usable('GuessButton')) { await typeInto('YourGuessText', 'HOUSE'); await page.keyboard.press('Enter'); }
      else if (await usable('CorrectButton')) {
        const guess = await page.$eval(control('MyGuessText'), (el) => el.value);
        await page.keyboard.press(String([...guess].filter((l) => word.includes(l)).length));
      }
      await d.answerBoxes();
    }
    check(await page.evaluate(() => {
      if (!window.thinking) return false;
      document.getElementById('desk').insertAdjacentHTML('beforeend', window.thinking.html.replace(/ id="w\d+"/, ' id="copy"'));
      document.getElementById('copy').style.zIndex = 9999;
      return true;
    }), `${tag}: the thinking window never showed`);
    await look('thinking');
    await page.evaluate(() => document.getElementById('copy')?.remove());
  } catch (error) {
    faults.push(`${tag} the game stopped: ${error.message.split('\n')[0]}`);
    await page.screenshot({ path: `${screens}/web-${dark ? 'dark-' : ''}failure.png` }).catch(() => {});
  } finally {
    faults.push(...d.faults.map((fault) => `${tag} ${fault}`));
    await browser.close();
  }
}

await run({ scale: 1, dark: false });
await run({ scale: 2, dark: true });
await run({ scale: 1, dark: true });
faults.forEach((fault) => console.log(fault));
console.log(`web windows: ${faults.length ? 0 : 1} passed, ${faults.length ? 1 : 0} failed`);
process.exit(faults.length ? 1 : 0);
