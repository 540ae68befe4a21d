#include "picture_area.h"

namespace showsaver::showpack {

std::optional<std::string> picture_area_problem(Size area) {
  const std::int64_t pixels = std::int64_t(area.width) * area.height;
  if (pixels <= kMaxAreaPixels) return std::nullopt;
  constexpr std::int64_t kSurfaceBytesPerPixel = 4 * 4;  // four surfaces of 4 bytes
  const std::int64_t mebibytes = (pixels * kSurfaceBytesPerPixel + (1 << 20) - 1) >> 20;
  return "the picture area " + std::to_string(area.width) + "x" + std::to_string(area.height) +
         " has " + std::to_string(pixels) + " pixels; at most " + std::to_string(kMaxAreaPixels) +
         " (such as 8192x8192 or 7680x4320) are allowed, as the player keeps four surfaces of "
         "the area and these would take " +
         std::to_string(mebibytes) + " MiB of memory";
}

}  // namespace showsaver::showpack
