// What the page's modules share: the show's state, the engine's worker that
// holds its pictures, what the engine names, and the show as its manifest.
import {studioLanguage, studioProblemTexts, studioTexts} from './texts.js';
import {EngineWorker} from './engine_client.js';

export const $ = (id) => document.getElementById(id);
export const texts = studioTexts[studioLanguage()];
export const problemTexts = studioProblemTexts[studioLanguage()];
export const SIZES = {'1280x720': [1280, 720], '1920x1080': [1920, 1080], '3840x2160': [3840, 2160]};

// The show's state.  What the manifest holds goes by the manifest's own keys
// (tools/showpack/manifest.h), in the show and in each scene; the rest is the
// page's.  has_settings null: offered when the show has music or a sound, as
// showpack decides; motion null: no scene moves unless it says so.
export const state = {
  title: '', size: '1280x720', custom: null, back: '#000000', music: null, music_name: null,
  has_settings: null, order: null, motion: null, scenes: [], selected: -1, problems: [],
};
// What the engine names (set at the start): the transitions, the values the
// manifest gives its choices, and the limits and defaults of what the page sets.
export let vocabulary = null;
export function setVocabulary(named) {
  vocabulary = named;
}

let nextSceneId = 1;
// An id for a new scene, which the preview tells scenes apart by.
export function newSceneId() {
  return nextSceneId++;
}

export const engine = new EngineWorker();

// ---- Show description ----------------------------------------------------

export function area() {
  if (state.size === 'screen') {
    const ratio = window.devicePixelRatio || 1;
    return {width: Math.round(screen.width * ratio), height: Math.round(screen.height * ratio)};
  }
  const [width, height] = SIZES[state.size] || state.custom;
  return {width, height};
}

export function colorRef(hex) {
  const value = parseInt(hex.slice(1), 16);
  return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

export function hexColor(ref) {
  const rgb = ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF);
  return '#' + rgb.toString(16).padStart(6, '0');
}

// A scene's manifest entry.  `index`: the scene's place in the show, which a
// pan and zoom without a seed of its own takes for one (as showpack does),
// also in a preview of it.
export function sceneFields(scene, index) {
  // The page's own; the rest is the manifest's.
  const {id, source, thumb, width, height, fit, ...entry} = scene;
  const shown = area();
  return {
    ...entry,
    left: scene.left ?? Math.trunc((shown.width - width) / 2),
    top: scene.top ?? Math.trunc((shown.height - height) / 2),
    motion_seed: scene.motion_from ? null : scene.motion_seed ?? index,
  };
}

// The whole show as its manifest, or (for the preview) some of its scenes by
// their places.  The engine reads it by the manifest's keys.
export function showFields(places = state.scenes.map((_, index) => index), order = state.order) {
  const {width, height} = area();
  return {
    show: {width, height, back_color: colorRef(state.back), has_settings: state.has_settings,
           music: state.music, music_name: state.music_name, order, motion: state.motion},
    scene: places.map((index) => sceneFields(state.scenes[index], index)),
  };
}

// ---- Progress and problems ---------------------------------------------

export async function withProgress(label, work) {
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
