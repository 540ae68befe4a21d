#include "paged_frames.h"

namespace showsaver::studio {
namespace {

using emscripten::val;

// A display's refresh: the page gets a frame a refresh of show time at most.
constexpr double kRefreshMs = 1000.0 / 60;

}  // namespace

val canvas_pixels(const std::vector<std::uint32_t>& pixels, std::vector<std::uint32_t>& rgba) {
  // A canvas takes the bytes red, green, blue, alpha: on this little-endian
  // machine the word 0xAABBGGRR, one store a pixel.
  rgba.resize(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint32_t pixel = pixels[i];
    rgba[i] = 0xFF000000u | (pixel & 0x00FF00u) | (pixel >> 16 & 0xFFu) | (pixel & 0xFFu) << 16;
  }
  return val(emscripten::typed_memory_view(rgba.size() * 4,
                                           reinterpret_cast<const std::uint8_t*>(rgba.data())));
}

PagedFrames::PagedFrames(const val& on_frame) : on_frame_(on_frame), pacing_(kRefreshMs) {}

bool PagedFrames::frame(const RecordedFrame& frame) {
  const HeldFrame about{frame.show_time, frame.scene, frame.in_transition};
  const PixelImage& image = frame.image;
  const FramePacing::Decision decision = pacing_.frame_drawn(frame.show_time);
  if (decision.show_held_first &&
      !hand_over(held_.pixels, held_.width, held_.height, held_frame_)) {
    return false;
  }
  if (decision.action == FramePacing::Action::Hold) {
    held_.width = image.width;
    held_.height = image.height;
    held_.pixels.assign(image.pixels.begin(), image.pixels.end());
    held_frame_ = about;
    return true;
  }
  return hand_over(image.pixels, image.width, image.height, about);
}

void PagedFrames::picture_stays() {
  if (pacing_.picture_stays()) {
    hand_over(held_.pixels, held_.width, held_.height, held_frame_);
  }
}

bool PagedFrames::hand_over(const std::vector<std::uint32_t>& pixels, int width, int height,
                            const HeldFrame& about) {
  const val view = canvas_pixels(pixels, rgba_);
  return on_frame_(view, width, height, double(about.show_time), about.scene, about.in_transition)
      .as<bool>();
}

}  // namespace showsaver::studio
