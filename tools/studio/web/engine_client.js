// The page's side of the engine's workers: calls answered by messages, with
// progress and frames along the way.  A page opened from disk can load no
// worker script, so the workers start from the worker's source text: the
// worker bundled with the engine, which make studio puts into the page.
import workerSource from 'studio-worker';

const workerUrl = URL.createObjectURL(new Blob([workerSource], {type: 'text/javascript'}));

export class EngineWorker {
  constructor() {
    this.worker = new Worker(workerUrl);
    this.calls = new Map();
    this.nextId = 1;
    this.worker.onmessage = (event) => this.answer(event.data);
  }
  call(operation, args, {onProgress, onFrame, transfer} = {}) {
    const id = this.nextId++;
    return new Promise((resolve, reject) => {
      this.calls.set(id, {resolve, reject, onProgress, onFrame});
      this.worker.postMessage({id, operation, args}, transfer || []);
    });
  }
  answer(message) {
    const call = this.calls.get(message.id);
    if (!call) return;
    if (message.progress) return call.onProgress && call.onProgress(message.progress);
    if (message.frame) return call.onFrame && call.onFrame(message.frame);
    this.calls.delete(message.id);
    if ('error' in message) call.reject(new Error(message.error));
    else call.resolve(message.result);
  }
  end() { this.worker.terminate(); }
}

// A show played by a worker of its own, ended by ending the worker.
// `startTick`: the tick counter's first value, which a shuffled show draws
// its order from.
export class Playback {
  constructor(bytes, screen, transitions, startTick, onFrame) {
    this.worker = new EngineWorker();
    this.done = this.worker.call('play', {bytes, screen, transitions, startTick},
                                 {onFrame, transfer: [bytes.buffer]});
  }
  stop() { this.worker.end(); }
}

// Draws the latest frame of a playing show on `canvas` at the display's next
// refresh: frames that come faster than the display refreshes are passed
// over, as on a screen, so the picture keeps the show's time.
export class FrameView {
  constructor(canvas) {
    this.canvas = canvas;
    this.context = canvas.getContext('2d');
    this.latest = null;
  }
  // `onDrawn`: called if the frame is drawn, not passed over.
  show(frame, onDrawn) {
    if (!this.latest) requestAnimationFrame(() => this.draw());
    this.latest = frame;
    this.onDrawn = onDrawn;
  }
  // Passes over a frame still waiting to be drawn, and blanks the canvas.
  clear() {
    this.latest = null;
    this.context.clearRect(0, 0, this.canvas.width, this.canvas.height);
  }
  draw() {
    const frame = this.latest;
    if (!frame) return;
    this.latest = null;
    if (this.canvas.width !== frame.width) this.canvas.width = frame.width;
    if (this.canvas.height !== frame.height) this.canvas.height = frame.height;
    this.context.putImageData(new ImageData(frame.pixels, frame.width, frame.height), 0, 0);
    if (this.onDrawn) this.onDrawn();
  }
}
