#!/usr/bin/env node
// Lays out the studio's folder: the page, its scripts, the engine and the
// players.  A page opened from disk can fetch nothing, so what the page needs
// beyond its own scripts is written into scripts too: the engine's and the
// worker's sources as text (the worker is started from them), and each
// player's bytes in base64 (Save joins one to the show).
//   node make_bundle.js --out DIR --engine studio_engine.js --web DIR
//                       --player NAME=FILE ...
'use strict';
const fs = require('fs');
const path = require('path');

function options(argv) {
  const result = {players: {}};
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
  for (const key of ['out', 'engine', 'web']) {
    if (!result[key]) throw new Error(`--${key} is missing`);
  }
  return result;
}

function main() {
  const given = options(process.argv);
  // Laid out anew, so that nothing of an earlier layout stays.
  fs.rmSync(given.out, {recursive: true, force: true});
  fs.mkdirSync(given.out, {recursive: true});
  // The worker's script goes in as text (below), not as a file.
  for (const name of fs.readdirSync(given.web).filter((name) => name !== 'studio_worker.js')) {
    fs.copyFileSync(path.join(given.web, name), path.join(given.out, name));
  }
  const engine = fs.readFileSync(given.engine, 'utf8');
  const worker = fs.readFileSync(path.join(given.web, 'studio_worker.js'), 'utf8');
  fs.writeFileSync(path.join(given.out, 'studio_engine.js'), engine);
  fs.writeFileSync(path.join(given.out, 'studio_engine_source.js'),
                   `var studioEngineSource = ${JSON.stringify(engine)};\n` +
                   `var studioWorkerSource = ${JSON.stringify(worker)};\n`);
  const players = Object.entries(given.players).map(([name, file]) =>
    `  ${JSON.stringify(name)}: ${JSON.stringify(fs.readFileSync(file).toString('base64'))}`);
  fs.writeFileSync(path.join(given.out, 'players.js'),
                   `var studioPlayers = {\n${players.join(',\n')}\n};\n`);
  for (const [name, file] of Object.entries(given.players)) {
    fs.copyFileSync(file, path.join(given.out, `player-${name}${name === 'linux' ? '' : '.scr'}`));
  }
}

try {
  main();
} catch (error) {
  console.error(`make_bundle: error: ${error.message}`);
  process.exit(1);
}
