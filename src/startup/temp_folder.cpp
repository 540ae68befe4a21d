#include "startup/temp_folder.h"

namespace showsaver {
namespace {

// Enough numbers for any machine's leftovers; the bound only keeps a
// misbehaving file system from looping for ever.
constexpr int kMaximumFolderNumber = 1 << 20;

}  // namespace

std::optional<std::string> create_temp_folder(FileSystem& files, const std::string& parent) {
  for (int number = 1; number <= kMaximumFolderNumber; ++number) {
    const std::string candidate = parent + "temp" + std::to_string(number);
    switch (files.create_folder(candidate)) {
      case CreateFolderResult::Created:
        return candidate + kPathSeparator;
      case CreateFolderResult::AlreadyExists:
        continue;
      case CreateFolderResult::Failed:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace showsaver
