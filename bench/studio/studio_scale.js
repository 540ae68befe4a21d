// The studio at scale, in the system's Chromium: 100 photos of 1920 x 1080
// added to a 1920 x 1080 show, one transition previewed, the show saved for
// Windows 64-bit.  Prints the figures; asserts nothing (see tests/studio_page
// for what must hold).
//   node bench/studio/studio_scale.js build/studio/showsaver-studio.html [WORK_FOLDER]
'use strict';
const {chromium} = require('../../tests/studio_page/node_modules/playwright-core');
const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const PHOTOS = 100;
const DISTINCT = 10;  // photos made; each is copied under ten names

function makePhotos(folder) {
  fs.mkdirSync(folder, {recursive: true});
  const files = [];
  for (let i = 0; i < DISTINCT; ++i) {
    const source = path.join(folder, `source-${i}.jpg`);
    execFileSync('convert', ['-size', '1920x1080', '-seed', String(i), 'plasma:fractal',
                             '-quality', '90', source]);
    for (let copy = 0; copy < PHOTOS / DISTINCT; ++copy) {
      const file = path.join(folder, `photo-${String(copy * DISTINCT + i).padStart(3, '0')}.jpg`);
      fs.copyFileSync(source, file);
      files.push(file);
    }
  }
  return files.sort();
}

function seconds(start) {
  return ((performance.now() - start) / 1000).toFixed(1);
}

// Each frame of the preview's transition against the wall clock, from the
// transition's first frame on: when the worker posted it, when the page got
// it, and when the page drew it (frames that come faster than the display
// refreshes are passed over).
async function previewTiming(page, effect) {
  await page.evaluate(() => {
    window.studioFrameLog = [];
    window.studioFrameLog.timesOnly = true;
  });
  await page.selectOption('#scene-effect', String(effect));  // ends the preview before
  await page.evaluate(() => new Promise((resolve) =>
    window.addEventListener('studio-preview-done', resolve, {once: true})));
  const log = await page.evaluate(() => window.studioFrameLog.map(
    ({time, posted, received, drawn}) => ({time, posted, received, drawn})));
  // The frames of the held picture come first; the transition's follow its hold.
  const frames = log.slice(log.findIndex((frame) => frame.time > 0));
  const n = frames.length;
  const [first, last] = [frames[0], frames[n - 1]];
  // How long after its time on the show clock each frame reached a stage,
  // the first frame's posting taken as on time.
  const late = (stage) => frames.filter((frame) => frame[stage] !== undefined)
    .map((frame) => (frame[stage] - first.posted) - (frame.time - first.time));
  const mean = (list) => list.reduce((a, b) => a + b, 0) / list.length;
  const figures = (stage) => {
    const list = late(stage);
    return `${mean(list).toFixed(1)} ms on average, ${Math.max(...list).toFixed(1)} ms at most`;
  };
  // The page gets a frame a display refresh of show time at most, so these
  // may be fewer and further apart than the frames the player draws.
  return `${n} frames over ${(last.time - first.time).toFixed(0)} ms of show time, ` +
         `${((last.time - first.time) / (n - 1)).toFixed(1)} ms apart on the show clock; ` +
         `late when posted by the worker ${figures('posted')}; when the page got them ` +
         `${figures('received')}; ${late('drawn').length} drawn, ${figures('drawn')}`;
}

async function main() {
  const studio = path.resolve(process.argv[2] || 'build/studio/showsaver-studio.html');
  const work = path.resolve(process.argv[3] || fs.mkdtempSync(path.join(os.tmpdir(), 'studio-scale-')));
  const files = makePhotos(path.join(work, 'photos'));
  const browser = await chromium.launch({executablePath: '/usr/bin/chromium', headless: true,
                                         args: process.getuid() === 0 ? ['--no-sandbox'] : []});
  const page = await browser.newPage({viewport: {width: 1280, height: 800}, acceptDownloads: true});
  page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
  await page.goto('file://' + studio);
  await page.waitForSelector('html[data-ready]');
  await page.selectOption('#show-size', '1920x1080');

  // Adding: from the file input to the last thumbnail, the page answering meanwhile.
  let start = performance.now();
  let longestPause = 0;
  await page.setInputFiles('#photo-input', files);
  while (await page.$$eval('#strip li', (items) => items.length) < PHOTOS) {
    const asked = performance.now();
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
    longestPause = Math.max(longestPause, performance.now() - asked);
    await page.waitForTimeout(200);
  }
  console.log(`adding ${PHOTOS} photos of 1920x1080: ${seconds(start)} s ` +
              `(the page's longest wait for a frame meanwhile: ${longestPause.toFixed(0)} ms)`);

  // Previewing the first scene's transition: the one of the shortest frames,
  // then the first scene's own again (each choice starts the preview anew).
  for (const [effect, name] of [[13, 'flip-horizontal'], [1, 'split-horizontal']]) {
    console.log(`preview of ${name} at 1920x1080: ${await previewTiming(page, effect)}`);
  }

  // Saving.
  start = performance.now();
  const [saved] = await Promise.all([page.waitForEvent('download', {timeout: 600000}), page.click('#save')]);
  const file = path.join(work, 'scale.scr');
  await saved.saveAs(file);
  console.log(`saving for Windows 64-bit: ${seconds(start)} s, ${(fs.statSync(file).size / 1e6).toFixed(0)} MB`);
  await browser.close();
  fs.rmSync(work, {recursive: true, force: true});
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
