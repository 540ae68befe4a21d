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
    pictureName: 'Picture file name in the show',
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
    pictureName: 'ショー内の写真ファイル名',
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
