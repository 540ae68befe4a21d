// The frame machinery every transition shares: the opening copy, the frame
// loops with their pacing wait and stop test, and the final frame.  An effect
// supplies its set-up and the drawing of one frame; everything else is here.
#pragma once

#include <cstdint>
#include <functional>

#include "common/drawing_surface.h"
#include "effects/run_effect.h"

namespace showsaver {

// The end and step of a floating loop, both held in single precision.
struct FloatingLoop {
  float end = 0.0f;
  float step = 0.0f;
};

// Stores `end` and `step` (each one double-precision value) in single precision.
FloatingLoop loop_bounds(double end, double step);

// One run of one effect on its three surfaces.
class Transition {
 public:
  // Draws a frame; `i` is the loop variable of a floating loop (its
  // single-precision value, widened so expressions with it stay in double).
  using FloatingFrame = std::function<void(double i)>;
  // Draws (or follows) frame `k` of a counted loop.
  using CountedFrame = std::function<void(std::int32_t k)>;

  Transition(DrawingSurface& destination, DrawingSurface& outgoing, DrawingSurface& incoming,
             EffectEnvironment& environment);

  // The destination's size, stored in single precision and widened.
  double W() const { return width_; }
  double H() const { return height_; }
  // round(W) and round(H): the whole-picture extent of a copy.
  std::int32_t whole_width() const;
  std::int32_t whole_height() const;

  DrawingSurface& outgoing() { return outgoing_; }
  DrawingSurface& incoming() { return incoming_; }
  EffectRandom& random() { return environment_.random; }

  // BitBlt with SRCCOPY from `source` into the destination.
  void copy(const DrawingSurface& source, std::int32_t x, std::int32_t y, std::int32_t width,
            std::int32_t height, std::int32_t source_x, std::int32_t source_y);
  // StretchBlt with SRCCOPY of the whole `source` picture into the rectangle.
  void scale(const DrawingSurface& source, std::int32_t x, std::int32_t y, std::int32_t width,
             std::int32_t height);
  // Covers every pixel of the destination with black (not the show's colour).
  void fill_black();

  // Frames k = 0 to `frames` - 1.  `after_refresh` runs between the refresh
  // and the wait, for effects that move their values there.  Returns when the
  // frames are done or a stop was seen in a wait.
  void counted_loop(std::int32_t frame_period, std::int32_t frames, const CountedFrame& draw,
                    const CountedFrame& after_refresh = {});
  // Frames for i = 0, i + S, ... while i has not passed the end (i <= E for a
  // step of 0 or more, i >= E for a negative one); i advances after each
  // frame's wait.  A step of exactly 0 would repeat the first frame until a
  // stop, so it advances by one pixel instead and the transition ends after
  // the frames of a one-pixel step.  Returns at the end or on a stop.
  void floating_loop(std::int32_t frame_period, FloatingLoop loop, const FloatingFrame& draw);

  void opening_copy();
  void final_frame();
  void refresh_destination() { destination_.refresh(); }

 private:
  // Takes the frame's deadline before the drawing, draws, refreshes, waits.
  // Returns true when the wait saw a stop.
  template <typename Draw, typename AfterRefresh>
  bool run_frame(std::int32_t frame_period, Draw&& draw, AfterRefresh&& after_refresh);

  DrawingSurface& destination_;
  DrawingSurface& outgoing_;
  DrawingSurface& incoming_;
  EffectEnvironment& environment_;
  double width_;
  double height_;
};

}  // namespace showsaver
