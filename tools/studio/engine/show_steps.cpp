// A show's frames one per call, for a worker that waits between them:
// `new engine.ShowSteps(path, width, height, transitions, startTick)`, then
// `advance()` gives `{rgba, width, height, time, scene, inTransition}` (the
// pixels valid until the next call) or null once the show has ended,
// `message()` the message the show ended with, and `delete()` lets it go.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "paged_frames.h"
#include "show_recording.h"

namespace showsaver::studio {
namespace {

using emscripten::val;

class ShowSteps {
 public:
  ShowSteps(const std::string& path, int screen_width, int screen_height, int transitions,
            std::int32_t start_tick)
      : show_({path, {screen_width, screen_height}, transitions, start_tick}) {
    if (show_.error().empty()) show_.player().start(show_.entry());
  }

  val advance() {
    if (!show_.error().empty()) return val::null();
    const HeadlessFrame* frame = show_.player().advance();
    if (frame == nullptr) return val::null();
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
  std::vector<std::uint32_t> rgba_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(studio_show_steps) {
  emscripten::class_<ShowSteps>("ShowSteps")
      .constructor<const std::string&, int, int, int, std::int32_t>()
      .function("advance", &ShowSteps::advance)
      .function("message", &ShowSteps::message);
}

}  // namespace showsaver::studio
