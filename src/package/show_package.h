// The show: the content block appended to the program file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "package/show_extension.h"
#include "platform/color.h"
#include "platform/file_system.h"

namespace showsaver {

// The package ends with BlockLength, a 32-bit count of the bytes from the
// package's first byte to the file's end, the trailer itself included.
inline constexpr std::int64_t kTrailerSize = 4;

// A byte array of the package: absent (stored with no dimension) or present,
// possibly empty.  Both kinds are kept apart so that a package writes back
// exactly as it was read.  The bytes are either the array's own (`bytes`)
// or, in a package read from a held file, where they lie in that file
// (`in_file`), never both.  Two arrays are equal when they hold the same
// bytes, wherever those are kept.
struct PackageBytes {
  std::optional<std::vector<std::uint8_t>> bytes;
  // Points into the file the package holds (ShowPackage::file).
  std::optional<std::span<const std::uint8_t>> in_file = std::nullopt;

  bool present() const { return bytes.has_value() || in_file.has_value(); }
  std::span<const std::uint8_t> view() const {
    if (bytes) return *bytes;
    return in_file.value_or(std::span<const std::uint8_t>{});
  }
  std::size_t size() const { return view().size(); }
  const std::uint8_t* data() const { return present() ? view().data() : nullptr; }
  friend bool operator==(const PackageBytes& a, const PackageBytes& b) {
    return a.present() == b.present() &&
           std::equal(a.view().begin(), a.view().end(), b.view().begin(), b.view().end());
  }
};

// The file whose bytes a package's arrays point into, kept alive by every
// copy of the package.  Not part of the package's value: equality ignores it.
struct HeldFile {
  std::shared_ptr<const FileContents> contents;
  friend bool operator==(const HeldFile&, const HeldFile&) { return true; }
};

// The code page 932 bytes a name was read from, kept only when encoding the
// text again gives other bytes: several characters have two spellings there
// (NEC row 13, the NEC-selected and the IBM extensions).  The writer uses
// them while they still spell the name, so a package writes back unchanged.
struct StoredSpelling {
  std::optional<std::string> bytes;
  friend bool operator==(const StoredSpelling&, const StoredSpelling&) = default;
};

// One scene, fields in file order.  Names are UTF-8 in memory and code page
// 932 on file.
struct SceneRecord {
  std::string PictureFileName;
  std::string SoundFileName;
  std::int32_t DisplayTime = 0;
  std::int32_t PictureLeft = 0;
  std::int32_t PictureTop = 0;
  std::int32_t EffectCode = 0;
  std::int16_t OverPrevious = 0;
  std::int16_t Transparent = 0;
  PackageBytes PictureData;
  PackageBytes SoundData;
  StoredSpelling PictureFileNameSpelling;
  StoredSpelling SoundFileNameSpelling;
  friend bool operator==(const SceneRecord&, const SceneRecord&) = default;
};

struct ShowPackage {
  std::int32_t PictureWidth = 0;
  std::int32_t PictureHeight = 0;
  ColorRef BackColor{};
  std::int16_t HasSettings = 0;
  std::int32_t SceneCount = 0;
  std::string BgmFileName;
  PackageBytes BgmData;
  // The scene array; absent when stored with no dimension.
  std::optional<std::vector<SceneRecord>> Scenes;
  StoredSpelling BgmFileNameSpelling;
  // The block after the scene list; absent in a package of the original layout.
  std::optional<ShowExtension> Extension;
  // Set when the arrays point into the file they were read from.
  HeldFile file = {};

  std::size_t stored_scene_count() const { return Scenes ? Scenes->size() : 0; }
  friend bool operator==(const ShowPackage&, const ShowPackage&) = default;
};

}  // namespace showsaver
