// The frames of a playing show that the page is to show (frame_pacing.h
// says which), handed over as soon as they are drawn, with their show time:
// `on_frame(rgba, width, height, time, scene, inTransition)` gets each (the
// pixels are valid only during the call), posts it at its time and returns
// false to end the show.
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <vector>

#include "frame_pacing.h"
#include "platform/pixel_image.h"
#include "show_recording.h"

namespace showsaver::studio {

// `pixels` as a canvas takes them, written into `rgba` and seen in place
// (valid while `rgba` is unchanged).
emscripten::val canvas_pixels(const std::vector<std::uint32_t>& pixels,
                              std::vector<std::uint32_t>& rgba);

class PagedFrames {
 public:
  explicit PagedFrames(const emscripten::val& on_frame);

  // A frame the player drew; false: the show is to end.
  bool frame(const RecordedFrame& frame);
  // The picture stays as it is: a frame held back is handed over.
  void picture_stays();

 private:
  struct HeldFrame {
    std::int64_t show_time = 0;
    std::int32_t scene = 0;
    bool in_transition = false;
  };

  bool hand_over(const std::vector<std::uint32_t>& pixels, int width, int height,
                 const HeldFrame& about);

  const emscripten::val& on_frame_;
  FramePacing pacing_;
  PixelImage held_;
  HeldFrame held_frame_;
  std::vector<std::uint32_t> rgba_;
};

}  // namespace showsaver::studio
