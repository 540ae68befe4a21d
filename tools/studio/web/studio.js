// The studio page: the show's and the scene's controls, the strip's scenes,
// the preview, and the start.  Everything drawn of the show comes from the
// engine; the show's state (show_state.js), the strip's view (strip.js),
// playing, saving and opening (show_files.js) and the workers
// (engine_client.js) have files of their own, and none imports this one.
import {studioLanguage, studioTransitionNames} from './texts.js';
import {FrameView, Playback} from './engine_client.js';
import {
  $, area, colorRef, engine, newSceneId, problemTexts, sceneFields, setVocabulary, showFields, state,
  texts, vocabulary, withProgress,
} from './show_state.js';
import {renderStrip} from './strip.js';
import {openShow, play, renderShowFields, save} from './show_files.js';

const DEFAULT_TIME = 3000;

// The version the build gives (make studio).
/* global SHOWSAVER_VERSION */

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
    const wording = problem.code && problemTexts[problem.code];
    item.textContent = wording ? wording(problem.values)
                               : problem.message.replace(/^(scene \d+|\[show\]): /, '');
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
      id: newSceneId(), source: file, thumb: URL.createObjectURL(file), width: picture.width,
      height: picture.height, fit, picture: picture.path, picture_name: bmpName(file.name),
      display_time: DEFAULT_TIME, effect: 1 + (state.scenes.length % (vocabulary.effects.length - 1)),
      left: null, top: null, sound: null, sound_name: null, over_previous: false, transparent: false,
      fade_time: null, motion: null, motion_seed: null, motion_from: null, motion_to: null,
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
  const before = new Set(scenes.map((scene) => scene.picture));
  converted.forEach((picture, index) => {
    if (picture.error) return;
    Object.assign(scenes[index], {picture: picture.path, width: picture.width, height: picture.height});
  });
  for (const path of before) {
    if (!state.scenes.some((scene) => scene.picture === path)) engine.call('removeFile', {path});
  }
  renderAll();
}

// ---- Scene editor and preview -------------------------------------------

function renderScene() {
  const scene = state.scenes[state.selected];
  $('no-scene').hidden = !!scene;
  $('scene-editor').hidden = !scene;
  if (!scene) return;
  $('scene-name').value = scene.picture_name;
  $('scene-effect').value = scene.fade_time ? vocabulary.values.fade : scene.effect;
  $('scene-fade-fields').hidden = !scene.fade_time;
  if (scene.fade_time) {
    $('scene-fade-time').value = scene.fade_time / 1000;
    $('scene-fallback').value = scene.effect;
  }
  $('scene-motion').value = scene.motion || '';
  $('scene-time').value = scene.display_time / 1000;
  $('scene-fit').value = scene.fit;
  const centred = scene.left === null;
  $('scene-centred').checked = centred;
  const fields = sceneFields(scene);
  $('scene-left').value = fields.left;
  $('scene-top').value = fields.top;
  $('scene-left').disabled = $('scene-top').disabled = centred;
  $('sound-name').textContent = scene.sound ? scene.sound_name : '';
  $('scene-sound-name-field').hidden = !scene.sound;
  if (scene.sound) $('scene-sound-name').value = scene.sound_name;
  $('sound-clear').hidden = !scene.sound;
  renderShowFields();
  $('scene-over').checked = scene.over_previous;
  $('scene-transparent').checked = scene.transparent;
}

let preview = null;
let previewTimer = 0;
// Counts the previews started: one whose show comes back from the engine
// after a later one started is passed over, whatever changed meanwhile (the
// selection, the scene, the order), so the preview never shows a scene that
// is no longer the one chosen.
let previewsStarted = 0;
let previewView = null;
let previewSceneId = 0;  // the scene whose preview the canvas shows
// The transition of the selected scene into the next in the strip (in a
// shuffled show too), drawn by the engine.
async function startPreview() {
  const started = ++previewsStarted;
  clearTimeout(previewTimer);
  if (preview) preview.stop();
  preview = null;
  // Until the new preview draws, the canvas shows nothing of another scene's.
  const index = state.selected;
  const selected = state.scenes[index];
  if (previewView && (!selected || selected.id !== previewSceneId)) previewView.clear();
  if (!selected) return;
  const pair = [index, (index + 1) % state.scenes.length];
  const written = await engine.call('writeShow', {show: showFields(pair, vocabulary.values.stored)})
    .catch((error) => ({error}));
  // Where the show cannot be written, the problems list says why.
  if (written.error || started !== previewsStarted) return;
  const view = previewView = new FrameView($('preview'));
  previewSceneId = selected.id;
  if (window.studioFrameLog) window.studioFrameLog.length = 0;  // this preview's frames only
  const mine = new Playback(written.bytes, area(), 1, 0, (frame) => {
    if (preview !== mine) return;  // posted before it was ended
    // The tests compare the frames with showpack's by their digests; the
    // benchmark reads when each was posted, came and was drawn (times since
    // the epoch, the worker's clock and the page's being apart).
    const log = window.studioFrameLog;
    if (!log) return view.show(frame);
    const entry = {time: frame.time, posted: frame.posted, received: performance.timeOrigin + performance.now(),
                   digest: log.timesOnly ? null : crypto.subtle.digest('SHA-256', frame.pixels)};
    log.push(entry);
    view.show(frame, () => { entry.drawn = performance.timeOrigin + performance.now(); });
  });
  preview = mine;
  await mine.done.catch(() => {});
  if (preview !== mine) return;
  mine.stop();
  window.dispatchEvent(new Event('studio-preview-done'));
  previewTimer = setTimeout(startPreview, 1500);
}

function renderAll() {
  renderStrip({select, duplicate: duplicateScene, remove: removeScene, move: moveScene});
  renderProblems();
  renderScene();
  scheduleCheck();
  startPreview();
}

// ---- Scenes in the strip --------------------------------------------------

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
  if (!state.scenes.some((scene) => scene.picture === removed.picture)) {
    engine.call('removeFile', {path: removed.picture});
  }
  state.selected = Math.min(state.selected, state.scenes.length - 1);
  renderAll();
}

function duplicateScene(index) {
  state.scenes.splice(index + 1, 0, {...state.scenes[index], id: newSceneId()});
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

function editScene(change) {
  const scene = state.scenes[state.selected];
  if (!scene) return;
  change(scene);
  renderAll();
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
  $('about').textContent = texts.about(SHOWSAVER_VERSION);
  $('photo-input').onchange = (event) => { addPhotos(event.target.files); event.target.value = ''; };
  $('open-input').onchange = async (event) => {
    const file = event.target.files[0];
    event.target.value = '';
    if (!file) return;
    if (!await openShow(file)) return renderProblems();
    renderShowFields();
    renderAll();
  };
  for (const label of document.querySelectorAll('label.button')) {
    label.onkeydown = (event) => {
      if (event.key === 'Enter' || event.key === ' ') { event.preventDefault(); label.querySelector('input').click(); }
    };
  }
  $('play').onclick = play;
  $('save').onclick = async () => { if (!await save()) renderProblems(); };
  $('show-title').oninput = (event) => { state.title = event.target.value; };
  $('show-size').onchange = (event) => { state.size = event.target.value; reconvert(state.scenes); };
  $('show-back').onchange = (event) => { state.back = event.target.value; reconvert(state.scenes); };
  $('show-settings').onchange = (event) => { state.has_settings = event.target.checked; scheduleCheck(); };
  $('show-music').onchange = async (event) => {
    const file = event.target.files[0];
    state.music = file ? (await engine.call('storeFile', {file})).path : null;
    state.music_name = file ? file.name : null;
    renderShowFields();
    scheduleCheck();
    event.target.value = '';
  };
  $('music-clear').onclick = () => {
    state.music = state.music_name = null;
    renderShowFields();
    scheduleCheck();
  };
  $('sound-clear').onclick = () => editScene((scene) => { scene.sound = scene.sound_name = null; });
  $('scene-name').onchange = (event) => editScene((scene) => { scene.picture_name = event.target.value; });
  $('scene-sound-name').onchange = (event) => editScene((scene) => {
    if (scene.sound) scene.sound_name = event.target.value;
  });
  $('scene-effect').onchange = (event) => editScene((scene) => {
    // A cross-fade keeps a catalogue transition for players without one: the cut.
    const fade = event.target.value === vocabulary.values.fade;
    scene.fade_time = fade ? scene.fade_time || vocabulary.limits.defaultFade : null;
    scene.effect = fade ? 0 : Number(event.target.value);
  });
  $('scene-fade-time').onchange = (event) => editScene((scene) => {
    const time = Math.round(Number(event.target.value) * 1000);
    const {defaultFade, longestFade} = vocabulary.limits;
    scene.fade_time = Math.min(longestFade, Math.max(1, time || defaultFade));
  });
  $('scene-fallback').onchange = (event) => editScene((scene) => { scene.effect = Number(event.target.value); });
  $('scene-motion').onchange = (event) => editScene((scene) => { scene.motion = event.target.value || null; });
  $('show-order').onchange = (event) => { state.order = event.target.value; scheduleCheck(); };
  $('show-motion').onchange = (event) => {
    state.motion = event.target.checked ? vocabulary.values.panZoom : null;
    renderAll();
  };
  $('scene-time').onchange = (event) => editScene((scene) => {
    scene.display_time = Math.max(0, Math.round(Number(event.target.value) * 1000));
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
    const sound = file ? (await engine.call('storeFile', {file})).path : null;
    editScene((scene) => {
      scene.sound = sound;
      scene.sound_name = file ? file.name : null;
    });
    event.target.value = '';
  };
  $('scene-over').onchange = (event) => editScene((scene) => { scene.over_previous = event.target.checked; });
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
  setVocabulary(await engine.call('vocabulary'));
  const {values, limits} = vocabulary;
  state.order = values.stored;
  const names = studioTransitionNames[studioLanguage()] || {};
  const catalogue = () => vocabulary.effects.map((name, code) =>
    new Option(names[name] || name.replaceAll('-', ' '), code));
  $('scene-effect').replaceChildren(...catalogue(), new Option(texts.fade, values.fade));
  $('scene-fallback').replaceChildren(...catalogue());
  $('show-order').replaceChildren(new Option(texts.orderStored, values.stored),
                                  new Option(texts.orderShuffle, values.shuffle));
  $('scene-motion').replaceChildren(new Option(texts.motionShow, ''),
                                    new Option(texts.motionPanZoom, values.panZoom),
                                    new Option(texts.motionNone, values.noMotion));
  $('scene-fade-time').max = limits.longestFade / 1000;
  renderShowFields();
  renderAll();
  // Ready: the engine has started and "Add photos" works.  The mark's time
  // is how long the page took to get there from its opening.
  document.documentElement.dataset.ready = '';
  performance.mark('studio-ready');
}

start();
