#include "effects/transition.h"

#include "common/message_wait.h"
#include "common/show_math.h"

namespace showsaver {
namespace {

// A zero step never reaches the loop's end; one pixel does.
float effective_step(float step) {
  return step == 0.0f ? 1.0f : step;
}

}  // namespace

FloatingLoop loop_bounds(double end, double step) {
  return FloatingLoop{to_single(end), to_single(step)};
}

Transition::Transition(DrawingSurface& destination, DrawingSurface& outgoing,
                       DrawingSurface& incoming, EffectEnvironment& environment)
    : destination_(destination),
      outgoing_(outgoing),
      incoming_(incoming),
      environment_(environment),
      width_(to_single(destination.width())),
      height_(to_single(destination.height())) {}

std::int32_t Transition::whole_width() const {
  return round_half_even(width_);
}

std::int32_t Transition::whole_height() const {
  return round_half_even(height_);
}

void Transition::copy(const DrawingSurface& source, std::int32_t x, std::int32_t y,
                      std::int32_t width, std::int32_t height, std::int32_t source_x,
                      std::int32_t source_y) {
  environment_.gdi.BitBlt(destination_.dc(), x, y, width, height, source.dc(), source_x, source_y,
                          rop::SRCCOPY);
}

void Transition::scale(const DrawingSurface& source, std::int32_t x, std::int32_t y,
                       std::int32_t width, std::int32_t height) {
  environment_.gdi.StretchBlt(destination_.dc(), x, y, width, height, source.dc(), 0, 0,
                              whole_width(), whole_height(), rop::SRCCOPY);
}

void Transition::fill_black() {
  destination_.filled_box(-1, -1, whole_width(), whole_height(), rgb(0, 0, 0));
}

void Transition::opening_copy() {
  copy(outgoing_, 0, 0, whole_width(), whole_height(), 0, 0);
}

void Transition::final_frame() {
  copy(incoming_, 0, 0, whole_width(), whole_height(), 0, 0);
}

template <typename Draw, typename AfterRefresh>
bool Transition::run_frame(std::int32_t frame_period, Draw&& draw, AfterRefresh&& after_refresh) {
  MessageLoop& loop = environment_.loop;
  // The period counts from before the drawing.  The wait measures time from
  // this tick, so a frame taken as the counter changes sign waits its period
  // like any other instead of failing or waiting for ever.
  const std::int32_t start = loop.tick_count();
  draw();
  destination_.refresh();
  after_refresh();
  return wait_with_messages(loop, start, frame_period, environment_.StopRequested);
}

void Transition::counted_loop(std::int32_t frame_period, std::int32_t frames,
                              const CountedFrame& draw, const CountedFrame& after_refresh) {
  for (std::int32_t k = 0; k < frames; ++k) {
    const auto follow = [&] {
      if (after_refresh) after_refresh(k);
    };
    const auto draw_frame = [&] { draw(k); };
    const bool stopped = run_frame(frame_period, draw_frame, follow);
    if (stopped) return;
  }
}

void Transition::floating_loop(std::int32_t frame_period, FloatingLoop loop,
                               const FloatingFrame& draw) {
  const float step = effective_step(loop.step);
  float i = 0.0f;
  const auto nothing_after_refresh = [] {};
  while (step >= 0.0f ? i <= loop.end : i >= loop.end) {
    const auto draw_frame = [&] { draw(i); };
    const bool stopped = run_frame(frame_period, draw_frame, nothing_after_refresh);
    if (stopped) return;
    i = to_single(static_cast<double>(i) + step);
  }
}

}  // namespace showsaver
