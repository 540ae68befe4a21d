#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

namespace showsaver::bench {

PixelImage noise(Size size, std::uint32_t seed, std::uint32_t transparent_every,
                 std::uint32_t transparent) {
  PixelImage image{size.width, size.height, {}};
  image.pixels.resize(size.pixels());
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
  const auto start = std::chrono::steady_clock::now();
  while (bytes > 0) {
    const std::size_t piece = std::min(bytes, capacity);
    std::memcpy(to_.data(), from_.data(), piece);
    benchmark::ClobberMemory();
    bytes -= piece;
  }
  benchmark::DoNotOptimize(to_.data());
  return seconds_since(start);
}

}  // namespace showsaver::bench
