// The strip of scenes: a thumbnail each, in show order, dragged (or moved
// with Alt and the arrow keys) to reorder, with buttons to duplicate and
// delete.  What each does is the page's (`actions`: select, duplicate,
// remove, move), so that the strip only shows the scenes.
import {$, state, texts} from './show_state.js';

let dragged = -1;
export function renderStrip(actions) {
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
    tools.append(toolButton('❐', texts.duplicate, () => actions.duplicate(index)),
                 toolButton('✕', texts.remove, () => actions.remove(index)));
    item.append(image, caption, tools);
    item.onclick = () => actions.select(index);
    item.onfocus = () => { if (state.selected !== index) actions.select(index); };
    item.ondragstart = () => { dragged = index; };
    item.ondragover = (event) => { if (dragged >= 0) event.preventDefault(); };
    item.ondrop = (event) => {
      event.preventDefault();
      if (dragged >= 0) actions.move(dragged, index);
      dragged = -1;
    };
    return item;
  }));
}

function toolButton(label, title, action) {
  const button = document.createElement('button');
  button.textContent = label;
  button.title = title;
  button.setAttribute('aria-label', title);
  button.onclick = (event) => { event.stopPropagation(); action(); };
  return button;
}
