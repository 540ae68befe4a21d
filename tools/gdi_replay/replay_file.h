// The replay's output file.
//
// Binary, every number little-endian:
//   magic      8 bytes "GDIRPL1\n"
//   records    until the end of the file, each:
//     u32      length of the name in bytes
//     bytes    the case name (ASCII, e.g. "line/Shrink5To3/row")
//     u32      width
//     u32      height
//     u32 x width x height   the pixels, rows top-down, each 0x00RRGGBB
// A case whose image could not be read back has width and height 0.
#pragma once

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/pixel_image.h"

namespace showsaver::gdi_replay {

inline constexpr char kReplayMagic[] = "GDIRPL1\n";

struct ReplayRecord {
  std::string name;
  PixelImage image;
};

// Writes records to an open file; check `ok()` after the last one.
class ReplayWriter {
 public:
  // Writes the magic.
  explicit ReplayWriter(std::FILE* file);
  void write(const std::string& name, const PixelImage& image);
  bool ok() const { return ok_; }

 private:
  void put(const void* bytes, std::size_t size);

  std::FILE* file_;
  bool ok_ = true;
};

// Reads a replay file one record at a time (the files run to many megabytes).
class ReplayReader {
 public:
  explicit ReplayReader(const std::string& path);
  // The next record; nothing at the end of the file or at a malformed record
  // (then `failed()`), or when the file could not be opened or has no magic.
  std::optional<ReplayRecord> next();
  bool failed() const { return failed_; }

 private:
  std::optional<std::uint32_t> u32();

  std::ifstream in_;
  bool failed_ = false;
};

}  // namespace showsaver::gdi_replay
