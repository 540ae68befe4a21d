#include "show_recording.h"

#include <algorithm>
#include <optional>

#include "package/package_reader.h"
#include "platform/posix/posix_file_system.h"
#include "platform/scripted/scripted_platform.h"
#include "player/show_observer.h"
#include "showpack/text_codec.h"
#include "startup/program_entry.h"

namespace showsaver::studio {
namespace {

class SceneTracker final : public ShowObserver {
 public:
  SceneTracker(ScriptedDesktop& desktop, int limit, const StillSink& still)
      : desktop_(desktop), limit_(limit), still_(still) {}

  void transition_begins(const TransitionStart& start) override {
    scene = start.incoming_scene;
    in_transition = true;
  }
  void transition_finished() override {
    in_transition = false;
    if (still_) still_();
    if (++finished_ == limit_) desktop_.press_key_now();
  }

  std::int32_t scene = 0;
  bool in_transition = false;

 private:
  ScriptedDesktop& desktop_;
  int limit_;
  const StillSink& still_;
  int finished_ = 0;
};

}  // namespace

std::string record_show(const RecordingRequest& request, const FrameSink& sink,
                        const StillSink& still) {
  PosixFileSystem files;
  const auto file = files.map_file(request.program_path);
  PackageReadResult read = read_show_package(file, showpack::text_codec());
  if (read.error) return "malformed show package: " + read.error->message();

  ScriptedHostSettings host;
  host.program_path = request.program_path;
  host.extraction_parent = "/tmp/";
  ScriptedPlatform scripted(files, showpack::text_codec(), host, request.start_tick);
  scripted.desktop.set_screen_size(request.screen);
  scripted.desktop.set_cursor_position({request.screen.width / 2, request.screen.height / 2});
  SceneTracker tracker(scripted.desktop, std::max(1, request.transitions), still);
  bool ended = false;
  scripted.desktop.on_refresh([&](const PixelImage& image) {
    if (ended) return;
    const RecordedFrame frame{image, scripted.clock.elapsed(), tracker.scene,
                              tracker.in_transition};
    if (!sink(frame)) {
      ended = true;
      scripted.desktop.press_key_now();
    }
  });

  RunState state;
  state.Package = std::move(read.package);
  state.ProgramPackagePath = request.program_path;
  state.BgmEnabled = -1;
  state.SoundEnabled = -1;
  run_show_mode(scripted.platform, state, &tracker);
  if (still && !ended) still();
  for (const RecordedMessageBox& box : scripted.desktop.message_boxes()) return box.text;
  return {};
}

}  // namespace showsaver::studio
