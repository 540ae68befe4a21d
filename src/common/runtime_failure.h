// A runtime failure of the show: what the show's error handler reports.
#pragma once

#include <stdexcept>
#include <string>

namespace showsaver {

inline constexpr const char* kProjectSource = "Project1";

class RuntimeFailure : public std::runtime_error {
 public:
  explicit RuntimeFailure(std::string description, std::string source = kProjectSource)
      : std::runtime_error(description),
        description_(std::move(description)),
        source_(std::move(source)) {}

  const std::string& description() const { return description_; }
  const std::string& source() const { return source_; }

 private:
  std::string description_;
  std::string source_;
};

// Descriptions of the failures the show can meet.
inline constexpr const char* kOverflowDescription = "オーバーフローしました。";
inline constexpr const char* kSubscriptDescription = "インデックスが有効範囲にありません。";
inline constexpr const char* kOutOfMemoryDescription = "メモリが不足しています。";
inline constexpr const char* kFileNotFoundDescription = "ファイルが見つかりません。";
inline constexpr const char* kInvalidPropertyValueDescription = "プロパティの値が不正です。";
inline constexpr const char* kInvalidPictureDescription = "ピクチャが無効です。";
// An exception that carries no text of its own.
inline constexpr const char* kUnknownFailureDescription = "原因不明の例外が発生しました。";

}  // namespace showsaver
