// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the script of native_transcript.cpp in the page, in Debian's
// headless Chromium, by clicks and by keys in turn, answering every box,
// and checks that the page's transcript (the boxes, both guess lists) is
// the desktop build's for the same draws: at every level, at a device
// pixel ratio of 1 and 2 in turn. Screenshots (of the first) go to SCREENS.
//
//   node play_game.mjs NATIVE_TRANSCRIPT SITE_URL SCREENS
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { drive, launch } from './page_driver.mjs';

const [native, site, screens] = process.argv.slice(2);
const seed = '7', word = 'PLANT', guesses = ['HOUSE', 'MOUSE', 'CRISP', 'LIGHT', 'BRAVE'];
fs.mkdirSync(screens, { recursive: true });
const failed = [];

async function play(level, key, scale) {
  const expected = execFileSync(native, [seed, level, word, guesses.join(',')], { encoding: 'latin1' }).trim().split('\n');
  const drawn = expected.find((line) => line.startsWith('DRAWN ')).slice(6);
  // A box without a title shows the game's name in its title bar, as on the desktop.
  const wanted = expected.filter((line) => !line.startsWith('DRAWN '))
    .map((line) => line.replace(/^(BOX \S+ \S+ )\|/, '$1Quibbly|'));
  const browser = await launch({ scale });
  const page = browser.context.pages()[0] ?? await browser.context.newPage();
  const { faults, shot, control, usable, settle, box, typeInto } = drive(page, level === 'Easy' ? screens : null);
  const seen = [];
  let turns = 0;  // odd turns are played by keys, even ones by the mouse

  async function answerBoxes(shotName) {
    for (;;) {
      await settle();
      const line = await box();
      if (!line) return;
      seen.push(line);
      if (shotName) { await shot(shotName); shotName = null; }
      if (!line.includes(' OK ')) await page.click('dialog[open] button:text-is("No")');
      else if (seen.length % 2) await page.keyboard.press('Enter');
      else await page.click('dialog[open] button');
    }
  }
  async function lists() {
    for (const [tag, name] of [['YOURS', 'YourGuessList'], ['MINE', 'MyGuessList']])
      seen.push([tag, ...await page.$$eval(`${control(name)} > div`, (rows) => rows.map((row) => row.textContent))].join('|'));
  }
  const byKeys = () => turns++ % 2 === 1;
  async function move(guessed) {
    if (await usable('GuessButton')) {
      const guess = guessed.count === 1 ? drawn : guesses[guessed.count % guesses.length];
      guessed.count++;
      await typeInto('YourGuessText', guess);
      if (byKeys()) await page.keyboard.press('Enter'); else await page.click(control('GuessButton'));
    } else if (await usable('CorrectButton')) {
      const theirs = await page.$eval(control('MyGuessText'), (el) => el.value);
      const count = ([...theirs].filter((letter) => word.includes(letter)).length + (guessed.answered++ === 0 ? 1 : 0)) % 6;
      const keys = byKeys();
      if (theirs === word) await (keys ? page.keyboard.press('c') : page.click(control('CorrectButton')));
      else if (keys) await page.keyboard.press(String(count));
      else await page.click(control(['ZeroButton', 'OneButton', 'TwoButton', 'ThreeButton', 'FourButton', 'FiveButton'][count]));
    } else {
      return false;
    }
    await answerBoxes(turns === 3 ? 'message-box' : null);
    return true;
  }

  try {
    await page.goto(`${site}/index.html?draws=${seed}`);
    await page.waitForSelector('.win:not([hidden]) [data-name="Label3"]');
    await shot('start-up');
    await page.waitForSelector(control('YourWordText'), { timeout: 20000 });
    await settle();
    // The level by its access keys, the word by keys and Enter.
    await page.keyboard.press('Alt+L');
    await page.keyboard.press(key);
    await typeInto('YourWordText', word);
    await page.keyboard.press('Enter');
    await answerBoxes();
    const guessed = { count: 0, answered: 0 };
    for (let step = 0; step < 200 && !(await usable('NameText')) && await move(guessed); step++);
    if (await usable('NameText')) {
      await shot('name-window');
      await page.keyboard.type('WEB');
      await page.keyboard.press('Enter');
      await page.waitForSelector(control('OKButton'));
      await shot('winners');
      await page.click(control('OKButton'));
      await answerBoxes();
    }
    await lists();

    // The second game in a smaller page, whose windows zoom to fit it anew:
    // File > New Game by the mouse, Pause by keys, Resume by the mouse, Quit
    // Game by its Ctrl shortcut.
    await page.setViewportSize({ width: 900, height: 640 });
    await page.waitForFunction(() => document.querySelector('.win:not([hidden])').offsetWidth < 900);
    await settle();
    await page.click(control('FileMenu'));
    await page.click(control('FileNew'));
    await answerBoxes();
    await typeInto('YourWordText', word);
    await page.keyboard.press('Enter');
    await answerBoxes();
    for (let step = 0; step < 3; step++) await move(guessed);
    await shot('main-window');
    await page.keyboard.press('Alt+G');
    await shot('menu');
    await page.keyboard.press('p');
    await answerBoxes();
    await page.click(control('GameMenu'));
    await page.click(control('GameResume'));
    await answerBoxes();
    await page.keyboard.press('Control+Q');
    await answerBoxes();
    await lists();
    await page.keyboard.press('Control+X');
    await page.waitForSelector(control('DoneButton'));
    await settle();
    await shot('credits');
    await page.click(control('DoneButton'));
    await answerBoxes();
    await page.waitForSelector('#ended:not([hidden])');
    await shot('ended');
    seen.push('ENDED');
  } catch (error) {
    faults.push(`the game stopped: ${error.message.split('\n')[0]}`);
    await shot('failure').catch(() => {});
  } finally {
    await browser.close();
  }

  for (let i = 0; i < Math.max(seen.length, wanted.length); i++)
    if (seen[i] !== wanted[i]) { faults.push(`line ${i + 1}: the page gave\n  ${seen[i]}\nthe desktop build\n  ${wanted[i]}`); break; }
  faults.forEach((fault) => console.log(`${level}, ratio ${scale}: ${fault}`));
  console.log(`${level} at a device pixel ratio of ${scale}: ${seen.length} transcript lines played in the page`);
  if (faults.length) failed.push(level);
}

for (const [level, key, scale] of [['Easy', 'e', 1], ['Medium', 'm', 2], ['Hard', 'h', 1], ['Expert', 'x', 2]])
  await play(level, key, scale);
console.log(`web: ${4 - failed.length} passed, ${failed.length} failed`);
process.exit(failed.length ? 1 : 0);
