// The studio page: the show's state, its controls and the calls to the
// engine's worker.  Everything drawn of the show comes from the engine.
/* global studioEngineSource, studioWorkerSource, studioPlayers, studioTexts, studioLanguage,
   studioTransitionNames */
'use strict';

const $ = (id) => document.getElementById(id);
const texts = studioTexts[studioLanguage()];
const SIZES = {'1280x720': [1280, 720], '1920x1080': [1920, 1080], '3840x2160': [3840, 2160]};
const DEFAULT_TIME = 3000;

const state = {
  // hasSettings null: offered when the show has music or a sound, as showpack decides.
  title: '', size: '1280x720', custom: null, back: '#000000', music: null, hasSettings: null,
  scenes: [], selected: -1, effects: [], problems: [],
};
let nextSceneId = 1;

// ---- The engine's worker -------------------------------------------------

const workerUrl = URL.createObjectURL(
  new Blob([studioEngineSource, '\n', studioWorkerSource], {type: 'text/javascript'}));

class EngineWorker {
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

const engine = new EngineWorker();

// A show played by a worker of its own, ended by ending the worker.
class Playback {
  constructor(bytes, screen, transitions, onFrame) {
    this.worker = new EngineWorker();
    this.done = this.worker.call('play', {bytes, screen, transitions},
                                 {onFrame, transfer: [bytes.buffer]});
  }
  stop() { this.worker.end(); }
}

// ---- Show description ----------------------------------------------------

function area() {
  if (state.size === 'screen') {
    const ratio = window.devicePixelRatio || 1;
    return {width: Math.round(screen.width * ratio), height: Math.round(screen.height * ratio)};
  }
  const [width, height] = SIZES[state.size] || state.custom;
  return {width, height};
}

function colorRef(hex) {
  const value = parseInt(hex.slice(1), 16);
  return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

function hexColor(ref) {
  const rgb = ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF);
  return '#' + rgb.toString(16).padStart(6, '0');
}

function sceneFields(scene) {
  const {width, height} = area();
  return {
    picturePath: scene.picturePath, pictureName: scene.pictureName,
    soundPath: scene.sound ? scene.sound.path : '', soundName: scene.sound ? scene.sound.name : '',
    displayTime: scene.displayTime, effect: scene.effect,
    left: scene.left ?? Math.trunc((width - scene.width) / 2),
    top: scene.top ?? Math.trunc((height - scene.height) / 2),
    overPrevious: scene.overPrevious, transparent: scene.transparent,
  };
}

function showFields(scenes = state.scenes) {
  const {width, height} = area();
  return {
    width, height, backColor: colorRef(state.back), hasSettings: state.hasSettings,
    music: state.music, scenes: scenes.map(sceneFields),
  };
}

// ---- Progress and problems ---------------------------------------------

async function withProgress(label, work) {
  $('progress').hidden = false;
  $('progress-text').textContent = label;
  const onProgress = ({done, total}) => {
    $('progress-bar').value = total ? done / total : 0;
    $('progress-text').textContent = `${label} ${done} / ${total}`;
  };
  try {
    return await work(onProgress);
  } finally {
    $('progress').hidden = true;
  }
}

let checkTimer = 0;
function scheduleCheck() {
  clearTimeout(checkTimer);
  checkTimer = setTimeout(async () => {
    state.problems = state.scenes.length ? await engine.call('checkShow', {show: showFields()}) : [];
    renderProblems();
  }, 250);
}

function problemItems(list, problems) {
  list.replaceChildren(...problems.map((problem) => {
    const item = document.createElement('li');
    item.className = problem.error ? 'error' : 'warning';
    item.textContent = problem.message.replace(/^(scene \d+|\[show\]): /, '');
    return item;
  }));
}

function renderProblems() {
  problemItems($('show-problems'), state.problems.filter((p) => p.scene === null));
  problemItems($('scene-problems'), state.problems.filter((p) => p.scene === state.selected));
  [...$('strip').children].forEach((item, index) => {
    const mine = state.problems.filter((p) => p.scene === index);
    item.classList.toggle('has-error', mine.some((p) => p.error));
    item.classList.toggle('has-warning', !mine.some((p) => p.error) && mine.length > 0);
  });
}

// ---- Photos ------------------------------------------------------------

function bmpName(fileName) {
  const dot = fileName.lastIndexOf('.');
  return (dot > 0 ? fileName.slice(0, dot) : fileName) + '.bmp';
}

async function addPhotos(files) {
  files = [...files].filter((file) => file.type.startsWith('image/') || /\.(bmp|jpe?g|png|gif|webp)$/i.test(file.name));
  if (!files.length) return;
  const fit = 'contain';
  const converted = await withProgress(texts.converting, (onProgress) =>
    engine.call('convertPhotos', {photos: files.map((file) => ({file, fit})), area: area(),
                                  backColor: colorRef(state.back)}, {onProgress}));
  converted.forEach((picture, index) => {
    const file = files[index];
    if (picture.error) {
      state.problems.push({scene: null, error: true, message: `${file.name} ${texts.cannotDecode}`});
      return;
    }
    state.scenes.push({
      id: nextSceneId++, source: file, thumb: URL.createObjectURL(file), pictureName: bmpName(file.name),
      picturePath: picture.path, width: picture.width, height: picture.height, fit,
      displayTime: DEFAULT_TIME, effect: 1 + (state.scenes.length % (state.effects.length - 1)),
      left: null, top: null, sound: null, overPrevious: false, transparent: false,
    });
  });
  if (state.selected < 0 && state.scenes.length) state.selected = 0;
  renderAll();
}

// Converts a scene's picture again from its source, for a new fit or size.
async function reconvert(scenes) {
  const photos = scenes.map((scene) => ({file: scene.source, fit: scene.fit}));
  const converted = await withProgress(texts.converting, (onProgress) =>
    engine.call('convertPhotos', {photos, area: area(), backColor: colorRef(state.back)}, {onProgress}));
  const before = new Set(scenes.map((scene) => scene.picturePath));
  converted.forEach((picture, index) => {
    if (picture.error) return;
    Object.assign(scenes[index], {picturePath: picture.path, width: picture.width, height: picture.height});
  });
  for (const path of before) {
    if (!state.scenes.some((scene) => scene.picturePath === path)) engine.call('removeFile', {path});
  }
  renderAll();
}

// ---- Strip -------------------------------------------------------------

let dragged = -1;
function renderStrip() {
  const strip = $('strip');
  strip.replaceChildren(...state.scenes.map((scene, index) => {
    const item = document.createElement('li');
    item.tabIndex = 0;
    item.draggable = true;
    item.dataset.index = index;
    item.className = index === state.selected ? 'selected' : '';
    item.setAttribute('aria-selected', index === state.selected);
    const image = document.createElement('img');
    image.src = scene.thumb;
    image.style.background = state.back;
    image.alt = '';
    const caption = document.createElement('div');
    caption.className = 'caption';
    caption.textContent = `${index + 1}. ${scene.pictureName}`;
    const tools = document.createElement('div');
    tools.className = 'tools';
    tools.append(toolButton('❐', texts.duplicate, () => duplicateScene(index)),
                 toolButton('✕', texts.remove, () => removeScene(index)));
    item.append(image, caption, tools);
    item.onclick = () => select(index);
    item.onfocus = () => { if (state.selected !== index) select(index); };
    item.ondragstart = () => { dragged = index; };
    item.ondragover = (event) => { if (dragged >= 0) event.preventDefault(); };
    item.ondrop = (event) => {
      event.preventDefault();
      if (dragged >= 0) moveScene(dragged, index);
      dragged = -1;
    };
    return item;
  }));
  renderProblems();
}

function toolButton(label, title, action) {
  const button = document.createElement('button');
  button.textContent = label;
  button.title = title;
  button.setAttribute('aria-label', title);
  button.onclick = (event) => { event.stopPropagation(); action(); };
  return button;
}

function moveScene(from, to) {
  if (from === to || to < 0 || to >= state.scenes.length) return;
  const [scene] = state.scenes.splice(from, 1);
  state.scenes.splice(to, 0, scene);
  state.selected = to;
  renderAll();
  $('strip').children[to].focus();
}

function removeScene(index) {
  const [removed] = state.scenes.splice(index, 1);
  if (!state.scenes.some((scene) => scene.picturePath === removed.picturePath)) {
    engine.call('removeFile', {path: removed.picturePath});
  }
  state.selected = Math.min(state.selected, state.scenes.length - 1);
  renderAll();
}

function duplicateScene(index) {
  state.scenes.splice(index + 1, 0, {...state.scenes[index], id: nextSceneId++});
  state.selected = index + 1;
  renderAll();
}

// Keeps the strip's items: one being dragged must stay in the document.
function select(index) {
  state.selected = index;
  [...$('strip').children].forEach((item, i) => {
    item.classList.toggle('selected', i === index);
    item.setAttribute('aria-selected', i === index);
  });
  renderScene();
  renderProblems();
  startPreview();
}

// ---- Scene editor and preview -------------------------------------------

function renderScene() {
  const scene = state.scenes[state.selected];
  $('no-scene').hidden = !!scene;
  $('scene-editor').hidden = !scene;
  if (!scene) return;
  $('scene-effect').value = scene.effect;
  $('scene-time').value = scene.displayTime / 1000;
  $('scene-fit').value = scene.fit;
  const centred = scene.left === null;
  $('scene-centred').checked = centred;
  const fields = sceneFields(scene);
  $('scene-left').value = fields.left;
  $('scene-top').value = fields.top;
  $('scene-left').disabled = $('scene-top').disabled = centred;
  $('sound-name').textContent = scene.sound ? scene.sound.name : '';
  $('sound-clear').hidden = !scene.sound;
  renderShowFields();
  $('scene-over').checked = scene.overPrevious;
  $('scene-transparent').checked = scene.transparent;
}

let preview = null;
let previewTimer = 0;
// The transition of the selected scene into the next, drawn by the engine.
async function startPreview() {
  clearTimeout(previewTimer);
  if (preview) preview.stop();
  preview = null;
  const index = state.selected;
  if (index < 0 || !state.scenes.length) return;
  const pair = [state.scenes[index], state.scenes[(index + 1) % state.scenes.length]];
  let written;
  try {
    written = await engine.call('writeShow', {show: showFields(pair)});
  } catch (error) {
    return;  // the problems list says why
  }
  if (index !== state.selected) return;
  const canvas = $('preview');
  const context = canvas.getContext('2d');
  const mine = new Playback(written.bytes, area(), 1, (frame) => {
    if (preview !== mine) return;  // posted before it was ended
    if (canvas.width !== frame.width) canvas.width = frame.width;
    if (canvas.height !== frame.height) canvas.height = frame.height;
    context.putImageData(new ImageData(frame.pixels, frame.width, frame.height), 0, 0);
    // The tests compare the frames with showpack's by their digests; the
    // benchmark reads when each came.
    const log = window.studioFrameLog;
    if (log) {
      log.push({time: frame.time, wall: performance.now(),
                digest: log.timesOnly ? null : crypto.subtle.digest('SHA-256', frame.pixels)});
    }
  });
  preview = mine;
  await mine.done.catch(() => {});
  if (preview !== mine) return;
  mine.stop();
  window.dispatchEvent(new Event('studio-preview-done'));
  previewTimer = setTimeout(startPreview, 1500);
}

function renderAll() {
  renderStrip();
  renderScene();
  scheduleCheck();
  startPreview();
}

function editScene(change) {
  const scene = state.scenes[state.selected];
  if (!scene) return;
  change(scene);
  renderAll();
}

// ---- Play, Save, Open --------------------------------------------------

async function play() {
  if (!state.scenes.length) return;
  const written = await engine.call('writeShow', {show: showFields()});
  const stage = $('stage');
  const canvas = $('stage-canvas');
  const context = canvas.getContext('2d');
  stage.hidden = false;
  await stage.requestFullscreen?.().catch(() => {});
  const audio = [];
  const sound = async (path, loop) => {
    const bytes = await engine.call('readFile', {path});
    const element = new Audio(URL.createObjectURL(new Blob([bytes])));
    element.loop = loop;
    audio.push(element);
    element.play().catch(() => {});
  };
  if (state.music) sound(state.music.path, true);
  let scene = -1;
  const playback = new Playback(written.bytes, area(), 1e9, (frame) => {
    canvas.width = frame.width;
    canvas.height = frame.height;
    context.putImageData(new ImageData(frame.pixels, frame.width, frame.height), 0, 0);
    if (frame.inTransition && frame.scene !== scene) {
      scene = frame.scene;
      const played = state.scenes[scene];
      if (played && played.sound) sound(played.sound.path, false);
    }
  });
  const start = performance.now();
  const end = (event) => {
    // Input in the first half second is the click that started the show.
    if (performance.now() - start < 500 && event.type === 'mousemove') return;
    playback.stop();
    audio.forEach((element) => element.pause());
    stage.hidden = true;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    for (const type of ['keydown', 'mousedown', 'mousemove', 'wheel', 'touchstart']) {
      window.removeEventListener(type, end, true);
    }
  };
  setTimeout(() => {
    for (const type of ['keydown', 'mousedown', 'mousemove', 'wheel', 'touchstart']) {
      window.addEventListener(type, end, true);
    }
  }, 100);
}

function base64Bytes(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

async function save() {
  if (!state.scenes.length) return;
  const platform = $('platform').value;
  const player = base64Bytes(studioPlayers[platform]);
  const windows = platform.startsWith('windows');
  const written = await withProgress(texts.saving, (onProgress) =>
    engine.call('writeShow', {show: showFields(), player: player.buffer,
                              title: windows ? state.title : ''},
                {onProgress, transfer: [player.buffer]})).catch((error) => ({error}));
  if (written.error) {
    state.problems.push({scene: null, error: true, message: `${texts.cannotSave} ${written.error.message}`});
    renderProblems();
    return;
  }
  const name = (state.title || 'show').replace(/[\\/:*?"<>|]/g, '_');
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([written.bytes], {type: 'application/octet-stream'}));
  link.download = name + '.scr';
  document.body.append(link);
  link.click();
  link.remove();
}

async function openShow(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  const show = await withProgress(texts.opening, () =>
    engine.call('openShow', {bytes: bytes.buffer}, {transfer: [bytes.buffer]}));
  if (show.error) {
    state.problems = [{scene: null, error: true, message: `${file.name}: ${show.error}`}];
    renderProblems();
    return;
  }
  const size = `${show.width}x${show.height}`;
  state.size = size in SIZES ? size : 'custom';
  state.custom = [show.width, show.height];
  state.back = hexColor(show.backColor);
  state.hasSettings = show.hasSettings;
  state.title = show.title || '';
  state.music = show.music || null;
  state.scenes = [];
  for (const scene of show.scenes) {
    const picture = await engine.call('readFile', {path: scene.picturePath});
    const source = new Blob([picture], {type: 'image/bmp'});
    const header = new DataView(picture.buffer);
    state.scenes.push({
      id: nextSceneId++, source, thumb: URL.createObjectURL(source),
      pictureName: scene.pictureName, picturePath: scene.picturePath,
      width: header.getInt32(18, true), height: Math.abs(header.getInt32(22, true)), fit: 'none',
      displayTime: scene.displayTime, effect: scene.effect, left: scene.left, top: scene.top,
      sound: scene.soundPath ? {name: scene.soundName, path: scene.soundPath} : null,
      overPrevious: scene.overPrevious, transparent: scene.transparent,
    });
  }
  state.selected = state.scenes.length ? 0 : -1;
  renderShowFields();
  renderAll();
}

function renderShowFields() {
  const select = $('show-size');
  if (state.size === 'custom' && ![...select.options].some((o) => o.value === 'custom')) {
    select.add(new Option('', 'custom'));
  }
  const custom = [...select.options].find((o) => o.value === 'custom');
  if (custom) custom.textContent = `${state.custom[0]} × ${state.custom[1]}`;
  select.value = state.size;
  $('show-title').value = state.title;
  $('show-back').value = state.back;
  $('show-settings').checked =
      state.hasSettings ?? (!!state.music || state.scenes.some((scene) => scene.sound));
  $('music-name').textContent = state.music ? state.music.name : '';
  $('music-clear').hidden = !state.music;
}

// ---- Wiring -------------------------------------------------------------

function wire() {
  document.documentElement.lang = studioLanguage();
  for (const element of document.querySelectorAll('[data-text]')) {
    const text = texts[element.dataset.text];
    if (text) element.textContent = text;
  }
  for (const element of document.querySelectorAll('[data-label]')) {
    element.title = texts[element.dataset.label];
    element.setAttribute('aria-label', element.title);
  }
  document.title = texts.appTitle;
  $('photo-input').onchange = (event) => { addPhotos(event.target.files); event.target.value = ''; };
  $('open-input').onchange = (event) => { if (event.target.files[0]) openShow(event.target.files[0]); event.target.value = ''; };
  for (const label of document.querySelectorAll('label.button')) {
    label.onkeydown = (event) => {
      if (event.key === 'Enter' || event.key === ' ') { event.preventDefault(); label.querySelector('input').click(); }
    };
  }
  $('play').onclick = play;
  $('save').onclick = save;
  $('show-title').oninput = (event) => { state.title = event.target.value; };
  $('show-size').onchange = (event) => { state.size = event.target.value; reconvert(state.scenes); };
  $('show-back').onchange = (event) => { state.back = event.target.value; reconvert(state.scenes); };
  $('show-settings').onchange = (event) => { state.hasSettings = event.target.checked; scheduleCheck(); };
  $('show-music').onchange = async (event) => {
    const file = event.target.files[0];
    state.music = file ? {name: file.name, ...(await engine.call('storeFile', {file}))} : null;
    renderShowFields();
    scheduleCheck();
    event.target.value = '';
  };
  $('music-clear').onclick = () => { state.music = null; renderShowFields(); scheduleCheck(); };
  $('sound-clear').onclick = () => editScene((scene) => { scene.sound = null; });
  $('scene-effect').onchange = (event) => editScene((scene) => { scene.effect = Number(event.target.value); });
  $('scene-time').onchange = (event) => editScene((scene) => {
    scene.displayTime = Math.max(0, Math.round(Number(event.target.value) * 1000));
  });
  $('scene-fit').onchange = (event) => {
    const scene = state.scenes[state.selected];
    scene.fit = event.target.value;
    reconvert([scene]);
  };
  $('scene-centred').onchange = (event) => editScene((scene) => {
    const fields = sceneFields(scene);
    scene.left = event.target.checked ? null : fields.left;
    scene.top = event.target.checked ? null : fields.top;
  });
  $('scene-left').onchange = (event) => editScene((scene) => { scene.left = Math.trunc(Number(event.target.value)); });
  $('scene-top').onchange = (event) => editScene((scene) => { scene.top = Math.trunc(Number(event.target.value)); });
  $('scene-sound').onchange = async (event) => {
    const file = event.target.files[0];
    const sound = file ? {name: file.name, ...(await engine.call('storeFile', {file}))} : null;
    editScene((scene) => { scene.sound = sound; });
    event.target.value = '';
  };
  $('scene-over').onchange = (event) => editScene((scene) => { scene.overPrevious = event.target.checked; });
  $('scene-transparent').onchange = (event) => editScene((scene) => { scene.transparent = event.target.checked; });
  $('strip').onkeydown = (event) => {
    const index = state.selected;
    if (index < 0) return;
    if (event.altKey && event.key === 'ArrowLeft') moveScene(index, index - 1);
    else if (event.altKey && event.key === 'ArrowRight') moveScene(index, index + 1);
    else if (event.key === 'ArrowLeft' && index > 0) $('strip').children[index - 1].focus();
    else if (event.key === 'ArrowRight' && index + 1 < state.scenes.length) $('strip').children[index + 1].focus();
    else if (event.key === 'Delete') removeScene(index);
    else if (event.key === 'd' && (event.ctrlKey || event.metaKey)) duplicateScene(index);
    else return;
    event.preventDefault();
  };
  document.addEventListener('dragover', (event) => {
    if (event.dataTransfer.types.includes('Files')) {
      event.preventDefault();
      document.body.classList.add('dropping');
    }
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
  document.addEventListener('drop', (event) => {
    document.body.classList.remove('dropping');
    if (!event.dataTransfer.files.length) return;
    event.preventDefault();
    addPhotos(event.dataTransfer.files);
  });
}

async function start() {
  wire();
  state.effects = await engine.call('effectNames');
  const names = studioTransitionNames[studioLanguage()] || {};
  $('scene-effect').replaceChildren(...state.effects.map((name, code) =>
    new Option(names[name] || name.replaceAll('-', ' '), code)));
  renderShowFields();
  renderAll();
  document.body.dataset.ready = 'true';
}

start();
