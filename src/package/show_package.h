// The show: the content block appended to the program file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/color.h"

namespace showsaver {

// A byte array of the package: absent (stored with no dimension) or present,
// possibly empty.  Both kinds are kept apart so that a package writes back
// exactly as it was read.
struct PackageBytes {
  std::optional<std::vector<std::uint8_t>> bytes;

  bool present() const { return bytes.has_value(); }
  std::size_t size() const { return bytes ? bytes->size() : 0; }
  const std::uint8_t* data() const { return bytes ? bytes->data() : nullptr; }
  friend bool operator==(const PackageBytes&, const PackageBytes&) = default;
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

  std::size_t stored_scene_count() const { return Scenes ? Scenes->size() : 0; }
  friend bool operator==(const ShowPackage&, const ShowPackage&) = default;
};

}  // namespace showsaver
