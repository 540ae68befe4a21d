// The page's words in English and Japanese, chosen by the browser's language.
'use strict';
const studioTexts = {
  en: {
    appTitle: 'showsaver studio', addPhotos: 'Add photos', open: 'Open…', play: 'Play',
    save: 'Save', windows64: 'Windows 64-bit', windows32: 'Windows 32-bit', linux: 'Linux',
    show: 'Show', title: 'Title', size: 'Size', thisScreen: 'This screen',
    background: 'Background', music: 'Music', settings: 'Offer settings (music and sound on/off)',
    scene: 'Scene', noScene: 'Add photos to begin: drop them here or use “Add photos”.',
    effect: 'Transition to the next picture', hold: 'Shown for (seconds)', fit: 'Fit',
    contain: 'Whole picture', cover: 'Fill the screen', none: 'Own size', centred: 'Centred',
    left: 'Left', top: 'Top', sound: 'Sound', overPrevious: 'Over the previous picture',
    transparent: 'Transparent (background colour shows through)', remove: 'Delete',
    duplicate: 'Duplicate', converting: 'Adding photos', saving: 'Saving', opening: 'Opening',
    noProblems: '', cannotSave: 'The show cannot be saved until its errors are fixed.',
    cannotDecode: 'could not be read as a picture', choose: 'Choose…', removeFile: 'Remove',
    pictureName: 'Picture file name in the show', soundName: 'Sound file name in the show',
    midiNote: 'MIDI music plays in the saved screen saver, but not in Play here: browsers do not play MIDI.',
  },
  ja: {
    appTitle: 'showsaver スタジオ', addPhotos: '写真を追加', open: '開く…', play: '再生',
    save: '保存', windows64: 'Windows 64 ビット', windows32: 'Windows 32 ビット', linux: 'Linux',
    show: 'ショー', title: 'タイトル', size: 'サイズ', thisScreen: 'この画面',
    background: '背景色', music: '音楽', settings: '設定を表示する（音楽と効果音のオン・オフ）',
    scene: 'シーン', noScene: '写真をここにドロップするか「写真を追加」で始めましょう。',
    effect: '次の写真への切り替え効果', hold: '表示時間（秒）', fit: '合わせ方',
    contain: '写真全体', cover: '画面いっぱい', none: '元の大きさ', centred: '中央に配置',
    left: '左', top: '上', sound: '効果音', overPrevious: '前の写真に重ねる',
    transparent: '透過（背景色の部分を透かす）', remove: '削除', duplicate: '複製',
    converting: '写真を追加しています', saving: '保存しています', opening: '開いています',
    noProblems: '', cannotSave: 'エラーを直すまで保存できません。',
    cannotDecode: 'は写真として読み込めませんでした', choose: '選択…', removeFile: '外す',
    pictureName: 'ショー内の写真ファイル名', soundName: 'ショー内の効果音ファイル名',
    midiNote: 'MIDI の音楽は保存したスクリーンセーバーでは鳴りますが、ブラウザーは MIDI を再生しないため、ここでの再生では鳴りません。',
  },
};
// The problems the engine finds, by their codes, worded from their values;
// a problem without a code (or with a code not here) keeps showpack's words.
// Each is shown beside its scene or the show, so none repeats which.
const studioProblemTexts = {
  en: {
    'picture-clipped': (v) => {
      const sides = [[v.cutLeft, 'columns on the left'], [v.cutRight, 'columns on the right'],
                     [v.cutTop, 'rows at the top'], [v.cutBottom, 'rows at the bottom']]
        .filter(([count]) => count !== '0').map(([count, side]) => `${count} ${side}`);
      const list = sides.length > 1 ? `${sides.slice(0, -1).join(', ')} and ${sides.at(-1)}` : sides[0];
      return `Part of the picture is cut off: ${list} do not show (a ${v.width} × ${v.height} ` +
             `picture at (${v.left}, ${v.top}) in a ${v.areaWidth} × ${v.areaHeight} show).`;
    },
    'picture-hidden': (v) => `The picture does not show at all: a ${v.width} × ${v.height} picture ` +
                             `at (${v.left}, ${v.top}) lies outside the ${v.areaWidth} × ${v.areaHeight} show.`,
    'picture-unreadable': (v) => `The picture “${v.name}” cannot be shown: ${v.reason}.`,
    'effect-unknown': (v) => `Transition ${v.code} is not one the player knows (0 to ${v.last}): choose another.`,
    'transparent-alone': () => '“Transparent” does nothing unless “Over the previous picture” is on.',
    'name-not-storable': (v) => `The name “${v.name}” cannot be stored: it ${v.reason}.`,
    'sound-warning': (v) => `The sound “${v.name}”: ${v.reason}.`,
    'music-warning': (v) => `The music “${v.name}”: ${v.reason}.`,
  },
  ja: {
    'picture-clipped': (v) => {
      const sides = [[v.cutLeft, '左', '列'], [v.cutRight, '右', '列'],
                     [v.cutTop, '上', '行'], [v.cutBottom, '下', '行']]
        .filter(([count]) => count !== '0').map(([count, side, unit]) => `${side} ${count} ${unit}`);
      return `写真の一部が切れています：${sides.join('、')}が表示されません` +
             `（${v.areaWidth} × ${v.areaHeight} のショーの位置 (${v.left}, ${v.top}) に ${v.width} × ${v.height} の写真）。`;
    },
    'picture-hidden': (v) => `写真がまったく表示されません：${v.width} × ${v.height} の写真が ` +
                             `位置 (${v.left}, ${v.top}) にあり、${v.areaWidth} × ${v.areaHeight} のショーの外です。`,
    'picture-unreadable': (v) => `写真「${v.name}」を表示できません（${v.reason}）。`,
    'effect-unknown': (v) => `切り替え効果 ${v.code} はプレーヤーにありません（0〜${v.last}）。別の効果を選んでください。`,
    'transparent-alone': () => '「透過」は「前の写真に重ねる」をオンにしたときだけ働きます。',
    'name-not-storable': (v) => `ファイル名「${v.name}」はショーに保存できません（${v.reason}）。`,
    'sound-warning': (v) => `効果音「${v.name}」に注意：${v.reason}`,
    'music-warning': (v) => `音楽「${v.name}」に注意：${v.reason}`,
  },
};

// The transitions by their catalogue names, where a language has its own.
const studioTransitionNames = {
  ja: {
    'cut': 'カット', 'split-horizontal': '左右に開く', 'split-vertical': '上下に開く',
    'random-tiles': 'ランダムタイル', 'blinds-down': 'ブラインド（下へ）',
    'slide-left': 'スライド（左から）', 'slide-right': 'スライド（右から）',
    'slide-top': 'スライド（上から）', 'slide-bottom': 'スライド（下から）',
    'spiral-tiles': 'うずまきタイル', 'box-out': '中央から広がる',
    'pinch-horizontal': '縦線に縮んで開く', 'pinch-vertical': '横線に縮んで開く',
    'flip-horizontal': '左右に裏返す', 'flip-vertical': '上下に裏返す',
    'squeeze-left': '押しつぶし（左から）', 'squeeze-top': '押しつぶし（上から）',
    'squeeze-right': '押しつぶし（右から）', 'squeeze-bottom': '押しつぶし（下から）',
    'wipe-left': 'ワイプ（左から）', 'wipe-top': 'ワイプ（上から）',
    'wipe-right': 'ワイプ（右から）', 'wipe-bottom': 'ワイプ（下から）',
    'zoom-in': 'ズームイン', 'zoom-out': 'ズームアウト',
    'shrink-through-black': '黒を通って縮む・広がる',
    'push-left': 'プッシュ（左から）', 'push-top': 'プッシュ（上から）',
    'push-right': 'プッシュ（右から）', 'push-bottom': 'プッシュ（下から）',
  },
};

function studioLanguage() {
  for (const language of navigator.languages || [navigator.language]) {
    const base = String(language).toLowerCase().split('-')[0];
    if (base in studioTexts) return base;
  }
  return 'en';
}
