#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

namespace showsaver::bench {

PixelImage noise(Size size, std::uint32_t seed, std::uint32_t transparent_every,
                 std::uint32_t transparent) {
  PixelImage image{size.width, size.height, {}};
  image.pixels.resize(pixels(size));
  std::uint32_t state = seed;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    image.pixels[i] = (state >> 8) & 0x00FFFFFFu;
    if (transparent_every != 0 && (i / 64) % transparent_every == 0) image.pixels[i] = transparent;
  }
  return image;
}

DcHandle surface(SoftGdi& gdi, const PixelImage& image) {
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(dc, gdi.CreateBitmapFromImage(image));
  return dc;
}

CopyReference::CopyReference(std::size_t capacity)
    : from_((capacity + 3) / 4, 0x00123456u), to_((capacity + 3) / 4, 0u) {}

double CopyReference::time_copy(std::size_t bytes) {
  const std::size_t capacity = from_.size() * 4;
  auto* from = reinterpret_cast<const char*>(from_.data());
  auto* to = reinterpret_cast<char*>(to_.data());
  const auto start = std::chrono::steady_clock::now();
  while (bytes > 0) {
    // Each copy goes on where the last ended, so that a small copy reads and
    // writes bytes as cold as those a frame's drawing meets, not the same
    // few kilobytes over and over.
    if (offset_ >= capacity) offset_ = 0;
    const std::size_t piece = std::min(bytes, capacity - offset_);
    std::memcpy(to + offset_, from + offset_, piece);
    benchmark::ClobberMemory();
    bytes -= piece;
    offset_ += piece;
  }
  benchmark::DoNotOptimize(to_.data());
  return seconds_since(start);
}

}  // namespace showsaver::bench
