// Opens the studio, adds the test photos and takes screenshots: for looking.
'use strict';
const {chromium} = require('playwright-core');
const path = require('path');
const {makePhotos} = require('./photos');

(async () => {
  const [studio, out] = process.argv.slice(2);
  const photos = makePhotos(path.join(out, 'photos'));
  const browser = await chromium.launch({executablePath: '/usr/bin/chromium', headless: true,
                                         args: process.getuid() === 0 ? ['--no-sandbox'] : []});
  const page = await browser.newPage({viewport: {width: 1280, height: 800}, locale: process.env.LOCALE || 'en-US'});
  page.on('console', (message) => console.log('console:', message.text()));
  page.on('pageerror', (error) => console.log('pageerror:', error.message));
  await page.goto('file://' + path.resolve(studio, 'index.html'));
  await page.waitForSelector('body[data-ready]');
  await page.screenshot({path: path.join(out, '1-empty.png')});
  await page.setInputFiles('#photo-input', [photos.jpeg, photos.png, photos.webp, photos.japanese]);
  await page.waitForFunction(() => document.querySelectorAll('#strip li').length === 4);
  await page.waitForTimeout(2500);
  await page.screenshot({path: path.join(out, '2-photos.png')});
  await browser.close();
})().catch((error) => { console.error(error); process.exit(1); });
