// The studio's one file in Debian's Firefox (firefox-esr, headless, driven
// over WebDriver BiDi by playwright-core), copied alone into an empty folder
// and opened from disk: it reaches its ready mark, shows its version, and a
// photo dropped on it becomes a scene whose preview the engine draws.
//   node firefox_test.js STUDIO_FILE ARTIFACTS VERSION
// Exits 77 (skipped) when the studio has not been built or Firefox is not
// installed.
'use strict';
const {_bidiFirefox: firefox} = require('playwright-core');
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');

const FIREFOX = '/usr/bin/firefox-esr';
const [studioFile, artifacts] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const version = process.argv[4];
const results = [];

function check(name, passed, detail = '') {
  results.push(passed);
  console.log(`${passed ? 'ok' : 'FAILED'}: ${name}${detail ? ` (${detail})` : ''}`);
}

async function main() {
  for (const needed of [studioFile, FIREFOX]) {
    if (!fs.existsSync(needed)) {
      console.log(`skipped: there is no ${needed}`);
      process.exit(77);
    }
  }
  fs.rmSync(artifacts, {recursive: true, force: true});
  fs.mkdirSync(artifacts, {recursive: true});
  const file = path.join(artifacts, path.basename(studioFile));
  fs.copyFileSync(studioFile, file);
  // A 400 x 300 pink photo: fitted into the 1280 x 720 show, 960 x 720 at 160.
  const photo = path.join(artifacts, 'pink.png');
  execFileSync('convert', ['-size', '400x300', 'xc:#ff4080', photo]);

  const browser = await firefox.launch({executablePath: FIREFOX, headless: true, timeout: 60000});
  try {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto('file://' + file);
    const ready = await page.waitForSelector('html[data-ready]', {timeout: 60000}).then(() => true, () => false);
    const readyAfter = ready &&
        await page.evaluate(() => performance.getEntriesByName('studio-ready')[0].startTime);
    check('Firefox opens the file from disk and reaches the ready mark', ready,
          `${await browser.version()}, ready after ${Math.round(readyAfter)} ms`);
    check('the page shows its version', await page.textContent('#about') ===
          `showsaver studio, version ${version}`, await page.textContent('#about'));
    // Dropped rather than chosen: this driver of Firefox sets no file input.
    await page.evaluate((base64) => {
      const transfer = new DataTransfer();
      const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      transfer.items.add(new File([bytes], 'pink.png', {type: 'image/png'}));
      document.querySelector('main').dispatchEvent(
        new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true}));
    }, fs.readFileSync(photo).toString('base64'));
    await page.waitForSelector('#strip li', {timeout: 30000}).catch(() => {});
    const scene = [await page.textContent('#strip .caption').catch(() => ''),
                   await page.inputValue('#scene-left').catch(() => '')];
    check('a dropped photo becomes a scene, fitted by the engine', scene.join('|') === '1. pink.bmp|160',
          scene.join('|'));
    const drawn = await page.waitForFunction(() => {
      const canvas = document.getElementById('preview');
      const [red, green, blue] = canvas.getContext('2d').getImageData(canvas.width / 2, canvas.height / 2, 1, 1).data;
      return red === 0xFF && green === 0x40 && blue === 0x80;
    }, null, {timeout: 30000}).then(() => true, () => false);
    check('the engine draws the photo in the preview', drawn);
    check('the page raised no script error', errors.length === 0, errors.join('; '));
  } finally {
    await browser.close();
  }
  const failed = results.filter((passed) => !passed).length;
  console.log(`${results.length - failed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
