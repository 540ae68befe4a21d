// The studio's worker: holds the engine and every picture in the engine's
// file system, and does the long work (converting photos, checking and
// writing the show) away from the page.  A second worker of the same script
// plays a show: it paces frames by the show clock, so the page ends a
// playing show by ending that worker.
import createStudioEngine from 'studio-engine';

const enginePromise = createStudioEngine();
let nextPicture = 0;

function progress(id, done, total) {
  postMessage({id, progress: {done, total}});
}

// A photo as the browser decodes it, turned upright by its EXIF orientation.
async function decodePhoto(file) {
  const bitmap = await createImageBitmap(file, {
    imageOrientation: 'from-image',
    premultiplyAlpha: 'none',
    colorSpaceConversion: 'none',
  });
  const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
  const context = canvas.getContext('2d');
  context.drawImage(bitmap, 0, 0);
  bitmap.close();
  return context.getImageData(0, 0, canvas.width, canvas.height);
}

// Frames drawn ahead of their time, each posted when the show clock (which
// starts with the first frame) reaches it.  The engine draws a transition's
// frames while the hold before it lasts, so a transition whose frames take
// longer to draw than to show still plays at its pace; the frames kept
// ahead are bounded, and when the bound is reached the engine waits.  A
// worker cannot sleep without shared memory, which a page opened from disk
// does not get: it waits by watching the clock.
const FRAMES_AHEAD_BYTES = 160e6;
class FrameQueue {
  constructor(post) {
    this.post = post;
    this.frames = [];
    this.bytes = 0;
    this.start = null;
  }
  add(frame) {
    if (this.start === null) this.start = performance.now() - frame.time;
    this.frames.push(frame);
    this.bytes += frame.pixels.byteLength;
    while (this.frames.length && performance.now() >= this.due(this.frames[0])) this.postFirst();
    while (this.bytes > FRAMES_AHEAD_BYTES) this.postFirst();
  }
  // Posts what is left, each at its time.
  finish() {
    while (this.frames.length) this.postFirst();
  }
  due(frame) {
    return this.start + frame.time;
  }
  postFirst() {
    const frame = this.frames.shift();
    this.bytes -= frame.pixels.byteLength;
    while (performance.now() < this.due(frame)) { /* the player's pacing */ }
    frame.posted = performance.timeOrigin + performance.now();
    this.post(frame);
  }
}

// Every file under `folder` of one engine's file system, written at the same
// place in another's.
function copyFolder(from, to, folder) {
  to.mkdirTree(folder);
  for (const name of from.readdir(folder)) {
    if (name === '.' || name === '..') continue;
    const entry = `${folder}/${name}`;
    if (from.isDir(from.stat(entry).mode)) {
      copyFolder(from, to, entry);
    } else {
      to.writeFile(entry, from.readFile(entry));
    }
  }
}

const operations = {
  // photos: [{file, fit}] -> [{path, width, height} | {error}]
  async convertPhotos(engine, {photos, area, backColor}, id) {
    engine.FS.mkdirTree('/studio/pictures');
    const results = [];
    for (let index = 0; index < photos.length; ++index) {
      progress(id, index, photos.length);
      const {file, fit} = photos[index];
      try {
        const pixels = await decodePhoto(file);
        const converted = engine.convertPicture(pixels.data, pixels.width, pixels.height, fit,
                                                area.width, area.height, backColor);
        const path = `/studio/pictures/${nextPicture++}.bmp`;
        engine.FS.writeFile(path, converted.bmp);
        results.push({path, width: converted.width, height: converted.height});
      } catch (error) {
        results.push({error: String(error && error.message || error)});
      }
    }
    progress(id, photos.length, photos.length);
    return results;
  },

  // A sound or music file kept as it is.
  async storeFile(engine, {file}) {
    engine.FS.mkdirTree('/studio/sounds');
    const path = `/studio/sounds/${nextPicture++}`;
    engine.FS.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    return {path};
  },

  async removeFile(engine, {path}) {
    engine.FS.unlink(path);
  },

  async readFile(engine, {path}) {
    const bytes = engine.FS.readFile(path);
    return {result: bytes, transfer: [bytes.buffer]};
  },

  async checkShow(engine, {show}) {
    return engine.checkShow(show);
  },

  // The program file (player and package), or the bare package without a player.
  async writeShow(engine, {show, player, title}, id) {
    progress(id, 0, 2);
    let playerPath = '';
    if (player) {
      playerPath = '/studio/player';
      engine.FS.writeFile(playerPath, new Uint8Array(player));
    }
    const written = engine.writeShow(show, '/studio/saved.scr', playerPath, title || '');
    if (playerPath) engine.FS.unlink(playerPath);
    progress(id, 1, 2);
    if (written.error) return written;
    const bytes = engine.FS.readFile('/studio/saved.scr');
    engine.FS.unlink('/studio/saved.scr');
    progress(id, 2, 2);
    return {result: {problems: written.problems, bytes}, transfer: [bytes.buffer]};
  },

  // The file is read by an engine of its own, and only what it extracted is
  // copied into this one: the engine is built without C++ exception
  // catching, so a file that holds no show stops the engine that reads it
  // part way, and the one that holds the page's pictures must go on intact.
  async openShow(engine, {bytes}) {
    const folder = `/studio/opened-${nextPicture++}`;
    const reader = await createStudioEngine();
    reader.FS.mkdirTree(folder);
    reader.FS.writeFile(folder + '.scr', new Uint8Array(bytes));
    const show = reader.openShow(folder + '.scr', folder);
    reader.FS.unlink(folder + '.scr');
    copyFolder(reader.FS, engine.FS, folder);
    return show;
  },

  // Plays `bytes` (a program file or bare package) and posts each frame the
  // engine hands over (tools/studio/engine/frame_pacing.h) when the show
  // clock reaches it; the page ends the worker to stop.
  async play(engine, {bytes, screen, transitions, startTick}, id) {
    engine.FS.writeFile('/show.scr', new Uint8Array(bytes));
    const frames = new FrameQueue((frame) => postMessage({id, frame}, [frame.pixels.buffer]));
    const message = engine.recordShow('/show.scr', screen.width, screen.height, transitions, startTick,
      (rgba, width, height, time, scene, inTransition) => {
        // A copy of its own (slice copies the bytes as they are), to hand over.
        const pixels = new Uint8ClampedArray(rgba.slice().buffer);
        frames.add({pixels, width, height, time, scene, inTransition});
        return true;
      });
    frames.finish();
    return {message};
  },

  async vocabulary(engine) {
    return engine.vocabulary();
  },
};

onmessage = async (event) => {
  const {id, operation, args} = event.data;
  try {
    const engine = await enginePromise;
    const answer = await operations[operation](engine, args || {}, id);
    if (answer && answer.transfer) {
      postMessage({id, result: answer.result}, answer.transfer);
    } else {
      postMessage({id, result: answer});
    }
  } catch (error) {
    // The engine is built without C++ exception catching: an exception its
    // code throws (the package reader's, for a file that holds no show)
    // arrives here as a bare number.
    const reason = typeof error === 'number' ? 'the engine stopped on an error it could not handle'
                                             : String(error && error.message || error);
    postMessage({id, error: reason});
  }
};
