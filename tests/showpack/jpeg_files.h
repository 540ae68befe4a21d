// JPEG files written with the JPEG library itself, for the tests of the
// import that reads them through another.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace showsaver::test {

struct JpegLayout {
  int width = 0;
  int height = 0;
  int components = 3;  // 3: RGB samples, 1: grey
  int quality = 75;
  std::span<const std::uint8_t> exif = {};  // the APP1 marker's bytes, when any
};

// The file, its rows filled one at a time by `fill_row(y, samples)`, so that
// no picture of its size is held.
std::vector<std::uint8_t> write_jpeg(const JpegLayout& layout,
                                     const std::function<void(int, std::uint8_t*)>& fill_row);

}  // namespace showsaver::test
