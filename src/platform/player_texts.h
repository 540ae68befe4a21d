// Every text the player shows its user, in one place: the start's boxes, the
// settings dialog, and the show's error box with the failures it reports.
// The Japanese texts are UTF-8; the dialogs and boxes of every desktop show
// them as they stand.
#pragma once

namespace showsaver {

// The start's boxes: the show cannot play, or it has nothing to set.
inline constexpr const char* kCannotRun = "実行できません";
inline constexpr const char* kCannotRunTitle = "ソラミル";
inline constexpr const char* kNothingToSet = "設定項目はありません";
inline constexpr const char* kNothingToSetTitle = "スクリーンセーバー";

// The settings dialog (settings_dialog_design.h), and its box when the
// choice cannot be saved.
inline constexpr const char* kSettingsCaption = "設定";
inline constexpr const char* kMusicGroupText = "BGM";
inline constexpr const char* kSoundsGroupText = "Sound";
inline constexpr const char* kOnText = "ON";
inline constexpr const char* kOffText = "OFF";
// Also the OK button of the message boxes the player draws itself (GTK's).
inline constexpr const char* kOkText = "OK";
inline constexpr const char* kCancelText = "キャンセル";
inline constexpr const char* kSettingsNotSaved = "設定を保存できませんでした。";

// The show's error box: its title, and its first line above the failure's
// description and source.
inline constexpr const char* kErrorTitle = "エラー";
inline constexpr const char* kUnknownError = "不明のエラーが発生しました。";
// In the box's first line instead, when the show could not be read: the
// file (and, for a damaged one, the field and offset) on the lines below.
inline constexpr const char* kShowFileNotOpened = "ショーのファイルを開けません。";
inline constexpr const char* kShowDamaged = "このファイルのショーは壊れています。";
// The source every runtime failure of the show names.
inline constexpr const char* kProjectSource = "Project1";

// Descriptions of the failures the show can meet (common/runtime_failure.h).
inline constexpr const char* kOverflowDescription = "オーバーフローしました。";
inline constexpr const char* kSubscriptDescription = "インデックスが有効範囲にありません。";
inline constexpr const char* kOutOfMemoryDescription = "メモリが不足しています。";
inline constexpr const char* kFileNotFoundDescription = "ファイルが見つかりません。";
inline constexpr const char* kInvalidPropertyValueDescription = "プロパティの値が不正です。";
inline constexpr const char* kInvalidPictureDescription = "ピクチャが無効です。";
// An exception that carries no text of its own.
inline constexpr const char* kUnknownFailureDescription = "原因不明の例外が発生しました。";

}  // namespace showsaver
