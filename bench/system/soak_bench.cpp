// A long run: every effect, sprites, music and sounds, in virtual time.  The
// player's memory and its live drawing objects stay flat.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "platform/scripted/scripted_platform.h"
#include "player/show_observer.h"
#include "startup/program_entry.h"
#include "support/counting_file_system.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kTransitions = 10'000;  // the sanitizers' bookkeeping is slow
#else
constexpr int kTransitions = 100'000;
#endif
constexpr int kSamples = 10;

std::size_t resident_bytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  std::size_t resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

class Sampler final : public ShowObserver {
 public:
  Sampler(ScriptedPlatform& scripted, test::CountingFileSystem& files)
      : scripted_(scripted), files_(files) {}
  void transition_begins(const TransitionStart& start) override {
    if (start.effect_code >= 0 && start.effect_code < 30) ++effects_seen_[start.effect_code];
  }
  void transition_finished() override {
    ++finished_;
    if (finished_ % 100 == 0) {
      // The double's own records would grow without end: only the player's
      // memory is measured.
      scripted_.log.clear();
      scripted_.media.clear_records();
      std::vector<std::string>().swap(files_.reads);
    }
    if (finished_ % (kTransitions / kSamples) == 0) {
      resident.push_back(resident_bytes());
      live_objects.push_back(scripted_.gdi.live_object_count());
    }
    if (finished_ == kTransitions) scripted_.desktop.press_key_now();
  }
  int finished() const { return finished_; }
  int effects_seen(int code) const { return effects_seen_[code]; }

  std::vector<std::size_t> resident;
  std::vector<std::size_t> live_objects;

 private:
  ScriptedPlatform& scripted_;
  test::CountingFileSystem& files_;
  int finished_ = 0;
  int effects_seen_[30] = {};
};

TEST(Soak, MemoryAndDrawingObjectsStayFlat) {
  test::PackageBuilder builder(24, 16);
  builder.music("loop.mid", {'M', 'T'});
  for (int code = 0; code < 30; ++code) {
    const std::string name = "p" + std::to_string(code);
    builder
        .scene(name, test::bmp_file(test::solid_image(code % 3 == 0 ? 8 : 24, 16,
                                                      0x102030u * static_cast<unsigned>(code))))
        .display_time(code % 4)
        .effect(code);
    if (code % 3 == 0) builder.at(code % 7, 3).over_previous().transparent();
    if (code % 5 == 0) builder.sound("s" + std::to_string(code) + ".wav", {'R', 'I'});
  }
  test::TempDir folder;
  const test::ByteVector program = test::program_file_with(builder.build());
  std::ofstream(folder.file("show.scr"), std::ios::binary)
      .write(reinterpret_cast<const char*>(program.data()),
             static_cast<std::streamsize>(program.size()));
  test::CountingFileSystem files;
  ASSERT_EQ(files.create_folder(folder.file("windows")), CreateFolderResult::Created);
  ScriptedHostSettings host;
  host.program_path = folder.file("show.scr");
  host.arguments = "/s";
  host.extraction_parent = folder.file("windows/");
  ScriptedPlatform scripted(files, test::text_codec(), host);
  scripted.media.set_music_length_ms(5'000);
  scripted.desktop.set_screen_size({64, 48});
  Sampler sampler(scripted, files);
  run_program(scripted.platform, &sampler);

  EXPECT_TRUE(scripted.desktop.message_boxes().empty());
  ASSERT_EQ(sampler.finished(), kTransitions);
  for (int code = 0; code < 30; ++code) EXPECT_GT(sampler.effects_seen(code), 0) << code;
  ASSERT_EQ(sampler.resident.size(), static_cast<std::size_t>(kSamples));
  std::cout << "resident memory " << sampler.resident.front() / 1024 << " KiB after "
            << kTransitions / kSamples << " transitions, " << sampler.resident.back() / 1024
            << " KiB after " << kTransitions << "; live drawing objects "
            << sampler.live_objects.front() << " and " << sampler.live_objects.back() << "\n";
  for (const std::size_t bytes : sampler.resident) std::cout << bytes / 1024 << " ";
  std::cout << "KiB\n";
  for (std::size_t sample = 1; sample < sampler.live_objects.size(); ++sample) {
    EXPECT_EQ(sampler.live_objects[sample], sampler.live_objects[0]) << sample;
  }
#if !defined(__SANITIZE_ADDRESS__)
  // Flat: no growth from the second sample on beyond allocator noise.  (Under
  // AddressSanitizer freed memory waits in its quarantine, and the leak
  // checker answers this question instead.)
  EXPECT_LT(sampler.resident.back(), sampler.resident[1] + 2 * 1024 * 1024);
#endif
  EXPECT_TRUE(test::list_folder(folder.file("windows")).empty());
}

}  // namespace
}  // namespace showsaver
