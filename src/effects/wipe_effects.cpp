// Wipes: a straight edge sweeps across the destination and uncovers the
// incoming picture in place behind it.
#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kWipeFramePeriod = 50;

// Copies the incoming picture's rectangle to the same place.
void uncover(Transition& transition, std::int32_t x, std::int32_t y, std::int32_t width,
             std::int32_t height) {
  transition.copy(transition.incoming(), x, y, width, height, x, y);
}

}  // namespace

void WipeFromLeft(Transition& transition) {
  const double W = transition.W();
  const std::int32_t height = transition.whole_height();
  const FloatingLoop loop = loop_bounds(W, W / 20.0);
  transition.floating_loop(kWipeFramePeriod, loop, [&](double i) {
    uncover(transition, 0, 0, round_half_even(i + 1.0), height);
  });
}

void WipeFromTop(Transition& transition) {
  const double H = transition.H();
  const std::int32_t width = transition.whole_width();
  const FloatingLoop loop = loop_bounds(H - 1.0, (H - 1.0) / 20.0);
  transition.floating_loop(kWipeFramePeriod, loop,
                           [&](double i) { uncover(transition, 0, 0, width, round_half_even(i)); });
}

void WipeFromRight(Transition& transition) {
  const double W = transition.W();
  const std::int32_t height = transition.whole_height();
  const FloatingLoop loop = loop_bounds(W, W / 20.0);
  transition.floating_loop(kWipeFramePeriod, loop, [&](double i) {
    uncover(transition, round_half_even(W - i), 0, round_half_even(i), height);
  });
}

void WipeFromBottom(Transition& transition) {
  const double H = transition.H();
  const std::int32_t width = transition.whole_width();
  const FloatingLoop loop = loop_bounds(H - 1.0, (H - 1.0) / 20.0);
  transition.floating_loop(kWipeFramePeriod, loop, [&](double i) {
    uncover(transition, 0, round_half_even(H - 1.0 - i), width, round_half_even(i));
  });
}

}  // namespace showsaver::transitions
