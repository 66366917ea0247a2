// SPDX-License-Identifier: GPL-3.0-or-later
// What every browser test of the page needs: Debian's headless Chromium
// with a profile of its own (so IndexedDB lasts across the pages it opens),
// the page's windows found by their controls' names, the moment the game is
// idle, every message box read as the page draws it and answered.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

// A browser with a fresh profile, which close() also removes, or with the
// profile given, which close() keeps for the next launch; timezoneId is the
// browser's time zone (the machine's when not given).
export async function launch({ width = 1280, height = 800, scale = 1, profile = null, timezoneId } = {}) {
  const kept = profile !== null;
  profile ??= fs.mkdtempSync(path.join(os.tmpdir(), 'quibbly-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, viewport: { width, height }, deviceScaleFactor: scale, timezoneId,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const close = async () => { await context.close(); if (!kept) fs.rmSync(profile, { recursive: true, force: true }); };
  return { context, close };
}

// A driver of one page (tab): faults collects the page's errors.
export function drive(page, screens) {
  const faults = [];
  page.on('pageerror', (error) => faults.push(`page error: ${error.message}`));
  const control = (name) => `.win:not([hidden]) [data-name="${name}"]`;
  const d = {
    page, faults, control,
    shot: (name) => (screens ? page.screenshot({ path: path.join(screens, `web-${name}.png`) }) : null),
    usable: (name) => page.$eval(control(name), (el) => !el.hidden && !el.classList.contains('off')).catch(() => false),
    // A box is open, or the program waits with nothing to do.
    settle: () => page.waitForFunction(() => document.querySelector('dialog[open]') || document.body.dataset.idle === '1',
      null, { timeout: 60000 }),
    // The open box as the page shows it: title bar, icon, buttons (with the
    // default one where it is No) and text, in the native transcript's form.
    box: () => page.$eval('dialog[open]', (d) => {
      const buttons = [...d.querySelectorAll('.buttons button')];
      const icon = getComputedStyle(d.querySelector('.icon')).display === 'none' ? 'none' : d.dataset.icon;
      const noFirst = buttons.length > 1 && document.activeElement === buttons[1] ? ',default-No' : '';
      return `BOX ${icon} ${buttons.map((b) => b.textContent).join('/') + noFirst} ` +
        `${d.querySelector('.title').textContent}|${d.querySelector('p').textContent.replace(/\n/g, '\\n')}`;
    }).catch(() => null),
    // Answers every box that opens until the game is idle: answer(line)
    // gives the button's caption (OK, Yes or No); the boxes' lines are returned.
    async answerBoxes(answer = (line) => (line.includes(' OK ') ? 'OK' : 'No')) {
      const lines = [];
      for (;;) {
        await d.settle();
        const line = await d.box();
        if (!line) return lines;
        lines.push(line);
        await page.click(`dialog[open] button:text-is("${answer(line)}")`);
      }
    },
    // Typed where the game put the focus, over the old text; a box the
    // focus is not in is clicked and its text selected first.
    async typeInto(name, text) {
      if (!await page.$eval(control(name), (el) => el === document.activeElement)) {
        await page.click(control(name));
        await page.keyboard.press('Control+A');
      }
      await page.keyboard.type(text);
    },
    rows: (name) => page.$$eval(`${control(name)} > div`, (rows) => rows.map((row) => row.textContent)),
  };
  return d;
}
