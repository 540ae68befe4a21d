#include "headless/headless_player.h"

#include "headless/fiber.h"
#include "startup/program_entry.h"

namespace showsaver {

ShowEntry show_mode(RunState& state) {
  return [&state](Platform& platform, ShowObserver& observer) {
    run_show_mode(platform, state, &observer);
  };
}

HeadlessPlayer::HeadlessPlayer(FileSystem& files, const TextCodec& text, HeadlessSettings settings)
    : scripted_(files, text, std::move(settings.host), settings.start_tick),
      transition_limit_(settings.transitions) {
  const Size screen = settings.screen;
  scripted_.desktop.set_screen_size(screen);
  scripted_.desktop.set_cursor_position(
      settings.cursor.value_or(Point{screen.width / 2, screen.height / 2}));
  for (const ScriptedInput& input : settings.inputs) scripted_.desktop.add_input(input);
  scripted_.desktop.on_refresh([this](const PixelImage& image) { frame_drawn(image); });
}

HeadlessPlayer::~HeadlessPlayer() {
  try {
    finish();
  } catch (...) {
    // Nobody is left to hear how a show that was no longer wanted ended.
  }
}

void HeadlessPlayer::play(const ShowEntry& entry) {
  entry(scripted_.platform, *this);
}

void HeadlessPlayer::start(ShowEntry entry) {
  fiber_ = std::make_unique<Fiber>(
      [this, entry = std::move(entry)] { entry(scripted_.platform, *this); });
}

const HeadlessFrame* HeadlessPlayer::advance() {
  if (!fiber_) return nullptr;
  stepped_frame_ = nullptr;
  fiber_->resume();
  return fiber_->finished() ? nullptr : stepped_frame_;
}

void HeadlessPlayer::finish() {
  if (!fiber_ || fiber_->finished()) return;
  stop();
  fiber_->resume();
}

void HeadlessPlayer::stop() {
  if (stopped_) return;
  stopped_ = true;
  scripted_.desktop.press_key_now();
}

void HeadlessPlayer::frame_drawn(const PixelImage& image) {
  if (stopped_) return;
  const HeadlessFrame frame{image, scripted_.clock.elapsed(), scene_, in_transition_};
  if (fiber_) {
    stepped_frame_ = &frame;
    fiber_->suspend();
  } else if (frame_callback_) {
    frame_callback_(frame);
  }
}

void HeadlessPlayer::order_shuffled(std::uint32_t seed) {
  if (observer_) observer_->order_shuffled(seed);
}

void HeadlessPlayer::hold_starting(std::int32_t scene, bool moving) {
  if (observer_) observer_->hold_starting(scene, moving);
}

void HeadlessPlayer::transition_begins(const TransitionStart& start) {
  scene_ = start.incoming_scene;
  in_transition_ = true;
  if (observer_) observer_->transition_begins(start);
}

void HeadlessPlayer::transition_finished() {
  in_transition_ = false;
  ++finished_;
  if (observer_) observer_->transition_finished();
  if (transition_limit_ && finished_ == *transition_limit_) scripted_.desktop.press_key_now();
}

}  // namespace showsaver
