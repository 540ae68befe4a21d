#!/usr/bin/env node
// Makes the studio's one file: the page with its styles and its scripts in
// it, bundled by esbuild from the modules in web/.  A page opened from disk
// can fetch nothing and load no module, so what it needs is bundled in too:
// the worker (its own bundle, with the engine, kept in the page as text that
// the page starts its workers from) and each player's bytes as base64 (Save
// joins one to the show).
//   node make_bundle.js --out FILE --work DIR --web DIR --engine studio_engine.js
//                       --version VERSION --player NAME=FILE ... [--esbuild PROGRAM]
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');

function options(argv) {
  const result = {players: {}, esbuild: 'esbuild'};
  for (let i = 2; i < argv.length; i += 2) {
    const [key, value] = [argv[i], argv[i + 1]];
    if (value === undefined) throw new Error(`${key} needs a value`);
    if (key === '--player') {
      const [name, file] = value.split(/=(.*)/s);
      result.players[name] = file;
    } else {
      result[key.replace(/^--/, '')] = value;
    }
  }
  for (const key of ['out', 'work', 'web', 'engine', 'version']) {
    if (!result[key]) throw new Error(`--${key} is missing`);
  }
  return result;
}

// The engine reaches for node's modules only when it runs under node.
const NODE_MODULES = ['fs', 'path', 'crypto', 'worker_threads', 'url'];

function bundle(given, entry, outFile, extra) {
  execFileSync(given.esbuild, [
    entry, '--bundle', '--minify', '--platform=browser', '--format=iife',
    '--log-level=warning', `--outfile=${outFile}`, ...NODE_MODULES.map((name) => `--external:${name}`),
    ...extra,
  ], {stdio: ['ignore', 'inherit', 'inherit']});
  return fs.readFileSync(outFile, 'utf8');
}

// `text` in place of the one `tag` in `page`, as the element `element`.
function inline(page, tag, element, text) {
  if (page.split(tag).length !== 2) throw new Error(`the page must hold ${tag} once`);
  if (new RegExp(`</${element}`, 'i').test(text)) throw new Error(`the ${element} would end early`);
  return page.replace(tag, () => `<${element}>\n${text}</${element}>`);
}

function main() {
  const given = options(process.argv);
  fs.mkdirSync(given.work, {recursive: true});
  const worker = path.join(given.work, 'studio_worker.txt');
  bundle(given, path.join(given.web, 'studio_worker.js'), worker,
         [`--alias:studio-engine=${path.resolve(given.engine)}`]);
  // Each player under a name whose ending gives it the base64 loader.
  const players = Object.entries(given.players).map(([name, file]) => {
    const staged = path.join(given.work, `player-${name}.bin`);
    fs.copyFileSync(file, staged);
    return `--alias:studio-player-${name}=${staged}`;
  });
  const script = bundle(given, path.join(given.web, 'studio.js'), path.join(given.work, 'studio.js'), [
    `--alias:studio-worker=${worker}`, '--loader:.txt=text', '--loader:.bin=base64', ...players,
    `--define:SHOWSAVER_VERSION=${JSON.stringify(given.version)}`,
  ]);
  const styles = bundle(given, path.join(given.web, 'studio.css'), path.join(given.work, 'studio.css'), []);
  let page = fs.readFileSync(path.join(given.web, 'index.html'), 'utf8');
  page = inline(page, '<link rel="stylesheet" href="studio.css">', 'style', styles);
  page = inline(page, '<script type="module" src="studio.js"></script>', 'script', script);
  // Written whole or not at all.
  fs.mkdirSync(path.dirname(given.out), {recursive: true});
  fs.writeFileSync(given.out + '.part', page);
  fs.renameSync(given.out + '.part', given.out);
}

try {
  main();
} catch (error) {
  console.error(`make_bundle: error: ${error.message}`);
  process.exit(1);
}
