// Centre zooms: a whole picture scaled into a rectangle centred on the
// destination that grows out of the centre or shrinks into it.
#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kZoomFramePeriod = 40;
constexpr std::int32_t kZoomFrames = 21;
constexpr std::int32_t kShrinkFramePeriod = 20;
constexpr std::int32_t kShrinkFrames = 41;
constexpr std::int32_t kShrinkLastOutgoingFrame = 20;

// The rectangle centred on (cx, cy) with its top-left corner at (x, y).
class CentredRectangle {
 public:
  CentredRectangle(Transition& transition, bool start_at_centre)
      : transition_(transition),
        cx_(round_half_even(transition.W() / 2.0)),
        cy_(round_half_even(transition.H() / 2.0)),
        ex_(to_single(transition.W() / 20.0 / 2.0)),
        ey_(to_single(transition.H() / 20.0 / 2.0)),
        x_(start_at_centre ? cx_ : 0),
        y_(start_at_centre ? cy_ : 0) {}

  // Scales the whole `source` picture into the rectangle; past the centre the
  // size is negative and the picture is drawn mirrored.
  void scale(const DrawingSurface& source) {
    transition_.scale(source, x_, y_, checked_mul(checked_sub(cx_, x_), 2),
                      checked_mul(checked_sub(cy_, y_), 2));
  }

  void grow() {
    x_ = round_half_even(x_ - ex_);
    y_ = round_half_even(y_ - ey_);
  }

  void shrink() {
    x_ = round_half_even(x_ + ex_);
    y_ = round_half_even(y_ + ey_);
  }

 private:
  Transition& transition_;
  std::int32_t cx_;
  std::int32_t cy_;
  double ex_;
  double ey_;
  std::int32_t x_;
  std::int32_t y_;
};

}  // namespace

void ZoomInFromCentre(Transition& transition) {
  CentredRectangle rectangle(transition, true);
  transition.counted_loop(
      kZoomFramePeriod, kZoomFrames, [&](std::int32_t) { rectangle.scale(transition.incoming()); },
      [&](std::int32_t) { rectangle.grow(); });
}

void ZoomOutToCentre(Transition& transition) {
  CentredRectangle rectangle(transition, false);
  const std::int32_t width = transition.whole_width();
  const std::int32_t height = transition.whole_height();
  transition.counted_loop(
      kZoomFramePeriod, kZoomFrames,
      [&](std::int32_t) {
        // The whole incoming picture underneath, so nothing of a larger
        // earlier rectangle remains.
        transition.copy(transition.incoming(), 0, 0, width, height, 0, 0);
        rectangle.scale(transition.outgoing());
      },
      [&](std::int32_t) { rectangle.shrink(); });
}

void ShrinkThroughBlack(Transition& transition) {
  CentredRectangle rectangle(transition, false);
  transition.counted_loop(kShrinkFramePeriod, kShrinkFrames, [&](std::int32_t k) {
    if (k <= kShrinkLastOutgoingFrame) {
      transition.fill_black();
      rectangle.scale(transition.outgoing());
      rectangle.shrink();
    } else {
      rectangle.grow();
      rectangle.scale(transition.incoming());
    }
  });
}

}  // namespace showsaver::transitions
