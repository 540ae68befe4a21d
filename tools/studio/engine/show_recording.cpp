#include "show_recording.h"

#include <algorithm>

#include "package/package_reader.h"
#include "showpack/text_codec.h"

namespace showsaver::studio {
namespace {

// Tells the still sink when a transition has ended.
class TransitionEnds final : public ShowObserver {
 public:
  explicit TransitionEnds(const StillSink& still) : still_(still) {}
  void transition_finished() override {
    if (still_) still_();
  }

 private:
  const StillSink& still_;
};

}  // namespace

StudioShow::StudioShow(const RecordingRequest& request) {
  PackageReadResult read =
      read_show_package(files_.map_file(request.program_path), showpack::text_codec());
  if (read.error) {
    error_ = "malformed show package: " + read.error->message();
    return;
  }
  state_.Package = std::move(read.package);
  state_.ProgramPackagePath = request.program_path;
  state_.BgmEnabled = -1;
  state_.SoundEnabled = -1;

  HeadlessSettings settings;
  settings.host.program_path = request.program_path;
  settings.host.extraction_parent = "/tmp/";
  settings.screen = request.screen;
  settings.start_tick = request.start_tick;
  settings.transitions = std::max(1, request.transitions);
  player_.emplace(files_, showpack::text_codec(), std::move(settings));
}

std::string StudioShow::message() {
  for (const RecordedMessageBox& box : player_->scripted().desktop.message_boxes()) {
    return box.text;
  }
  return {};
}

std::string record_show(const RecordingRequest& request, const FrameSink& sink,
                        const StillSink& still) {
  StudioShow show(request);
  if (!show.error().empty()) return show.error();
  HeadlessPlayer& player = show.player();
  TransitionEnds transition_ends(still);
  player.set_observer(&transition_ends);
  bool ended = false;
  player.on_frame([&](const HeadlessFrame& frame) {
    if (!sink(frame)) {
      ended = true;
      player.stop();
    }
  });
  player.play(show.entry());
  if (still && !ended) still();
  return show.message();
}

}  // namespace showsaver::studio
