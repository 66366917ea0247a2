// SPDX-License-Identifier: GPL-3.0-or-later
// The page's figures: what it weighs on the wire (every file of the site,
// each gzip -9'd, as a static host serves it), how long from navigation to
// the start-up window and to the main window in headless Chromium (a fresh
// profile each run), and the computer's turn at every level natively and in
// Chromium. bench/web_figures.sh builds what it needs and runs this.
//
//   node bench/web/figures.mjs --site DIR --bench-site DIR --native PROGRAM
//        [--runs N] [--games N] [--port P]
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch } from '../../tests/web/page_driver.mjs';

const options = { runs: '7', games: '400', port: '8837' };
for (let i = 2; i < process.argv.length; i += 2) options[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
const site = options.site, benchSite = options['bench-site'], native = options.native;
const runs = Number(options.runs), games = options.games, port = Number(options.port);
const here = path.dirname(fileURLToPath(import.meta.url));

const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
const worst = (v) => Math.max(...v);
const kB = (bytes) => `${(bytes / 1000).toFixed(1)} kB`;

function serve(command, args, at) {
  const server = spawn(command, args, { stdio: 'ignore' });
  return { server, url: `http://127.0.0.1:${at}` };
}
async function ready(url) {
  for (let i = 0; i < 100; i++) {
    try { if ((await fetch(url)).ok) return; } catch { /* not listening yet */ }
    await new Promise((r) => setTimeout(r, 100));
  }
  throw new Error(`no server at ${url}`);
}

// Every file of the site, and what the page fetched of it while starting.
function files(folder) {
  return fs.readdirSync(folder, { recursive: true }).filter((f) => fs.statSync(path.join(folder, f)).isFile()).sort();
}
const gzipped = (file) => execFileSync('gzip', ['-9', '-n', '-c', file], { maxBuffer: 1 << 28 }).length;

const page = serve('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1', '--directory', site], port);
const bench = serve('python3', [path.join(here, 'serve.py'), String(port + 1), benchSite], port + 1);
try {
  await ready(`${page.url}/index.html`);
  await ready(`${bench.url}/computer_turn.html`);
  // A port another server holds would answer for ours.
  if (page.server.exitCode !== null || bench.server.exitCode !== null) throw new Error(`port ${port} or ${port + 1} is taken`);

  // Start-up: the moments the start-up window and the main window first
  // show, read in the page on its own clock (milliseconds from navigation).
  const startUp = [], mainWindow = [], fetched = new Set();
  for (let run = 0; run < runs; run++) {
    const browser = await launch();
    try {
      const tab = browser.context.pages()[0] ?? await browser.context.newPage();
      tab.on('request', (request) => fetched.add(new URL(request.url()).pathname.slice(1) || 'index.html'));
      await tab.addInitScript(() => {
        const shown = (selector) => [...document.querySelectorAll(selector)].some((el) => el.getClientRects().length > 0);
        const seen = {};
        const look = () => {
          if (!seen.startUp && shown('.win:not([hidden]) [data-name="Label3"]')) seen.startUp = performance.now();
          if (!seen.main && shown('.win:not([hidden]) [data-name="YourWordText"]')) seen.main = performance.now();
        };
        window.quibblyShown = seen;
        new MutationObserver(look).observe(document, { subtree: true, childList: true, attributes: true });
      });
      await tab.goto(`${page.url}/index.html`);
      await tab.waitForFunction(() => window.quibblyShown.main, null, { timeout: 60000 });
      const seen = await tab.evaluate(() => window.quibblyShown);
      startUp.push(seen.startUp);
      mainWindow.push(seen.main);
    } finally {
      await browser.close();
    }
  }

  // The turn table: the same program natively and in Chromium.
  const table = (text) => Object.fromEntries(text.split('\n').filter((l) => /^\| [a-z]+ \| \d/.test(l))
    .map((l) => l.split('|').map((c) => c.trim())).map((c) => [c[1], { games: c[2], turns: c[3], median: c[4], p99: c[5], max: c[6] }]));
  const nativeTable = table(execFileSync(native, ['--games', games], { encoding: 'utf8', maxBuffer: 1 << 24 }));
  const browser = await launch();
  let webTable;
  try {
    const tab = browser.context.pages()[0] ?? await browser.context.newPage();
    await tab.goto(`${bench.url}/computer_turn.html?--games&${games}`);
    if (!await tab.evaluate(() => crossOriginIsolated)) console.log('(the bench page is not cross-origin isolated: its clock reads to 0.1 ms)');
    await tab.waitForFunction(() => document.body.dataset.done === '1', null, { timeout: 0, polling: 1000 });
    webTable = table(await tab.$eval('#out', (el) => el.textContent));
  } finally {
    await browser.close();
  }

  console.log(`\nThe page's transfer size, each file gzip -9'd (${site}):\n`);
  console.log('| file | bytes | gzip -9 | fetched at start |\n|---|---|---|---|');
  let total = 0;
  for (const file of files(site)) {
    const bytes = gzipped(path.join(site, file));
    total += bytes;
    console.log(`| ${file} | ${fs.statSync(path.join(site, file)).size} | ${bytes} | ${fetched.has(file) ? 'yes' : 'no'} |`);
  }
  console.log(`| **total** | | **${total} (${kB(total)})** | |`);
  const missing = [...fetched].filter((f) => !fs.existsSync(path.join(site, f)));
  if (missing.length) console.log(`fetched but not in the site: ${missing.join(', ')}`);

  console.log(`\nFrom navigation, headless Chromium, ${runs} runs, a fresh profile each:\n`);
  console.log('| window | median | worst |\n|---|---|---|');
  console.log(`| start-up window | ${median(startUp).toFixed(0)} ms | ${worst(startUp).toFixed(0)} ms |`);
  console.log(`| main window | ${median(mainWindow).toFixed(0)} ms | ${worst(mainWindow).toFixed(0)} ms |`);

  console.log(`\nA computer turn, ${games} games a level, native against Chromium:\n`);
  console.log('| level | games | turns | native median | native p99 | Chromium median | Chromium p99 | Chromium max |');
  console.log('|---|---|---|---|---|---|---|---|');
  for (const [level, n] of Object.entries(nativeTable)) {
    const w = webTable[level] ?? {};
    console.log(`| ${level} | ${n.games} | ${n.turns}${w.turns && w.turns !== n.turns ? ` (${w.turns})` : ''} | ${n.median} | ${n.p99} | ${w.median} | ${w.p99} | ${w.max} |`);
  }
} finally {
  page.server.kill();
  bench.server.kill();
}
