// Effects in which the incoming picture slides in from one edge over the
// unmoving outgoing picture: a band along the entry edge shows the part of the
// incoming picture that has come in so far.
#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kSlideFramePeriod = 50;

}  // namespace

void SlideInFromLeft(Transition& transition) {
  const double W = transition.W();
  const std::int32_t height = transition.whole_height();
  const FloatingLoop loop = loop_bounds(W, W / 20.0);
  transition.floating_loop(kSlideFramePeriod, loop, [&](double i) {
    // The source reaches one column past the incoming picture's right edge;
    // that column copies nothing.
    transition.copy(transition.incoming(), 0, 0, round_half_even(i + 1.0), height,
                    round_half_even(W - i), 0);
  });
}

void SlideInFromRight(Transition& transition) {
  const double W = transition.W();
  const std::int32_t height = transition.whole_height();
  const FloatingLoop loop = loop_bounds(W - 1.0, (W - 1.0) / 20.0);
  transition.floating_loop(kSlideFramePeriod, loop, [&](double i) {
    const std::int32_t edge = round_half_even(W - i);
    transition.copy(transition.incoming(), edge, 0, round_half_even(i), height, 0, 0);
  });
}

void SlideInFromTop(Transition& transition) {
  const double H = transition.H();
  const std::int32_t width = transition.whole_width();
  const FloatingLoop loop = loop_bounds(H, H / 20.0);
  transition.floating_loop(kSlideFramePeriod, loop, [&](double i) {
    transition.copy(transition.incoming(), 0, 0, width, round_half_even(i + 1.0), 0,
                    round_half_even(H - i));
  });
}

void SlideInFromBottom(Transition& transition) {
  const double H = transition.H();
  const std::int32_t width = transition.whole_width();
  const FloatingLoop loop = loop_bounds(H - 1.0, (H - 1.0) / 20.0);
  transition.floating_loop(kSlideFramePeriod, loop, [&](double i) {
    // Ends one row above the bottom, which keeps the outgoing picture until
    // the final frame.
    transition.copy(transition.incoming(), 0, round_half_even(H - 1.0 - i), width,
                    round_half_even(i), 0, 0);
  });
}

}  // namespace showsaver::transitions
