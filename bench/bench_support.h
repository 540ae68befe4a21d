// What the drawing benchmarks share: surface sizes, test pictures, surfaces of
// the software GDI, and memcpy as the reference every figure is measured against.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver::bench {

// "WIDTHxHEIGHT", as the figures name a surface.
inline std::string name(Size size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}
inline std::size_t pixels(Size size) {
  return static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
}
// Of a 32-bit surface.
inline std::size_t bytes(Size size) {
  return pixels(size) * 4;
}

// A picture of pseudo-random pixels (fixed seed); with `transparent_every`,
// every that-many-th run of 64 pixels is `transparent`.
PixelImage noise(Size size, std::uint32_t seed = 12345, std::uint32_t transparent_every = 0,
                 std::uint32_t transparent = 0);

// A memory DC with a colour bitmap holding `image` selected.
DcHandle surface(SoftGdi& gdi, const PixelImage& image);

// Two buffers for timing memcpy of up to `capacity` bytes between them.
class CopyReference {
 public:
  explicit CopyReference(std::size_t capacity);
  // Copies `bytes` (in pieces, wrapping round the buffers) and returns the seconds it took.
  double time_copy(std::size_t bytes);

 private:
  std::vector<std::uint32_t> from_;
  std::vector<std::uint32_t> to_;
  std::size_t offset_ = 0;  // where the next copy starts
};

inline double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace showsaver::bench
