// The studio's engine steps a show one frame per call: each frame is the one
// `showpack render` writes, in order, and the end is reported; a show ended
// part way cleans up and the next plays.
//   node show_steps_test.js STUDIO_ENGINE_JS SHOWPACK WORK_FOLDER
// Exits 77 (skipped) when the engine has not been built.
'use strict';
const {execFileSync} = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');

const [enginePath, showpack, work] = process.argv.slice(2).map((p) => path.resolve(p));
if (!fs.existsSync(enginePath)) {
  console.log(`skipped: no engine at ${enginePath} (make studio builds it)`);
  process.exit(77);
}
let failures = 0;
function check(name, passed, detail = '') {
  if (!passed) ++failures;
  console.log(`${passed ? 'ok' : 'FAILED'}: ${name}${detail ? ` (${detail})` : ''}`);
}
const run = (program, args) => execFileSync(program, args, {maxBuffer: 1 << 28});
const digest = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');

// A fade into a panned and zoomed hold, a slide, a wipe: three pictures.
fs.rmSync(work, {recursive: true, force: true});
fs.mkdirSync(work, {recursive: true});
const pictures = ['gradient:red-blue', 'gradient:yellow-green', 'plasma:fractal'];
pictures.forEach((source, i) => run('convert', ['-seed', '7', '-size', '96x64', source,
                                                path.join(work, `p${i}.png`)]));
fs.writeFileSync(path.join(work, 'show.toml'), `[show]
width = 96
height = 64
order = "stored"

[[scene]]
picture = "p0.png"
display_time = 200
effect = "fade"
fade_time = 150

[[scene]]
picture = "p1.png"
display_time = 300
effect = "slide-top"
motion = "pan-zoom"

[[scene]]
picture = "p2.png"
display_time = 200
effect = "wipe-bottom"
`);
const show = path.join(work, 'show.pkg');
run(showpack, ['build', path.join(work, 'show.toml'), '-o', show, '--package-only']);
const frames = path.join(work, 'frames');
run(showpack, ['render', show, '--out', frames, '--screen', '160x120', '--transitions', '4',
               '--start-tick', '99']);
const rendered = fs.readdirSync(frames).filter((name) => name.endsWith('.png')).sort().map(
  (name) => digest(run('convert', [path.join(frames, name), '-depth', '8', 'RGBA:-'])));

(async () => {
  const engine = await require(enginePath)();
  engine.FS.writeFile('/show.scr', fs.readFileSync(show));
  const steps = new engine.ShowSteps('/show.scr', 160, 120, 4, 99);
  const advance = () => {
    engine._studio_advance_show(steps.address());
    return steps.frame();
  };
  const stepped = [];
  for (let frame = advance(); frame !== null && stepped.length <= rendered.length;
       frame = advance()) {
    stepped.push(digest(frame.rgba));
  }
  check('a frame a step, as showpack render draws them',
        JSON.stringify(stepped) === JSON.stringify(rendered),
        `${stepped.length} stepped, ${rendered.length} rendered`);
  check('an ended show stays ended', advance() === null);
  check('and played without a message', steps.message() === '', steps.message());
  steps.delete();

  const partWay = new engine.ShowSteps('/show.scr', 160, 120, 4, 99);
  for (let i = 0; i < 3; ++i) engine._studio_advance_show(partWay.address());
  const extracted = () => engine.FS.readdir('/tmp').filter((name) => name.startsWith('temp'));
  check('a show part way has its files out', extracted().length === 1, extracted().join(' '));
  engine._studio_end_show(partWay.address());
  check('a show ended part way has no frame', partWay.frame() === null);
  partWay.delete();
  check('and ended, leaves none behind', extracted().length === 0, extracted().join(' '));
  let handed = 0;
  const message = engine.recordShow('/show.scr', 160, 120, 4, 99, () => ++handed > 0);
  check('the next show plays', message === '' && handed > 0, `${handed} frames, "${message}"`);
  process.exit(failures ? 1 : 0);
})();
