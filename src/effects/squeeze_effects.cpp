// Squeezes from the top, right and bottom: the whole incoming picture, scaled
// into a band that thickens from one edge, squeezes the whole outgoing picture
// against the opposite edge.
#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kSqueezeFramePeriod = 25;
constexpr std::int32_t kSqueezeFrames = 21;

// Runs the frames with the band thickness d; `draw` scales both pictures.
template <typename Draw>
void squeeze(Transition& transition, double band_axis_length, Draw&& draw) {
  const double s = to_single(band_axis_length / 20.0);
  std::int32_t d = 0;
  transition.counted_loop(kSqueezeFramePeriod, kSqueezeFrames, [&](std::int32_t) {
    draw(d);
    d = round_half_even(s + d);
  });
}

}  // namespace

void SqueezeFromTop(Transition& transition) {
  const std::int32_t width = transition.whole_width();
  squeeze(transition, transition.H(), [&](std::int32_t d) {
    transition.scale(transition.outgoing(), 0, d, width, round_half_even(transition.H() - d));
    transition.scale(transition.incoming(), 0, 0, width, d);
  });
}

void SqueezeFromRight(Transition& transition) {
  const std::int32_t height = transition.whole_height();
  squeeze(transition, transition.W(), [&](std::int32_t d) {
    const std::int32_t edge = round_half_even(transition.W() - d);
    transition.scale(transition.outgoing(), 0, 0, edge, height);
    transition.scale(transition.incoming(), edge, 0, d, height);
  });
}

void SqueezeFromBottom(Transition& transition) {
  const std::int32_t width = transition.whole_width();
  squeeze(transition, transition.H(), [&](std::int32_t d) {
    const std::int32_t edge = round_half_even(transition.H() - d);
    transition.scale(transition.outgoing(), 0, 0, width, edge);
    transition.scale(transition.incoming(), 0, edge, width, d);
  });
}

}  // namespace showsaver::transitions
