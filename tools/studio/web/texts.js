// The page's words in English and Japanese, chosen by the browser's language.
export const studioTexts = {
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
    order: 'Order', orderStored: 'As in the strip', orderShuffle: 'Shuffled, anew each round',
    showMotion: 'Pan and zoom every picture while it is shown', fade: 'cross-fade',
    fadeTime: 'Cross-fade time (seconds)', fallback: 'Where a player has no cross-fade',
    motion: 'While shown', motionShow: 'As the show says', motionPanZoom: 'Pan and zoom',
    motionNone: 'Still', platform: 'Platform', preview: 'Transition preview',
    // With the engine's reason, in English.
    cannotWrite: (reason) => `The show could not be written: ${reason}.`,
    cannotOpen: (name, reason) => `${name} cannot be opened as a show: ${reason}.`,
    about: (version) => `showsaver studio, version ${version}`,
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
    order: '順番', orderStored: '並べた順', orderShuffle: 'シャッフル（一巡ごとに新しく）',
    showMotion: 'すべての写真を表示中にパン・ズームする', fade: 'クロスフェード',
    fadeTime: 'クロスフェードの時間（秒）', fallback: 'クロスフェードのないプレーヤーでは',
    motion: '表示中の動き', motionShow: 'ショーの設定どおり', motionPanZoom: 'パン・ズーム',
    motionNone: '動かさない', platform: 'プラットフォーム', preview: '切り替え効果のプレビュー',
    // The engine's reason is in English: the sentence stands without it.
    cannotWrite: () => 'ショーを書き出せませんでした。',
    cannotOpen: (name) => `${name} はショーのファイルとして開けませんでした。`,
    about: (version) => `showsaver スタジオ バージョン ${version}`,
  },
};
// Why a name cannot be stored and what is amiss with a sound, by the
// "fault" code of a problem's values (tools/showpack/problem_codes.h): each
// the end of the sentence its problem starts.  In English the sentence ends
// with showpack's own reason, which the problem carries.
export const studioFaultTexts = {
  ja: {
    // A name's.
    'empty': () => '名前が空です',
    'folder': () => '「.」と「..」はフォルダーを表す名前です',
    'control-character': (v) => `制御文字 ${v.codePoint} を含んでいます`,
    'path-separator': (v) => `パスの区切り「${v.character}」を含んでいます`,
    'drive-separator': () => 'Windows でドライブやストリームの区切りになる「:」を含んでいます',
    'device': () => 'Windows の装置名です',
    'player-mark': () => 'プレーヤーが自分の目印に使う名前です',
    'windows-character': (v) => `Windows がファイル名に使わせない「${v.character}」を含んでいます`,
    'trailing-dot-or-space': () => '末尾の空白や「.」は Windows で消えてしまいます',
    'too-long': (v) => `${v.bytes} バイトあり、ファイル名は ${v.most} バイトまでです`,
    'not-utf8': () => '文字として読めないバイトを含んでいます',
    'not-in-code-page': (v) => `ショーに保存できない文字${v.characters.split(' ').map((c) => `「${c}」`).join('')}` +
      'を含んでいます（名前は日本語 Windows の文字集合、コードページ 932 で保存されます）',
    // A sound's or the music's.
    'wav-broken': () => 'WAV ファイルの中身がつながっておらず再生できません',
    'midi-cut-short': () => 'MIDI のヘッダーが途中で切れていて再生できません',
    'midi-no-tracks': () => 'MIDI のヘッダーにトラックか時間の単位がなく再生できません',
    'unknown-format': () => 'WAV、MIDI、MP3、Ogg、FLAC、WMA のどれでもなく再生できません',
    'scene-sound-not-wav': (v) => `${v.format} 形式です。Windows のプレーヤーは効果音を WAV でしか鳴らしません`,
    'ogg-on-windows': () => 'Ogg 形式は Windows では標準で再生できません（どの Windows でも鳴るのは WAV、MIDI、MP3、WMA）',
    'flac-on-windows': () => 'FLAC 形式は Windows 10 より前の Windows では再生できません（どの Windows でも鳴るのは WAV、MIDI、MP3、WMA）',
  },
};

// The fault's Japanese wording, or `otherwise` for a fault the page does not know.
function studioFaultJa(v, otherwise) {
  const wording = studioFaultTexts.ja[v.fault];
  return wording ? wording(v) : otherwise;
}

const studioKindTexts = {
  en: {picture: 'picture', sound: 'sound', music: 'music'},
  ja: {picture: '写真', sound: '効果音', music: '音楽'},
};

// The problems the engine finds, by their codes, worded from their values:
// the rules' findings (tools/showpack/show_rules.h) and the package
// assembly's problems (package_assembly.cpp).  A problem without a code (or
// with a code not here) keeps showpack's words.  Each is shown beside its
// scene or the show, so none repeats which.
export const studioProblemTexts = {
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
    'name-not-storable': (v) => `The name “${v.name}” cannot be stored: it ${v.reason}.` +
                                (v.suggestion ? ` A name such as “${v.suggestion}” can be.` : ''),
    'name-used-by-other-kind': (v) => `The name “${v.name}” is also the ${studioKindTexts.en[v.otherKind]} name ` +
      `of ${v.otherScene ? `scene ${v.otherScene}` : 'the show'}: one file would replace the other.`,
    'name-used-for-other-file': (v) => `The name “${v.name}” is already scene ${v.otherScene}'s, for another file.`,
    'name-differs-in-case': (v) => `The name “${v.name}” differs from “${v.other}” (scene ${v.otherScene}) ` +
                                   'only in letter case: Windows would keep one file for both.',
    'name-bytes-mismatch': (v) => `The bytes stored for the name “${v.name}” do not spell it.`,
    'file-unreadable': (v) => `The ${studioKindTexts.en[v.kind]} file “${v.file}” cannot be read: ${v.reason}.`,
    'picture-not-imported': (v) => `The picture “${v.file}” cannot be used: it ${v.reason}.`,
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
    // The decoder's reason is in English: the sentence stands without it.
    'picture-unreadable': (v) => `写真「${v.name}」はプレーヤーが読める BMP ではないため表示できません。`,
    'effect-unknown': (v) => `切り替え効果 ${v.code} はプレーヤーにありません（0〜${v.last}）。別の効果を選んでください。`,
    'transparent-alone': () => '「透過」は「前の写真に重ねる」をオンにしたときだけ働きます。',
    'name-not-storable': (v) => `ファイル名「${v.name}」はショーに保存できません：${studioFaultJa(v, '保存できない名前です')}。` +
                                (v.suggestion ? `「${v.suggestion}」なら保存できます。` : ''),
    'name-used-by-other-kind': (v) => `ファイル名「${v.name}」は${v.otherScene ? `シーン ${v.otherScene} ` : 'ショー'}の` +
      `${studioKindTexts.ja[v.otherKind]}の名前でもあり、取り出すと一方がもう一方を上書きします。`,
    'name-used-for-other-file': (v) => `ファイル名「${v.name}」はシーン ${v.otherScene} が別のファイルに使っています。`,
    'name-differs-in-case': (v) => `ファイル名「${v.name}」はシーン ${v.otherScene} の「${v.other}」と` +
                                   '大文字・小文字しか違わず、Windows では一つのファイルになります。',
    'name-bytes-mismatch': (v) => `ファイル名「${v.name}」として保存するバイトがその名前になりません。`,
    // The system's reason is in English: the sentence stands without it.
    'file-unreadable': (v) => `${studioKindTexts.ja[v.kind]}のファイル「${v.file}」を読み込めません。`,
    'picture-not-imported': (v) => `写真「${v.file}」はショーに使えません。`,
    'sound-warning': (v) => `効果音「${v.name}」に注意：${studioFaultJa(v, '再生できないかもしれません')}。`,
    'music-warning': (v) => `音楽「${v.name}」に注意：${studioFaultJa(v, '再生できないかもしれません')}。`,
  },
};

// The transitions by their catalogue names, where a language has its own.
export const studioTransitionNames = {
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

export function studioLanguage() {
  for (const language of navigator.languages || [navigator.language]) {
    const base = String(language).toLowerCase().split('-')[0];
    if (base in studioTexts) return base;
  }
  return 'en';
}
