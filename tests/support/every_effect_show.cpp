#include "support/every_effect_show.h"

#include <array>
#include <fstream>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "player/show_observer.h"
#include "startup/program_entry.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver::test {
namespace {

constexpr int kEffects = 30;

ShowPackage every_effect_package() {
  PackageBuilder builder(24, 16);
  builder.music("loop.mid", {'M', 'T'});
  for (int code = 0; code < kEffects; ++code) {
    builder
        .scene("p" + std::to_string(code),
               bmp_file(solid_image(code % 3 == 0 ? 8 : 24, 16, 0x102030u * unsigned(code))))
        .display_time(code % 4)
        .effect(code);
    if (code % 3 == 0) builder.at(code % 7, 3).over_previous().transparent();
    if (code % 5 == 0) builder.sound("s" + std::to_string(code) + ".wav", {'R', 'I'});
  }
  return builder.build();
}

class Sampler final : public ShowObserver {
 public:
  Sampler(ScriptedPlatform& scripted, int transitions, int interval,
          const std::function<void(int, ScriptedPlatform&)>& sample)
      : scripted_(scripted), transitions_(transitions), interval_(interval), sample_(sample) {}
  void transition_begins(const TransitionStart& start) override {
    if (start.effect_code >= 0 && start.effect_code < kEffects) ++seen_[start.effect_code];
  }
  void transition_finished() override {
    ++finished_;
    if (finished_ % 100 == 0) {
      scripted_.log.clear();
      scripted_.media.clear_records();
    }
    if (finished_ % interval_ == 0) sample_(finished_, scripted_);
    if (finished_ == transitions_) scripted_.desktop.press_key_now();
  }
  int finished() const { return finished_; }
  int missed() const {
    int never = 0;
    for (const int count : seen_) never += count == 0 ? 1 : 0;
    return never;
  }

 private:
  ScriptedPlatform& scripted_;
  int transitions_;
  int interval_;
  const std::function<void(int, ScriptedPlatform&)>& sample_;
  int finished_ = 0;
  std::array<int, kEffects> seen_{};
};

}  // namespace

EveryEffectShowRun play_every_effect_show(
    int transitions, int interval,
    const std::function<void(int finished, ScriptedPlatform& platform)>& sample) {
  TempDir folder;
  const ByteVector program = program_file_with(every_effect_package());
  std::ofstream(folder.file("show.scr"), std::ios::binary)
      .write(reinterpret_cast<const char*>(program.data()),
             static_cast<std::streamsize>(program.size()));
  PosixFileSystem files;
  files.create_folder(folder.file("windows"));
  ScriptedHostSettings host;
  host.program_path = folder.file("show.scr");
  host.arguments = "/s";
  host.extraction_parent = folder.file("windows/");
  ScriptedPlatform scripted(files, text_codec(), host);
  scripted.media.set_music_length_ms(5'000);
  scripted.desktop.set_screen_size({64, 48});
  Sampler sampler(scripted, transitions, interval, sample);
  run_program(scripted.platform, &sampler);
  return {sampler.finished(), sampler.missed(), scripted.desktop.message_boxes().size(),
          !list_folder(folder.file("windows")).empty()};
}

}  // namespace showsaver::test
