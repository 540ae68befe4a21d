// A show's frames one per call, for a worker that waits between them:
//   const steps = new engine.ShowSteps(path, width, height, transitions, startTick);
//   engine._studio_advance_show(steps.address());
//   steps.frame();  // {rgba, width, height, time, scene, inTransition}, or null at the end
// (the pixels valid until the next advance), `message()` the message the show
// ended with; `engine._studio_end_show(steps.address())` ends a show that is
// still going before `delete()` lets it go.
#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include "paged_frames.h"
#include "show_recording.h"

namespace showsaver::studio {

using emscripten::val;

class ShowSteps {
 public:
  ShowSteps(const std::string& path, int screen_width, int screen_height, int transitions,
            std::int32_t start_tick)
      : show_({path, {screen_width, screen_height}, transitions, start_tick}) {
    if (show_.error().empty()) show_.player().start(show_.entry());
  }

  void advance() { frame_ = show_.error().empty() ? show_.player().advance() : nullptr; }
  void end() {
    frame_ = nullptr;
    if (show_.error().empty()) show_.player().finish();
  }
  double address() const { return double(reinterpret_cast<std::uintptr_t>(this)); }

  val frame() {
    if (frame_ == nullptr) return val::null();
    const HeadlessFrame* frame = frame_;
    val result = val::object();
    result.set("rgba", canvas_pixels(frame->image.pixels, rgba_));
    result.set("width", frame->image.width);
    result.set("height", frame->image.height);
    result.set("time", double(frame->show_time));
    result.set("scene", frame->scene);
    result.set("inTransition", frame->in_transition);
    return result;
  }

  std::string message() { return show_.error().empty() ? show_.message() : show_.error(); }

 private:
  StudioShow show_;
  const HeadlessFrame* frame_ = nullptr;
  std::vector<std::uint32_t> rgba_;
};

// Emscripten's fibers leave the stack through the export JavaScript called
// (embind's calls are not exports), and its value is lost on the way: what
// moves the show is a plain export, and frame() reads what it left.
extern "C" EMSCRIPTEN_KEEPALIVE void studio_advance_show(ShowSteps* steps) {
  steps->advance();
}
extern "C" EMSCRIPTEN_KEEPALIVE void studio_end_show(ShowSteps* steps) {
  steps->end();
}

EMSCRIPTEN_BINDINGS(studio_show_steps) {
  emscripten::class_<ShowSteps>("ShowSteps")
      .constructor<const std::string&, int, int, int, std::int32_t>()
      .function("address", &ShowSteps::address)
      .function("frame", &ShowSteps::frame)
      .function("message", &ShowSteps::message);
}

}  // namespace showsaver::studio
