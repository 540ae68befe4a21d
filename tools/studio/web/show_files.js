// The show as a whole: played full screen, saved with a player, opened from
// a saved file.  Saving and opening change the state and say so; the page
// shows what changed.
import {FrameView, Playback} from './engine_client.js';
import {
  $, SIZES, area, engine, hexColor, newSceneId, showFields, state, texts, vocabulary, withProgress,
} from './show_state.js';
// The players a show is joined to, each as base64 text in the page (make
// studio puts them in), decoded when a show is saved.
import linuxPlayer from 'studio-player-linux';
import windowsX64Player from 'studio-player-windows-x64';
import windowsX86Player from 'studio-player-windows-x86';

const players = {'linux': linuxPlayer, 'windows-x64': windowsX64Player, 'windows-x86': windowsX86Player};

export async function play() {
  if (!state.scenes.length) return;
  const written = await engine.call('writeShow', {show: showFields()}).catch((error) => ({error}));
  if (written.error) return;  // the problems list says why
  const stage = $('stage');
  const canvas = $('stage-canvas');
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
  if (state.music) sound(state.music, true);
  let scene = -1;
  const view = new FrameView(canvas);
  // A shuffled show's order comes from the tick counter at the start, as in
  // the player; the tests set the tick.
  const startTick = window.studioStartTick ?? Math.floor(Math.random() * 0x7FFFFFFF);
  const log = window.studioPlayLog;
  const playback = new Playback(written.bytes, area(), 1e9, startTick, (frame) => {
    view.show(frame);
    if (log) log.push({time: frame.time, scene: frame.scene, inTransition: frame.inTransition});
    if (frame.inTransition && frame.scene !== scene) {
      scene = frame.scene;
      const played = state.scenes[scene];
      if (played && played.sound) sound(played.sound, false);
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

// False where the show could not be written: a problem says why.
export async function save() {
  if (!state.scenes.length) return true;
  const platform = $('platform').value;
  const player = base64Bytes(players[platform]);
  const windows = platform.startsWith('windows');
  const written = await withProgress(texts.saving, (onProgress) =>
    engine.call('writeShow', {show: showFields(), player: player.buffer,
                              title: windows ? state.title : ''},
                {onProgress, transfer: [player.buffer]})).catch((error) => ({error}));
  if (written.error) {
    // The show's own errors are in the problems list already.
    const held = written.problems && written.problems.some((problem) => problem.error);
    const message = held ? texts.cannotSave : texts.cannotWrite(written.error.message || written.error);
    state.problems.push({scene: null, error: true, message});
    return false;
  }
  const name = (state.title || 'show').replace(/[\\/:*?"<>|]/g, '_');
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([written.bytes], {type: 'application/octet-stream'}));
  link.download = name + '.scr';
  document.body.append(link);
  link.click();
  link.remove();
  return true;
}

// Whether the show opened (its scenes now the state's); where it did not, a
// problem says why.
export async function openShow(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  // The show's manifest, by the manifest's keys, with its files in the engine.
  const opened = await withProgress(texts.opening, () =>
    engine.call('openShow', {bytes: bytes.buffer}, {transfer: [bytes.buffer]}))
    .catch((error) => ({error: error.message}));
  if (opened.error) {
    state.problems = [{scene: null, error: true, message: texts.cannotOpen(file.name, opened.error)}];
    return false;
  }
  const {show} = opened;
  const size = `${show.width}x${show.height}`;
  state.size = size in SIZES ? size : 'custom';
  state.custom = [show.width, show.height];
  state.back = hexColor(show.back_color);
  state.has_settings = show.has_settings;
  state.title = show.title || '';
  state.music = show.music || null;
  state.music_name = show.music_name || null;
  // Each scene's motion is stored with the scene; none is left to the show.
  state.order = show.order;
  state.motion = null;
  // The scenes change at once, when all of them are read: a Save or a Play
  // meanwhile takes the show as it was, never half of the opened one.
  const scenes = [];
  for (const scene of opened.scene) {
    const picture = await engine.call('readFile', {path: scene.picture});
    const source = new Blob([picture], {type: 'image/bmp'});
    const header = new DataView(picture.buffer);
    scenes.push({
      id: newSceneId(), source, thumb: URL.createObjectURL(source),
      width: header.getInt32(18, true), height: Math.abs(header.getInt32(22, true)), fit: 'none',
      ...scene,
    });
  }
  state.scenes = scenes;
  state.selected = state.scenes.length ? 0 : -1;
  return true;
}

export function renderShowFields() {
  const select = $('show-size');
  if (state.size === 'custom' && ![...select.options].some((o) => o.value === 'custom')) {
    select.add(new Option('', 'custom'));
  }
  const custom = [...select.options].find((o) => o.value === 'custom');
  if (custom) custom.textContent = `${state.custom[0]} × ${state.custom[1]}`;
  select.value = state.size;
  $('show-title').value = state.title;
  $('show-back').value = state.back;
  $('show-order').value = state.order;
  $('show-motion').checked = state.motion === vocabulary.values.panZoom;
  $('show-settings').checked =
      state.has_settings ?? (!!state.music || state.scenes.some((scene) => scene.sound));
  $('music-name').textContent = state.music ? state.music_name : '';
  $('music-clear').hidden = !state.music;
  // Browsers play no MIDI: Play is silent where the saved screen saver is not.
  $('music-midi-note').hidden = !(state.music && /\.midi?$/i.test(state.music_name));
}
