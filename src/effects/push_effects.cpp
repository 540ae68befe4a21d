// Pushes: the incoming picture slides in at its own size while the outgoing
// picture slides out on the other side by the same distance.
#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kPushFramePeriod = 40;

}  // namespace

void PushFromLeft(Transition& transition) {
  const double W = transition.W();
  const std::int32_t height = transition.whole_height();
  const FloatingLoop loop = loop_bounds(W, W / 20.0);
  transition.floating_loop(kPushFramePeriod, loop, [&](double i) {
    transition.copy(transition.outgoing(), round_half_even(i), 0, round_half_even(W - i), height, 0,
                    0);
    transition.copy(transition.incoming(), 0, 0, round_half_even(i + 1.0), height,
                    round_half_even(W - i), 0);
  });
}

void PushFromTop(Transition& transition) {
  const double H = transition.H();
  const std::int32_t width = transition.whole_width();
  const FloatingLoop loop = loop_bounds(H, H / 20.0);
  transition.floating_loop(kPushFramePeriod, loop, [&](double i) {
    transition.copy(transition.outgoing(), 0, round_half_even(i), width, round_half_even(H - i), 0,
                    0);
    transition.copy(transition.incoming(), 0, 0, width, round_half_even(i + 1.0), 0,
                    round_half_even(H - i));
  });
}

void PushFromRight(Transition& transition) {
  const double W = transition.W();
  const std::int32_t height = transition.whole_height();
  const FloatingLoop loop = loop_bounds(W - 1.0, (W - 1.0) / 20.0);
  transition.floating_loop(kPushFramePeriod, loop, [&](double i) {
    const std::int32_t edge = round_half_even(W - i);
    transition.copy(transition.outgoing(), 0, 0, edge, height, round_half_even(i), 0);
    transition.copy(transition.incoming(), edge, 0, round_half_even(i), height, 0, 0);
  });
}

void PushFromBottom(Transition& transition) {
  const double H = transition.H();
  const std::int32_t width = transition.whole_width();
  const FloatingLoop loop = loop_bounds(H - 1.0, (H - 1.0) / 20.0);
  transition.floating_loop(kPushFramePeriod, loop, [&](double i) {
    const std::int32_t edge = round_half_even(H - 1.0 - i);
    transition.copy(transition.outgoing(), 0, 0, width, edge, 0, round_half_even(i));
    transition.copy(transition.incoming(), 0, edge, width, round_half_even(i), 0, 0);
  });
}

}  // namespace showsaver::transitions
