// SPDX-License-Identifier: GPL-3.0-or-later
// The player's files kept by the browser, in one Chromium profile: a game
// left by a reload is offered and goes on as it stood; a second tab keeps no
// game and leaves the first one's kept file as it was; two tabs' wins both
// reach the winners list and the history; all of it is there when the
// browser starts again; offline the page still starts; and today's word and
// its share line are the desktop build's for the same local date.
//
//   node files_and_tabs.mjs NATIVE_TODAY SITE_URL
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { drive, launch } from './page_driver.mjs';

const [nativeToday, site] = process.argv.slice(2);
// A zone whose date is not UTC's at this hour, so the page must take the
// browser's local date, and whose midnight is an hour or more away.
const zone = new Date().getUTCHours() < 10 ? 'Pacific/Pago_Pago' : 'Pacific/Kiritimati';
const seed = '7', word = 'PLANT', guesses = ['HOUSE', 'CRISP'];
const native = execFileSync(nativeToday, [seed, 'Easy', word, guesses.join(',')],
  { encoding: 'utf8', env: { ...process.env, TZ: zone } });
const [, date, today] = native.match(/^TODAY (\S+) (\S+)$/m);
const share = native.match(/^SHARE (.*)$/m)[1];

const folder = '/home/web_user/.local/share/quibbly';
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quibbly-files-'));
const faults = [];
const expect = (ok, what) => { if (!ok) faults.push(what); };
let browser = await launch({ profile, timezoneId: zone });
const pages = [];

// A tab of the game, idle on its main window; its start-up boxes are
// answered (a kept game's question by `keep`) and returned.
async function open(page, keep = 'No') {
  const d = drive(page);
  pages.push(d);
  await page.goto(`${site}/index.html?draws=${seed}`);
  await page.waitForSelector(d.control('YourWordText'), { timeout: 20000 });
  d.started = await d.answerBoxes((line) => (line.includes(' OK ') ? 'OK' : keep));
  return d;
}
// A file of the page's folder as its bytes (Latin-1), or null.
const bytes = (d, name) => d.page.evaluate((file) => {
  try { return Array.from(FS.readFile(file), (b) => String.fromCharCode(b)).join(''); } catch (e) { return null; }
}, `${folder}/${name}`);
const lists = async (d) => [await d.rows('YourGuessList'), await d.rows('MyGuessList')].join('|');
const menu = async (d, top, item) => { await d.page.click(d.control(top)); await d.page.click(d.control(item)); };

// Plays `moves` turns (to the end when not given) of a game, started at
// Easy first unless `going`: the guesses, then `last` (a game going on
// guesses `last` at once); the computer's guesses answered truly, a win
// named `name`, its winners list closed by OK unless `wait`, play again
// answered No.
async function play(d, { going = false, moves = 200, last = 'BRAVE', name = 'WEB', wait = false } = {}) {
  if (!going) {
    await d.page.keyboard.press('Alt+L');
    await d.page.keyboard.press('e');
    await d.typeInto('YourWordText', word);
    await d.page.keyboard.press('Enter');
    await d.answerBoxes();
  }
  const mine = going ? [last] : [...guesses, last];
  let guessed = 0;
  for (let step = 0; step < moves && !(await d.usable('NameText')); step++) {
    if (await d.usable('GuessButton')) {
      await d.typeInto('YourGuessText', mine[Math.min(guessed++, mine.length - 1)]);
      await d.page.keyboard.press('Enter');
    } else if (await d.usable('CorrectButton')) {
      const theirs = await d.page.$eval(d.control('MyGuessText'), (el) => el.value);
      const count = [...theirs].filter((letter) => word.includes(letter)).length;
      await d.page.click(d.control(theirs === word ? 'CorrectButton'
        : ['ZeroButton', 'OneButton', 'TwoButton', 'ThreeButton', 'FourButton', 'FiveButton'][count]));
    } else break;
    await d.answerBoxes();
  }
  if (!(await d.usable('NameText'))) return;
  await d.page.keyboard.type(name);
  await d.page.keyboard.press('Enter');
  await d.page.waitForSelector(d.control('OKButton'));
  if (!wait) await ok(d);
}
const ok = async (d) => { await d.page.click(d.control('OKButton')); await d.answerBoxes(); };
const records = (history) => (history ?? '').split('\r\n').filter((line) => line.startsWith('Game=')).length;
const reopen = async (d, keep) => {
  await d.page.reload();
  await d.page.waitForSelector(d.control('YourWordText'), { timeout: 20000 });
  return d.answerBoxes((line) => (line.includes(' OK ') ? 'OK' : keep));
};

try {
  // A game, a reload in the middle, the kept game continued as it stood.
  const a = await open(browser.context.pages()[0] ?? await browser.context.newPage());
  await play(a, { moves: 3 });
  const board = await lists(a);
  // The computer's word, as the kept game's file holds it (line 6).
  const theirs = (await bytes(a, 'Unfinished.Gam')).split('\r\n')[5].trim();
  const offered = await reopen(a, 'Yes');
  expect(offered.some((line) => line.includes('|A game left unfinished on ')), `no kept game after the reload: ${offered}`);
  expect(await lists(a) === board, `the board after the reload: ${await lists(a)}, before it: ${board}`);

  // A second tab while the first plays keeps no game and leaves the first
  // one's file as it was. Both win a game (the same draws, the same word)
  // and show their winners lists; the second tab's OK comes first, and the
  // first tab's after it keeps both rows.
  if (!(await a.usable('GuessButton'))) await play(a, { going: true, moves: 1 });
  const kept = await bytes(a, 'Unfinished.Gam');
  const b = await open(await browser.context.newPage());
  expect(b.started.length === 0, `the second tab began with ${b.started}`);
  await play(b, { last: theirs, name: 'BOB', wait: true });
  expect(await bytes(b, 'Unfinished.Gam') === kept && await bytes(a, 'Unfinished.Gam') === kept,
    'the second tab changed the first one\'s kept game');
  await play(a, { going: true, last: theirs, name: 'ANN', wait: true });
  await ok(b);
  await ok(a);
  const winners = await bytes(a, 'Win.Lst'), history = await bytes(a, 'History.Lst');
  expect(/^BOB .*\r\n/m.test(winners) && /^ANN .*\r\n/m.test(winners), `the winners list: ${winners}`);
  expect(records(history) === 2, `${records(history)} records in the history, not 2`);
  // The second tab brought back to the front loads what the first wrote.
  await b.page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
  await b.settle();
  expect(await bytes(b, 'Win.Lst') === winners && await bytes(b, 'History.Lst') === history,
    'the second tab back at the front has not the first one\'s files');

  // A game left when the browser closes is there when it starts again, with
  // the list and the history.
  await b.page.close();
  await menu(a, 'FileMenu', 'FileNew');
  await a.answerBoxes();
  await play(a, { moves: 2 });
  const left = await lists(a);
  await browser.close();
  browser = await launch({ profile, timezoneId: zone });
  const c = await open(browser.context.pages()[0] ?? await browser.context.newPage(), 'Yes');
  expect(c.started.some((line) => line.includes('|A game left unfinished on ')) && await lists(c) === left,
    `after the browser's restart: ${c.started}, the board ${await lists(c)}, not ${left}`);
  expect(await bytes(c, 'Win.Lst') === winners && await bytes(c, 'History.Lst') === history,
    'the winners list or the history changed with the browser\'s restart');

  // Offline the page starts (the kept game given up), and today's word and
  // its share line are the desktop's for the same local date.
  await browser.context.setOffline(true);
  await browser.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(site).origin });
  await reopen(c, 'No');
  await menu(c, 'GameMenu', 'GameTodaysWord');
  await play(c, { last: today, name: 'DAY' });
  const day = (await bytes(c, 'History.Lst')).split('Game=').pop();
  expect(day.includes(`\r\nMyWord=${today}\r\n`) && day.includes(`\r\nDaily=${date}\r\n`) && day.includes('\r\nEnd=Won\r\n'),
    `today's word of ${date} in the page is not ${today}: ${day}`);
  await menu(c, 'GameMenu', 'GameStatistics');
  await c.page.click(c.control('CopyButton'));
  const shared = await c.page.evaluate(() => navigator.clipboard.readText());
  expect(shared === share, `the page shares\n  ${shared}\nthe desktop build\n  ${share}`);
} catch (error) {
  faults.push(`the test stopped: ${error.message.split('\n')[0]}`);
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
faults.push(...pages.flatMap((d) => d.faults));
faults.forEach((fault) => console.log(fault));
console.log(`web files and tabs: ${faults.length ? 0 : 1} passed, ${faults.length ? 1 : 0} failed`);
process.exit(faults.length ? 1 : 0);
