// The studio in a real browser (the system's Chromium through playwright-core),
// its one file copied alone into an empty folder and opened from there:
// photos added through the file input, scenes reordered and edited, the show
// previewed, played and saved; then what it saved is checked against
// showpack, and a show it saved and a show showpack made are opened and saved
// again unchanged.  The page fetches nothing but itself.
//   node studio_page_test.js STUDIO_FILE SHOWPACK ARTIFACTS NAME=PLAYER...
// (NAME: linux, windows-x64, windows-x86).  Exits 77 (skipped) when the
// studio has not been built.
'use strict';
const {chromium} = require('playwright-core');
const {execFileSync} = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const {makePhotos} = require('./photos');

const [studioFile, showpack, artifacts] = process.argv.slice(2, 5).map((p) => path.resolve(p));
// The players the studio joins shows to, as the build made them.
const players = Object.fromEntries(process.argv.slice(5).map((given) => given.split(/=(.*)/s, 2)));
const TITLE = '夏の思い出';
const results = [];

function check(name, passed, detail = '') {
  results.push(passed);
  console.log(`${passed ? 'ok' : 'FAILED'}: ${name}${detail ? ` (${detail})` : ''}`);
}

function run(program, args) {
  return execFileSync(program, args, {encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe']});
}

function sameBytes(a, b) {
  return fs.readFileSync(a).equals(fs.readFileSync(b));
}

// The SHA-256 of each PNG frame's RGBA pixels, as the page digests its canvas frames.
function frameDigests(folder) {
  return fs.readdirSync(folder).filter((name) => name.endsWith('.png')).sort().map((name) => {
    const rgba = execFileSync('convert', [path.join(folder, name), '-depth', '8', 'RGBA:-'],
                              {maxBuffer: 1 << 28});
    return crypto.createHash('sha256').update(rgba).digest('hex');
  });
}

// Whether `part` is `whole` with some items left out, in the same order.
function leavesOut(part, whole) {
  let at = 0;
  return part.every((item) => {
    while (at < whole.length && whole[at] !== item) ++at;
    return at++ < whole.length;
  });
}

// The page as it stands, from the top of its panels.
async function shot(page, name) {
  await page.evaluate(() => document.querySelector('main').scrollTo(0, 0));
  await page.screenshot({path: path.join(artifacts, `${name}.png`)});
}

async function sceneCaptions(page) {
  return page.$$eval('#strip .caption', (items) => items.map((item) => item.textContent));
}

async function download(page, platform, file) {
  await page.selectOption('#platform', platform);
  const [saved] = await Promise.all([page.waitForEvent('download'), page.click('#save')]);
  await saved.saveAs(file);
  return file;
}

// The preview of the selected scene, from its start to its end, as digests.
async function previewDigests(page) {
  await page.evaluate(() => { window.studioFrameLog = []; });
  // Leaves the scene as it is, but starts its preview again: the one before
  // ends at once, and the page empties the log as the new one starts.
  await page.fill('#scene-time', await page.inputValue('#scene-time'));
  await page.press('#scene-time', 'Tab');
  await page.evaluate(() => new Promise((resolve) =>
    window.addEventListener('studio-preview-done', resolve, {once: true})));
  return page.evaluate(async () => {
    const toHex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, '0')).join('');
    return Promise.all(window.studioFrameLog.map(async (frame) => toHex(await frame.digest)));
  });
}

// The show is the size of the browser's screen, 1024 x 768: the screen the
// players' own tests (tests/studio_files) play the saved files on.
async function makeShow(page, photos) {
  await page.selectOption('#show-size', 'screen');
  await page.fill('#show-back', '#203040');
  await page.dispatchEvent('#show-back', 'change');
  await page.setInputFiles('#photo-input', [photos.jpeg, photos.png, photos.webp, photos.japanese]);
  await page.waitForFunction(() => document.querySelectorAll('#strip li').length === 4);
  await shot(page, '2-photos-added');
  check('four photos make four scenes, the Japanese name kept',
        (await sceneCaptions(page)).join('|') === '1. harbour.bmp|2. balloon.bmp|3. field.bmp|4. 夏の海.bmp',
        (await sceneCaptions(page)).join('|'));
  // 480x320 turned upright is 320x480; fitted into 1024x768: 512x768, centred at 256.
  check('the JPEG is turned upright by its EXIF orientation',
        await page.inputValue('#scene-left') === '256', `left ${await page.inputValue('#scene-left')}`);

  await page.dragAndDrop('#strip li:nth-child(2)', '#strip li:nth-child(1)');
  check('dragging the second scene onto the first swaps them',
        (await sceneCaptions(page)).slice(0, 2).join('|') === '1. balloon.bmp|2. harbour.bmp');
  await shot(page, '3-reordered');

  await page.click('#strip li:nth-child(1)');
  // The first scene cross-fades into the second (after a wipe was chosen):
  // players without cross-fades cut.
  await page.selectOption('#scene-effect', {label: 'wipe left'});
  await page.selectOption('#scene-effect', {label: 'cross-fade'});
  await page.fill('#scene-fade-time', '0.8');
  await page.press('#scene-fade-time', 'Tab');
  await page.fill('#scene-time', '2');
  await page.press('#scene-time', 'Tab');
  // A name Windows refuses is shown beside its scene, and goes when it is put right.
  await page.fill('#scene-name', 'balloon?.bmp');
  await page.press('#scene-name', 'Tab');
  await page.waitForSelector('#scene-problems li.error');
  await shot(page, '4-problem');
  check('a name Windows refuses is an error beside its scene',
        /holds '\?', which Windows does not allow/.test(await page.textContent('#scene-problems')) &&
        await page.$eval('#strip li:nth-child(1)', (item) => item.classList.contains('has-error')));
  await page.fill('#scene-name', 'balloon.bmp');
  await page.press('#scene-name', 'Tab');
  await page.waitForSelector('#scene-problems li', {state: 'detached'});
  await page.click('#strip li:nth-child(2)');
  await page.selectOption('#scene-effect', {label: 'zoom in'});
  await page.selectOption('#scene-motion', 'pan-zoom');
  await page.fill('#scene-time', '1.5');
  await page.press('#scene-time', 'Tab');
  await page.setInputFiles('#scene-sound', photos.sound);
  await page.waitForFunction(() => document.getElementById('sound-name').textContent === 'chime.wav');
  // The sound is stored under a name of its own, as a picture can be.
  await page.fill('#scene-sound-name', 'bell.wav');
  await page.press('#scene-sound-name', 'Tab');
  await shot(page, '4-sound-named');
  await page.setInputFiles('#show-music', photos.music);
  await page.waitForFunction(() => document.getElementById('music-name').textContent === 'tune.wav');
  await page.fill('#show-title', TITLE);
  await page.check('#show-settings');
  await page.click('#strip li:nth-child(1)');
  // The README's picture: the first scene's preview halfway through its
  // cross-fade (2 s of hold, then 0.8 s of fade).
  await page.evaluate(() => { window.studioFrameLog = []; window.studioFrameLog.timesOnly = true; });
  await page.waitForFunction(() => window.studioFrameLog.some((frame) => frame.time >= 2400 && frame.drawn),
                             null, {timeout: 30000}).catch(() => {});
  await shot(page, '4-edited');
  await page.evaluate(() => { delete window.studioFrameLog; });
}

async function playShow(page) {
  await page.click('#play');
  await page.waitForTimeout(2500);
  await shot(page, '5-playing');
  const playing = await page.isVisible('#stage');
  const lit = await page.evaluate(() => {
    const canvas = document.getElementById('stage-canvas');
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    return canvas.width === 1024 && pixels.some((value, i) => i % 4 !== 3 && value !== 0);
  });
  await page.keyboard.press('Space');
  await page.waitForSelector('#stage', {state: 'hidden', timeout: 5000}).catch(() => {});
  check('Play shows the show full size and a key ends it',
        playing && lit && !(await page.isVisible('#stage')), `playing ${playing}, drawn ${lit}`);
}

// The player's own bytes and the package after them, split at the player's size.
function playerAndPackage(file, player) {
  const bytes = fs.readFileSync(file);
  const size = fs.statSync(player).size;
  return [bytes.subarray(0, size), bytes.subarray(size)];
}

async function checkSaved(page, work) {
  const windows = await download(page, 'windows-x64', path.join(work, 'studio-x64.scr'));
  const windows32 = await download(page, 'windows-x86', path.join(work, 'studio-x86.scr'));
  const linux = await download(page, 'linux', path.join(work, 'studio-linux.scr'));
  for (const [name, file, player, title] of [
    ['Windows x64', windows, 'windows-x64', ['--title', TITLE]],
    ['Windows x86', windows32, 'windows-x86', ['--title', TITLE]],
    ['Linux', linux, 'linux', []]]) {
    const out = path.join(work, `extracted-${path.basename(file)}`);
    run(showpack, ['extract', file, '--out', out]);
    const rebuilt = path.join(work, `rebuilt-${path.basename(file)}`);
    run(showpack, ['build', path.join(out, 'show.toml'), '--player', players[player],
                   '-o', rebuilt, ...title]);
    check(`the ${name} file equals showpack build of the same manifest and bitmaps`,
          sameBytes(file, rebuilt));
  }
  const [, package64] = playerAndPackage(windows, players['windows-x64']);
  const [player32, package32] = playerAndPackage(windows32, players['windows-x86']);
  check('the Windows x86 file is the 32-bit player with the x64 file\'s package',
        package32.equals(package64) && player32.readUInt16LE(player32.readUInt32LE(0x3C) + 4) === 0x14C);
  const manifest = fs.readFileSync(path.join(work, 'extracted-studio-x64.scr', 'show.toml'), 'utf8');
  check('the renamed sound is stored under its new name', /^sound_name = "bell\.wav"$/m.test(manifest),
        manifest.match(/^sound.*$/gm)?.join('; '));
  check('the cross-fade and the pan and zoom are stored with their scenes',
        /effect = "fade"\nfade_time = 800\n/.test(manifest) && /^motion = "pan-zoom"$/m.test(manifest),
        manifest.match(/^(effect|fade_time|motion).*$/gm)?.join('; '));
  return linux;
}

async function checkPreview(page, linux, work) {
  await page.click('#strip li:nth-child(1)');
  const page_frames = await previewDigests(page);
  const frames = path.join(work, 'render');
  run(showpack, ['render', linux, '--out', frames, '--transitions', '1', '--screen', '1024x768']);
  const rendered = frameDigests(frames);
  // The page passes over frames the engine draws too late to show on time
  // (a loaded machine), never the last.
  const same = leavesOut(page_frames, rendered) && page_frames.at(-1) === rendered.at(-1) &&
               page_frames.length * 2 >= rendered.length;
  check('the preview of the first transition draws showpack render\'s frames, the last among them',
        same, `${page_frames.length} frames in the page, ${rendered.length} rendered`);
}

// Selecting another scene never leaves the scene before on the preview:
// the first scene's picture (a pink disc in the middle) is on the canvas
// while its preview holds; from the click on the second scene's preview
// (a gradient without pink) no frame may show it, while the engine writes
// and starts the new preview nor after.
async function checkPreviewFollowsSelection(page) {
  await page.evaluate(() => { window.studioFrameLog = []; window.studioFrameLog.timesOnly = true; });
  await page.click('#strip li:nth-child(1)');
  const centre = () => page.evaluate(() => {
    const canvas = document.getElementById('preview');
    return [...canvas.getContext('2d').getImageData(canvas.width / 2, canvas.height / 2, 1, 1).data];
  });
  const pink = (rgba) => rgba[0] > 200 && rgba[1] < 120 && rgba[3] > 0;
  await page.waitForFunction(() => window.studioFrameLog && window.studioFrameLog.length > 0,
                             null, {timeout: 30000}).catch(() => {});
  await page.waitForTimeout(200);
  const before = await centre();
  const seen = await page.evaluate(() => new Promise((resolve) => {
    const canvas = document.getElementById('preview');
    const context = canvas.getContext('2d');
    const samples = [];
    const sample = () => {
      samples.push([...context.getImageData(canvas.width / 2, canvas.height / 2, 1, 1).data]);
      if (samples.length < 90) requestAnimationFrame(sample); else resolve(samples);
    };
    document.querySelector('#strip li:nth-child(2)').click();
    sample();
  }));
  const stale = seen.filter(pink).length;
  check('a newly selected scene\'s preview never shows the scene selected before',
        pink(before) && stale === 0, `before ${before}, ${stale} of ${seen.length} frames after the click show it`);
}

// Shuffled, every picture panning: saved as showpack builds it, and Play
// takes the order the player draws from its start tick and shows the pan and
// zoom of the hold and the cross-fade at the show times showpack render gives
// their frames, with the same tick.
const START_TICK = 5;  // its first shuffled pick is not the second scene
async function checkShuffledPlay(page, work) {
  await page.selectOption('#show-order', 'shuffle');
  await page.check('#show-motion');
  const windows = await download(page, 'windows-x64', path.join(work, 'shuffled-x64.scr'));
  const linux = await download(page, 'linux', path.join(work, 'shuffled-linux.scr'));
  const out = path.join(work, 'extracted-shuffled');
  run(showpack, ['extract', windows, '--out', out]);
  const manifest = fs.readFileSync(path.join(out, 'show.toml'), 'utf8');
  const rebuilt = path.join(work, 'rebuilt-shuffled-x64.scr');
  run(showpack, ['build', path.join(out, 'show.toml'), '--player', players['windows-x64'], '-o',
                 rebuilt, '--title', TITLE]);
  check('a shuffled show with a cross-fade and pan and zoom equals showpack build of its manifest',
        sameBytes(windows, rebuilt) && /^order = "shuffle"$/m.test(manifest) &&
        (manifest.match(/^motion = "pan-zoom"$/gm) || []).length === 4 && /effect = "fade"/.test(manifest),
        manifest.match(/^(order|effect|motion).*$/gm)?.join('; '));

  await page.evaluate((tick) => { window.studioStartTick = tick; window.studioPlayLog = []; }, START_TICK);
  await page.click('#play');
  await page.waitForFunction(() => window.studioPlayLog.some((frame) => frame.time > 2900),
                             null, {timeout: 60000}).catch(() => {});
  await page.keyboard.press('Space');
  await page.waitForSelector('#stage', {state: 'hidden', timeout: 5000}).catch(() => {});
  const played = await page.evaluate(() => window.studioPlayLog);
  await page.evaluate(() => { delete window.studioStartTick; delete window.studioPlayLog; });
  const rendered = path.join(work, 'render-shuffled');
  run(showpack, ['render', linux, '--out', rendered, '--transitions', '1', '--screen', '1024x768',
                 '--start-tick', String(START_TICK)]);
  const events = fs.readFileSync(path.join(rendered, 'events.jsonl'), 'utf8').split('\n')
    .filter(Boolean).map((line) => JSON.parse(line));
  const transition = events.find((event) => event.event === 'transition');
  const incoming = played.find((frame) => frame.inTransition)?.scene;
  check('Play goes to the scene the player draws first for its start tick',
        transition && incoming === transition.to && incoming !== 1,
        `played ${incoming}, rendered ${transition && transition.to}`);
  // Pan and zoom frames every 40 ms of the hold and cross-fade frames every
  // 20 ms, each at the show time showpack render gives it.
  const times = events.filter((event) => event.event === 'refresh').map((event) => event.ms);
  // Up to the transition's last frame (the next scene's hold starts at its time).
  const end = times.at(-1);
  const playedTimes = played.filter((frame) => frame.time < end || (frame.time === end && frame.inTransition))
    .map((frame) => frame.time);
  check('Play pans and zooms the hold and cross-fades at the player\'s pacing',
        times.length > 80 && leavesOut(playedTimes, times) && playedTimes.at(-1) === times.at(-1) &&
        playedTimes.length * 2 >= times.length,
        `${playedTimes.length} frames played, ${times.length} rendered`);
  await page.selectOption('#show-order', 'stored');
  await page.uncheck('#show-motion');
}

// A file that holds no show is refused with a problem, the show left as it
// was; a show the studio saved, opened back, has its scenes as they were and
// saves again unchanged.
async function checkOpenSaved(page, work) {
  const before = (await sceneCaptions(page)).join('|');
  const notAShow = path.join(work, 'not-a-show.scr');
  fs.writeFileSync(notAShow, 'no show here');
  await page.setInputFiles('#open-input', notAShow);
  const refused = await page.waitForFunction(() => document.getElementById('show-problems').textContent
    .includes('not-a-show.scr cannot be opened as a show'), null, {timeout: 30000}).then(() => true, () => false);
  check('a file that holds no show is refused with a problem, the show left as it was',
        refused && (await sceneCaptions(page)).join('|') === before, await page.textContent('#show-problems'));
  const saved = path.join(work, 'studio-x64.scr');
  // The page shows the same scenes before and after: the opened show is
  // there once the thumbnails are new ones.
  const thumbBefore = await page.$eval('#strip li img', (image) => image.src);
  await page.setInputFiles('#open-input', saved);
  await page.waitForFunction((before) => document.querySelector('#strip li img').src !== before &&
    [...document.querySelectorAll('#strip .caption')].map((item) => item.textContent).join('|') ===
      '1. balloon.bmp|2. harbour.bmp|3. field.bmp|4. 夏の海.bmp',
  thumbBefore, {timeout: 30000}).catch(() => {});
  check('a show the studio saved opens with its scenes', (await sceneCaptions(page)).join('|') ===
        '1. balloon.bmp|2. harbour.bmp|3. field.bmp|4. 夏の海.bmp', (await sceneCaptions(page)).join('|'));
  check('it opens with its title', await page.inputValue('#show-title') === TITLE);
  const again = await download(page, 'windows-x64', path.join(work, 'studio-x64-again.scr'));
  check('saving it again unchanged gives the same bytes', sameBytes(saved, again));
}

async function checkOpenAndSave(page, photos, work) {
  const manifest = path.join(work, 'made', 'show.toml');
  fs.mkdirSync(path.dirname(manifest), {recursive: true});
  fs.writeFileSync(manifest, [
    '[show]', 'width = 1280', 'height = 720', 'back_color = "#102030"', 'fit = "contain"',
    `music = "${photos.music}"`, `title = "海辺"`, 'order = "shuffle"', '',
    '[[scene]]', `picture = "${photos.webp}"`, 'display_time = "2s"', 'effect = "fade"',
    'fade_time = 700', 'fallback_effect = "slide-left"', '',
    '[[scene]]', `picture = "${photos.japanese}"`, 'display_time = 1500', 'effect = 13',
    `sound = "${photos.sound}"`, 'motion = "pan-zoom"', 'motion_seed = 42', '',
    '[[scene]]', `picture = "${photos.webp}"`, 'display_time = 800', 'effect = 0',
    'motion = "pan-zoom"', 'motion_from = [0, 0, 640, 360]', 'motion_to = [320, 180, 960, 540]', '',
  ].join('\n'));
  const made = path.join(work, 'made.scr');
  run(showpack, ['build', manifest, '--player', players['windows-x64'], '-o', made]);
  await page.evaluate(() => { window.studioFrameLog = []; window.studioFrameLog.timesOnly = true; });
  await page.setInputFiles('#open-input', made);
  await page.waitForFunction(() => document.querySelectorAll('#strip li').length === 3);
  await page.waitForFunction(() => window.studioFrameLog.some((frame) => frame.drawn), null,
                             {timeout: 30000}).catch(() => {});
  await page.evaluate(() => { delete window.studioFrameLog; });
  await shot(page, '6-opened');
  check('opening a showpack show lists its scenes',
        (await sceneCaptions(page)).join('|') === '1. field.bmp|2. 夏の海.bmp|3. field.bmp',
        (await sceneCaptions(page)).join('|'));
  const first = [await page.inputValue('#show-order'), await page.inputValue('#scene-effect'),
                 await page.inputValue('#scene-fade-time'), await page.inputValue('#scene-fallback')];
  await page.click('#strip li:nth-child(2)');
  const second = await page.inputValue('#scene-motion');
  await page.click('#strip li:nth-child(1)');
  check('opening it shows the shuffled order, the cross-fade with its fallback and the pan and zoom',
        first.join('|') === 'shuffle|fade|0.7|5' && second === 'pan-zoom', `${first.join('|')}, ${second}`);
  const again = await download(page, 'windows-x64', path.join(work, 'saved-again.scr'));
  check('saving an opened show unchanged gives the same bytes', sameBytes(made, again));

  // A photo dropped on the page joins the show as one chosen does.
  const dropped = await page.evaluateHandle(([name, base64]) => {
    const transfer = new DataTransfer();
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    transfer.items.add(new File([bytes], name, {type: 'image/png'}));
    return transfer;
  }, ['dropped.png', fs.readFileSync(photos.png).toString('base64')]);
  await page.dispatchEvent('main', 'drop', {dataTransfer: dropped});
  const joined = await page.waitForFunction(
    () => document.querySelectorAll('#strip li').length === 4, null, {timeout: 30000})
    .then(() => true, () => false);
  check('a dropped photo becomes a scene', joined &&
        (await sceneCaptions(page))[3] === '4. dropped.bmp', (await sceneCaptions(page)).join('|'));
}

// The page in Japanese: the browser's language chooses the texts.
async function checkJapanese(browser, address, photos, version, outside) {
  const context = await browser.newContext({locale: 'ja-JP'});
  watchRequests(context, address, outside);
  const page = await context.newPage();
  await page.goto(address);
  await page.waitForSelector('html[data-ready]', {timeout: 30000});
  // The catalogue's 30 transitions and the cross-fade.
  const effects = await page.$$eval('#scene-effect option', (options) => options.map((o) => o.value));
  check('the page in Japanese has its engine running',
        effects.length === 31 && effects[30] === 'fade', `${effects.length} transitions`);
  const words = [await page.textContent('[data-text=addPhotos]'),
                 await page.textContent('#scene-effect option[value="23"]'),
                 await page.textContent('#about')];
  check('a Japanese browser gets the Japanese texts, the version among them',
        words.join('|') === `写真を追加|ズームイン|showsaver スタジオ バージョン ${version}`, words.join('|'));
  // A problem is worded in the page's language from its code and values:
  // a picture moved 100 columns left loses them on the left.
  await page.setInputFiles('#photo-input', photos.png);
  await page.waitForSelector('#strip li');
  // So is a problem the package assembly finds before the rules run: a
  // name Windows refuses, with nothing of showpack's English in it, and a
  // name that can be stored in its place.
  await page.fill('#scene-name', 'ballon?.bmp');
  await page.press('#scene-name', 'Tab');
  await page.waitForSelector('#scene-problems li.error');
  const refused = await page.textContent('#scene-problems');
  check('a Japanese browser gets an assembly problem in Japanese, beside its scene',
        /^ファイル名「ballon\?\.bmp」はショーに保存できません：Windows がファイル名に使わせない「\?」/.test(refused) &&
        refused.includes('「ballon_.bmp」なら保存できます') &&
        !/[A-Za-z]{2,}/.test(refused.replaceAll('ballon?.bmp', '').replaceAll('ballon_.bmp', '')
          .replaceAll('Windows', '')) &&
        await page.$eval('#strip li', (item) => item.classList.contains('has-error')), refused);
  await shot(page, '7-japanese-problem');
  await page.fill('#scene-name', 'balloon.bmp');
  await page.press('#scene-name', 'Tab');
  await page.waitForSelector('#scene-problems li', {state: 'detached'});
  await page.uncheck('#scene-centred');
  await page.fill('#scene-left', '-100');
  await page.press('#scene-left', 'Tab');
  await page.waitForSelector('#scene-problems li.warning');
  const problem = await page.textContent('#scene-problems');
  check('a Japanese browser gets the problem of a clipped picture in Japanese, beside its scene',
        /^写真の一部が切れています：左 100 列が表示されません/.test(problem) &&
        await page.$eval('#strip li', (item) => item.classList.contains('has-warning')), problem);
  // MIDI music: the page says that Play leaves it silent.
  const midi = Buffer.from('4d546864000000060000000100604d54726b0000000400ff2f00', 'hex');
  await page.setInputFiles('#show-music', {name: 'tune.mid', mimeType: 'audio/midi', buffer: midi});
  await page.waitForSelector('#music-midi-note', {state: 'visible'});
  const note = await page.textContent('#music-midi-note');
  await shot(page, '7-japanese');
  await page.setInputFiles('#show-music', photos.music);
  await page.waitForSelector('#music-midi-note', {state: 'hidden'});
  check('choosing MIDI music brings a note that Play does not sound it, WAV takes it away',
        /MIDI/.test(note) && /再生では鳴りません/.test(note), note);
  await context.close();
}

// The studio's file copied by itself into an empty folder, as a user saves
// it anywhere: the page opened from there is the page the test drives.
function studioAlone() {
  const folder = path.join(artifacts, 'alone');
  fs.mkdirSync(folder, {recursive: true});
  const file = path.join(folder, path.basename(studioFile));
  fs.copyFileSync(studioFile, file);
  return 'file://' + file;
}

// Keeps in `outside` every address the page and its workers ask for beyond
// the page itself and what it made (its workers' blob: addresses, its data:
// pictures).
function watchRequests(context, address, outside) {
  context.on('request', (request) => {
    const url = request.url();
    if (url === address) outside.pageSeen = true;  // the watch sees the page's own
    else if (!/^(blob|data):/.test(url)) outside.push(url);
  });
}

async function main() {
  // Nothing of an earlier run stays for tests/studio_files to take as this one's.
  fs.rmSync(artifacts, {recursive: true, force: true});
  if (!fs.existsSync(studioFile)) {
    console.log(`skipped: there is no ${studioFile} (make studio)`);
    process.exit(77);
  }
  const work = path.join(artifacts, 'work');
  fs.mkdirSync(work, {recursive: true});
  const photos = makePhotos(path.join(work, 'photos'));
  const address = studioAlone();
  const version = run(showpack, ['--version']).replace(/^showpack /, '').trim();
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: process.getuid() === 0 ? ['--no-sandbox'] : [],
  });
  try {
    const context = await browser.newContext({viewport: {width: 1280, height: 800}, locale: 'en-US',
                                              screen: {width: 1024, height: 768}, deviceScaleFactor: 1,
                                              acceptDownloads: true});
    const outside = [];
    watchRequests(context, address, outside);
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(address);
    await page.waitForSelector('html[data-ready]');
    await shot(page, '1-empty');
    check('the page shows the version showpack gives',
          await page.textContent('#about') === `showsaver studio, version ${version}`,
          await page.textContent('#about'));
    await makeShow(page, photos);
    await playShow(page);
    const linux = await checkSaved(page, work);
    await checkPreview(page, linux, work);
    await checkPreviewFollowsSelection(page);
    await checkShuffledPlay(page, work);
    await checkOpenSaved(page, work);
    await checkOpenAndSave(page, photos, work);
    check('the page raised no script error', errors.length === 0, errors.join('; '));
    await checkJapanese(browser, address, photos, version, outside);
    check('the page asked for nothing but itself', outside.pageSeen && outside.length === 0,
          outside.join(', '));
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
