// The "bgm" device: the command strings the player sends and the answers a
// Win32 media control device gives to them.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "sdl_media_fixture.h"
#include "support/temp_dir.h"

namespace showsaver::test {
namespace {

using SdlMusicTest = SdlMediaTest;

TEST_F(SdlMusicTest, RunsThroughOpenPlaySeekPlayClose) {
  EXPECT_EQ(open(music_path_).error, 0u);
  EXPECT_EQ(mode(), "stopped");  // opened, not yet played
  EXPECT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(mode(), "playing");
  EXPECT_EQ(send("play bgm").error, 0u);  // already playing: goes on
  EXPECT_EQ(mode(), "playing");
  EXPECT_EQ(send("seek bgm to start").error, 0u);
  EXPECT_EQ(mode(), "stopped");
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(mode(), "playing");
  EXPECT_EQ(send("close bgm").error, 0u);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

class SdlClosedDeviceTest : public SdlMediaTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(SdlClosedDeviceTest, FailsWithoutReplyBeforeOpen) {
  EXPECT_EQ(send(GetParam()), (MciAnswer{media_error::kInvalidDeviceName, ""}));
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_P(SdlClosedDeviceTest, FailsWithoutReplyAfterClose) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  ASSERT_EQ(send("close bgm").error, 0u);
  EXPECT_EQ(send(GetParam()), (MciAnswer{media_error::kInvalidDeviceName, ""}));
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

INSTANTIATE_TEST_SUITE_P(Commands, SdlClosedDeviceTest,
                         ::testing::Values("play bgm", "status bgm mode", "seek bgm to start",
                                           "close bgm"));

TEST_F(SdlMusicTest, FileThatCannotBeLoadedLeavesTheDeviceClosed) {
  write_text_file(dir_.file("notes.txt"), "not a sound at all, just some text");
  for (const std::string& path : {dir_.file("missing.wav"), dir_.file("notes.txt"), dir_.path()}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(open(path).error, media_error::kFileNotFound);
    EXPECT_EQ(send("status bgm mode"), (MciAnswer{media_error::kInvalidDeviceName, ""}));
    EXPECT_EQ(send("play bgm").error, media_error::kInvalidDeviceName);
  }
  EXPECT_EQ(open(music_path_).error, 0u);
}

// The bytes tell the format: a WAVE file under other names plays, and what
// cannot play is logged with its reason.
TEST_F(SdlMusicTest, MusicIsToldByItsContentAndSilenceIsExplained) {
  std::vector<std::string> logged;
  media_ = std::make_unique<SdlMedia>([&](const std::string& line) { logged.push_back(line); });
  for (const char* name : {"music.mp3", "music.mid", "music"}) {
    write_sine_wav(dir_.file(name), 1.0);
    EXPECT_EQ(open(dir_.file(name)).error, 0u) << name;
    EXPECT_EQ(send("play bgm").error, 0u);
    EXPECT_EQ(mode(), "playing") << name;
    EXPECT_EQ(send("close bgm").error, 0u);
  }
  EXPECT_EQ(logged, std::vector<std::string>{});
  write_text_file(dir_.file("notes.wav"), "not a sound at all, just some text");
  EXPECT_EQ(open(dir_.file("notes.wav")).error, media_error::kFileNotFound);
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_NE(logged[0].find("notes.wav\" stays silent: "), std::string::npos) << logged[0];
}

TEST_F(SdlMusicTest, SecondOpenFailsAndLeavesTheMusicPlaying) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(open(long_cue_path_).error, media_error::kDuplicateAlias);
  EXPECT_EQ(mode(), "playing");
  EXPECT_EQ(send("close bgm").error, 0u);
  EXPECT_EQ(open(long_cue_path_).error, 0u);
}

TEST_F(SdlMusicTest, PathWithBlanksOpensWhenQuoted) {
  EXPECT_EQ(open(short_cue_path_).error, 0u);  // "short cue.wav"
}

TEST_F(SdlMusicTest, KeywordsAreCaseInsensitiveAndBlanksAreFree) {
  EXPECT_EQ(send("  OPEN   \"" + music_path_ + "\"  Alias  BGM ").error, 0u);
  EXPECT_EQ(send("Play Bgm").error, 0u);
  EXPECT_EQ(send("STATUS bgm MODE").reply, "playing");
  EXPECT_EQ(send("\tseek bgm to START").error, 0u);
  EXPECT_EQ(mode(), "stopped");
}

class SdlUnrecognizedCommandTest : public SdlMediaTest,
                                   public ::testing::WithParamInterface<std::string> {};

TEST_P(SdlUnrecognizedCommandTest, FailsWithoutReplyAndLeavesTheMusicAlone) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(send(GetParam()), (MciAnswer{media_error::kUnrecognizedCommand, ""}));
  EXPECT_EQ(mode(), "playing");
}

INSTANTIATE_TEST_SUITE_P(Commands, SdlUnrecognizedCommandTest,
                         ::testing::Values("", "   ", "stop bgm", "pause bgm", "play",
                                           "play bgm wait", "play music", "status bgm",
                                           "status bgm position", "seek bgm to end", "seek bgm",
                                           "close all", "close bgm now",
                                           "open \"x.wav\" alias music", "open \"x.wav\"",
                                           "open \"unterminated alias bgm", "bgm play", "playbgm"));

struct TruncationCase {
  unsigned capacity;
  const char* reply;
};

void PrintTo(const TruncationCase& c, std::ostream* out) {
  *out << "capacity " << c.capacity << " -> \"" << c.reply << "\"";
}

class SdlReplyTruncationTest : public SdlMediaTest,
                               public ::testing::WithParamInterface<TruncationCase> {};

TEST_P(SdlReplyTruncationTest, KeepsCapacityLessOneCharacters) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(send("status bgm mode", GetParam().capacity), (MciAnswer{0, GetParam().reply}));
}

INSTANTIATE_TEST_SUITE_P(Capacities, SdlReplyTruncationTest,
                         ::testing::Values(TruncationCase{0, ""}, TruncationCase{1, ""},
                                           TruncationCase{2, "p"}, TruncationCase{7, "playin"},
                                           TruncationCase{8, "playing"},
                                           TruncationCase{256, "playing"}));

// The mixer halting the music is what the stream running out looks like.
TEST_F(SdlMusicTest, MusicThatRanOutStaysStoppedUntilRewound) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  Mix_HaltMusic();
  EXPECT_EQ(mode(), "stopped");
  EXPECT_EQ(send("play bgm").error, 0u);  // plays on from its end
  EXPECT_EQ(mode(), "stopped");
  EXPECT_EQ(send("seek bgm to start").error, 0u);
  EXPECT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(mode(), "playing");
}

// Nothing in the program pauses the device; the mixer's pause stands in for
// whatever else might.
TEST_F(SdlMusicTest, PausedMusicReportsPausedAndPlayResumesIt) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  Mix_PauseMusic();
  EXPECT_EQ(mode(), "paused");
  EXPECT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(mode(), "playing");
}

TEST_F(SdlMusicTest, RewindingPausedMusicStopsItAndPlayStartsItAfresh) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  Mix_PauseMusic();
  EXPECT_EQ(send("seek bgm to start").error, 0u);
  EXPECT_EQ(mode(), "stopped");
  EXPECT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(mode(), "playing");
  EXPECT_EQ(Mix_PausedMusic(), 0);
}

TEST_F(SdlMusicTest, ClosingPausedMusicLeavesTheNextOpenUnpaused) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  Mix_PauseMusic();
  ASSERT_EQ(send("close bgm").error, 0u);
  ASSERT_EQ(open(music_path_).error, 0u);
  EXPECT_EQ(mode(), "stopped");
  ASSERT_EQ(send("play bgm").error, 0u);
  EXPECT_EQ(mode(), "playing");
}

}  // namespace
}  // namespace showsaver::test
