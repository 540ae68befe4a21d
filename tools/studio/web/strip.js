// The strip of scenes: a thumbnail each, in show order, dragged (or moved
// with Alt and the arrow keys) to reorder, with buttons to duplicate and delete.
import {$, engine, newSceneId, state, texts} from './show_state.js';
import {renderAll, renderProblems, renderScene, startPreview} from './studio.js';

let dragged = -1;
export function renderStrip() {
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
    caption.textContent = `${index + 1}. ${scene.picture_name}`;
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

export function moveScene(from, to) {
  if (from === to || to < 0 || to >= state.scenes.length) return;
  const [scene] = state.scenes.splice(from, 1);
  state.scenes.splice(to, 0, scene);
  state.selected = to;
  renderAll();
  $('strip').children[to].focus();
}

export function removeScene(index) {
  const [removed] = state.scenes.splice(index, 1);
  if (!state.scenes.some((scene) => scene.picture === removed.picture)) {
    engine.call('removeFile', {path: removed.picture});
  }
  state.selected = Math.min(state.selected, state.scenes.length - 1);
  renderAll();
}

export function duplicateScene(index) {
  state.scenes.splice(index + 1, 0, {...state.scenes[index], id: newSceneId()});
  state.selected = index + 1;
  renderAll();
}

// Keeps the strip's items: one being dragged must stay in the document.
export function select(index) {
  state.selected = index;
  [...$('strip').children].forEach((item, i) => {
    item.classList.toggle('selected', i === index);
    item.setAttribute('aria-selected', i === index);
  });
  renderScene();
  renderProblems();
  startPreview();
}
