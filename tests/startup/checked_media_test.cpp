// The check every WAV sound and WAV music passes before the Windows player
// hands it to the system: what is not sound never reaches the backend, and
// everything else reaches it as it was sent.
#include "startup/checked_media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/posix/posix_file_system.h"
#include "platform/scripted/scripted_platform.h"
#include "support/counting_file_system.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"
#include "support/wav_files.h"

namespace showsaver {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr unsigned kCueFlags = snd::FILENAME | snd::NODEFAULT | snd::ASYNC;

class CheckedMediaTest : public testing::Test {
 protected:
  std::string write(const std::string& name, const Bytes& bytes) {
    std::ofstream(folder.file(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return folder.file(name);
  }

  bool logged_about(const std::string& path) const {
    for (const std::string& line : scripted.host.logged()) {
      if (line.find(path) != std::string::npos) return true;
    }
    return false;
  }

  test::TempDir folder;
  PosixFileSystem files;
  ScriptedPlatform scripted{files, test::text_codec()};
  CheckedMedia media{scripted.media, files, scripted.host};
};

TEST_F(CheckedMediaTest, ASoundReachesThePlayerOnlyWhenItsStructureHolds) {
  const Bytes mp3{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0};
  const struct {
    const char* name;
    std::optional<Bytes> bytes;  // nothing: no such file
    bool reaches;
  } cases[] = {
      {"good.wav", test::sine_wav(0.1), true},
      {"lying.wav", test::lying_wav(), false},
      {"cut.wav", test::truncated_wav(), false},
      {"zero-block.wav", test::zero_block_wav(), false},
      // Not WAV, or not there: the system's player says what it makes of them.
      {"cue.mp3", mp3, true},
      {"lying.mp3", test::lying_wav(), false},  // the bytes decide, not the name
      {"missing.wav", std::nullopt, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = c.bytes ? write(c.name, *c.bytes) : folder.file(c.name);
    scripted.media.clear_records();
    const bool played = media.play_sound(&path, kCueFlags);
    ASSERT_EQ(scripted.media.sounds().size(), 1u);
    const RecordedSound& reached = scripted.media.sounds().front();
    if (c.reaches) {
      EXPECT_EQ(reached.path, path);
      EXPECT_EQ(reached.flags, kCueFlags);
      EXPECT_FALSE(logged_about(path));
    } else {
      EXPECT_FALSE(played);
      EXPECT_EQ(reached.path, std::nullopt) << "only the sound playing is stopped";
      EXPECT_TRUE(logged_about(path));
    }
  }
  // Stopping the sounds is never held back.
  scripted.media.clear_records();
  media.play_sound(nullptr, snd::PURGE);
  ASSERT_EQ(scripted.media.sounds().size(), 1u);
  EXPECT_EQ(scripted.media.sounds().front().flags, snd::PURGE);
}

TEST_F(CheckedMediaTest, WavMusicThatDoesNotHoldIsNeverOpened) {
  const std::string lying = write("music.wav", test::lying_wav());
  std::string reply = "left over";
  EXPECT_EQ(media.send_media_command("open \"" + lying + "\" alias bgm", reply, 128),
            media_error::kInvalidFile);
  EXPECT_EQ(reply, "");
  EXPECT_TRUE(scripted.media.commands().empty());
  EXPECT_TRUE(logged_about(lying));

  // MIDI under another name, sound WAV, and the other commands go through.
  const std::string midi = write("tune.mp3", test::one_note_midi());
  for (const std::string& command :
       {"open \"" + midi + "\" alias bgm", std::string("play bgm"), std::string("status bgm mode"),
        std::string("close bgm"),
        "open \"" + write("music2.wav", test::sine_wav(0.1)) + "\" alias bgm"}) {
    scripted.media.clear_records();
    EXPECT_EQ(media.send_media_command(command, reply, 128), 0u) << command;
    EXPECT_EQ(scripted.media.commands(), std::vector<std::string>{command});
  }
}

// A cue plays at every round of the show: its file is read once, and an
// unsound one is logged once.
TEST_F(CheckedMediaTest, EachFileIsJudgedOnce) {
  test::CountingFileSystem counting;
  CheckedMedia checked{scripted.media, counting, scripted.host};
  const std::string good = write("good.wav", test::sine_wav(0.1));
  const std::string lying = write("lying.wav", test::lying_wav());
  for (int round = 0; round < 3; ++round) {
    EXPECT_TRUE(checked.play_sound(&good, kCueFlags));
    EXPECT_FALSE(checked.play_sound(&lying, kCueFlags));
  }
  EXPECT_EQ(std::count(counting.reads.begin(), counting.reads.end(), good), 2);  // head, whole
  EXPECT_EQ(std::count(counting.reads.begin(), counting.reads.end(), lying), 2);
  EXPECT_EQ(
      std::count_if(scripted.host.logged().begin(), scripted.host.logged().end(),
                    [&](const std::string& line) { return line.find(lying) != std::string::npos; }),
      1);
}

}  // namespace
}  // namespace showsaver
