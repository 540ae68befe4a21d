// Effects that open the picture from its centre: the two splits and the box.
#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kSplitFramePeriod = 50;
constexpr std::int32_t kBoxFramePeriod = 40;
constexpr std::int32_t kBoxFrames = 20;

// The outgoing picture's halves move apart by i along one axis while the
// incoming picture shows in place in the widening gap.  `draw_copies` gets the
// half size d and the loop variable i.
template <typename DrawCopies>
void split_apart(Transition& transition, double extent, DrawCopies&& draw_copies) {
  const std::int32_t d = round_half_even(extent / 2.0);
  const FloatingLoop loop = loop_bounds(d, d / 20.0);
  transition.floating_loop(kSplitFramePeriod, loop, [&](double i) { draw_copies(d, i); });
}

}  // namespace

void SplitApartHorizontal(Transition& transition) {
  const std::int32_t height = transition.whole_height();
  split_apart(transition, transition.W(), [&](std::int32_t d, double i) {
    const std::int32_t half = round_half_even(d - i);
    transition.copy(transition.outgoing(), 0, 0, half, height, round_half_even(i), 0);
    transition.copy(transition.outgoing(), round_half_even(i + d), 0, half, height, d, 0);
    transition.copy(transition.incoming(), half, 0, round_half_even(2.0 * i), height, half, 0);
  });
}

void SplitApartVertical(Transition& transition) {
  const std::int32_t width = transition.whole_width();
  split_apart(transition, transition.H(), [&](std::int32_t d, double i) {
    const std::int32_t half = round_half_even(d - i);
    transition.copy(transition.outgoing(), 0, 0, width, half, 0, round_half_even(i));
    transition.copy(transition.outgoing(), 0, round_half_even(i + d), width, half, 0, d);
    transition.copy(transition.incoming(), 0, half, width, round_half_even(2.0 * i), 0, half);
  });
}

void BoxOut(Transition& transition) {
  const std::int32_t cx = round_half_even(transition.W() / 2.0);
  const std::int32_t cy = round_half_even(transition.H() / 2.0);
  const double sx = to_single(transition.W() / 20.0 / 2.0);
  const double sy = to_single(transition.H() / 20.0 / 2.0);
  std::int32_t x = cx;
  std::int32_t y = cy;
  transition.counted_loop(
      kBoxFramePeriod, kBoxFrames,
      [&](std::int32_t) {
        transition.copy(transition.incoming(), x, y, checked_mul(checked_sub(cx, x), 2),
                        checked_mul(checked_sub(cy, y), 2), x, y);
      },
      [&](std::int32_t) {
        x = round_half_even(x - sx);
        y = round_half_even(y - sy);
      });
}

}  // namespace showsaver::transitions
