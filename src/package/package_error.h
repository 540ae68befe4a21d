// A malformed package: which field, where, and why.
#pragma once

#include <cstdint>
#include <string>

namespace showsaver {

struct PackageError {
  // The field, for example "BlockLength", "SceneCount" or "scene 3 PictureData".
  std::string field;
  // 0-based offset in the file of the bytes at fault.
  std::int64_t offset = 0;
  std::string reason;

  // One sentence: field, offset (decimal and hexadecimal) and reason.
  std::string message() const;
  // The sentence without its reason: the field and where it lies.
  std::string where() const;
  friend bool operator==(const PackageError&, const PackageError&) = default;
};

}  // namespace showsaver
