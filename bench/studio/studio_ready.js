// How soon the studio's one file is ready when opened from disk in the
// system's Chromium: from the page's opening to its ready mark (the engine
// started, "Add photos" working), beside the time the browser took to read
// and parse the file (DOMContentLoaded) in the same load.  Each load in a
// fresh browser context; prints the file's size and the medians.  Asserts
// nothing (tests/studio_page checks what must hold).
//   node bench/studio/studio_ready.js build/studio/showsaver-studio.html [LOADS]
'use strict';
const {chromium} = require('../../tests/studio_page/node_modules/playwright-core');
const fs = require('fs');
const path = require('path');

const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];

async function main() {
  const file = path.resolve(process.argv[2]);
  const loads = Number(process.argv[3] || 9);
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: process.getuid() === 0 ? ['--no-sandbox'] : [],
  });
  const ready = [];
  const parsed = [];
  try {
    for (let i = 0; i < loads; ++i) {
      const context = await browser.newContext();
      const page = await context.newPage();
      await page.goto('file://' + file);
      await page.waitForSelector('html[data-ready]', {timeout: 60000});
      const times = await page.evaluate(() => ({
        ready: performance.getEntriesByName('studio-ready')[0].startTime,
        parsed: performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd,
      }));
      ready.push(times.ready);
      parsed.push(times.parsed);
      await context.close();
    }
  } finally {
    await browser.close();
  }
  console.log(`${path.basename(file)}: ${fs.statSync(file).size} bytes`);
  console.log(`ready after      ${median(ready).toFixed(0)} ms (median of ${loads} loads; ` +
              `from ${Math.min(...ready).toFixed(0)} to ${Math.max(...ready).toFixed(0)})`);
  console.log(`parsed after     ${median(parsed).toFixed(0)} ms (reference: the file read and parsed)`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
