// Effects that scale whole pictures towards and away from a centre line
// (pinch, flip) or against the right edge (squeeze from the left).
#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kPinchFramePeriod = 20;
constexpr std::int32_t kPinchFrames = 20;
constexpr std::int32_t kPinchLastOutgoingFrame = 10;
constexpr std::int32_t kFlipFramePeriod = 10;
constexpr std::int32_t kFlipFrames = 40;
constexpr std::int32_t kFlipLastOutgoingFrame = 20;
constexpr std::int32_t kFlipLastWideningFrame = 10;
constexpr std::int32_t kFlipLastIncomingWideningFrame = 30;
constexpr std::int32_t kSqueezeFramePeriod = 25;
constexpr std::int32_t kSqueezeFrames = 21;

// The running offset m from each side: every change is one double-precision
// sum with the single-precision step, rounded once.
class Offset {
 public:
  explicit Offset(double extent) : step_(to_single(extent / 20.0)) {}
  void grow() { value_ = round_half_even(value_ + step_); }
  void shrink() { value_ = round_half_even(value_ - step_); }
  std::int32_t value() const { return value_; }

 private:
  double step_;
  std::int32_t value_ = 0;
};

// Scales `source` between m and extent - m along one axis; a negative size
// draws it mirrored.
void scale_centred(Transition& transition, const DrawingSurface& source, bool horizontal,
                   std::int32_t m) {
  if (horizontal) {
    const std::int32_t width = round_half_even(transition.W() - checked_mul(2, m));
    transition.scale(source, m, 0, width, transition.whole_height());
  } else {
    const std::int32_t height = round_half_even(transition.H() - checked_mul(2, m));
    transition.scale(source, 0, m, transition.whole_width(), height);
  }
}

void pinch(Transition& transition, bool horizontal) {
  Offset m(horizontal ? transition.W() : transition.H());
  transition.counted_loop(kPinchFramePeriod, kPinchFrames, [&](std::int32_t k) {
    if (k <= kPinchLastOutgoingFrame) {
      transition.fill_black();
      scale_centred(transition, transition.outgoing(), horizontal, m.value());
      m.grow();
    } else {
      m.shrink();
      scale_centred(transition, transition.incoming(), horizontal, m.value());
    }
  });
}

// Nothing is cleared: while a copy narrows, the wider copies drawn before it
// stay visible at the sides.
void flip(Transition& transition, bool horizontal) {
  Offset m(horizontal ? transition.W() : transition.H());
  transition.counted_loop(kFlipFramePeriod, kFlipFrames, [&](std::int32_t k) {
    if (k <= kFlipLastOutgoingFrame) {
      scale_centred(transition, transition.outgoing(), horizontal, m.value());
      if (k <= kFlipLastWideningFrame) {
        m.grow();
      } else {
        m.shrink();
      }
    } else {
      if (k <= kFlipLastIncomingWideningFrame) {
        m.grow();
      } else {
        m.shrink();
      }
      scale_centred(transition, transition.incoming(), horizontal, m.value());
    }
  });
}

}  // namespace

void PinchHorizontal(Transition& transition) {
  pinch(transition, true);
}

void PinchVertical(Transition& transition) {
  pinch(transition, false);
}

void FlipHorizontal(Transition& transition) {
  flip(transition, true);
}

void FlipVertical(Transition& transition) {
  flip(transition, false);
}

void SqueezeFromLeft(Transition& transition) {
  Offset m(transition.W());
  const std::int32_t height = transition.whole_height();
  transition.counted_loop(kSqueezeFramePeriod, kSqueezeFrames, [&](std::int32_t) {
    transition.scale(transition.outgoing(), m.value(), 0,
                     round_half_even(transition.W() - m.value()), height);
    transition.scale(transition.incoming(), 0, 0, m.value(), height);
    m.grow();
  });
}

}  // namespace showsaver::transitions
