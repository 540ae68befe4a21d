#include <gtest/gtest.h>

#include <algorithm>

#include "support/package_builder.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

using test::bmp_file;
using test::PackageBuilder;
using test::pixel;
using test::ShowOptions;
using test::ShowRun;
using test::solid_image;

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

ShowPackage show_with_music() {
  return PackageBuilder(32, 32)
      .music("loop.mid", {'M', 'T', 'h', 'd'})
      .scene("a", bmp_file(solid_image(32, 32, kRed)))
      .display_time(3000)
      .effect(19)
      .scene("b", bmp_file(solid_image(32, 32, kBlue)))
      .display_time(3000)
      .build();
}

std::vector<std::string> event_kinds(ShowRun& show) {
  std::vector<std::string> kinds;
  for (const auto& event : show.scripted().log.events()) kinds.push_back(event.kind);
  return kinds;
}

TEST(StopDetection, AnyKeyOrButtonDuringTheHoldShowsTheIncomingPictureThenEnds) {
  // The display count the show meets varies with what else showed or hid
  // the cursor; the show hides it whatever the count and gives it back.
  for (const auto& [kind, start_count] :
       {std::pair{InputKind::Key, 0}, std::pair{InputKind::MouseButton, 0},
        std::pair{InputKind::Key, 2}, std::pair{InputKind::Key, -3}}) {
    ShowOptions options;
    options.cursor_count = start_count;
    options.inputs = {{1000, kind, {}}};
    ShowRun show(show_with_music(), options);
    show.run();
    ASSERT_EQ(show.transitions().size(), 1u);
    // The wait ends at the input; the effect draws its opening frame and its final frame.
    EXPECT_EQ(show.transitions()[0].started_ms, 1000);
    EXPECT_EQ(pixel(show.frames().back(), 0, 0), kBlue);
    EXPECT_EQ(show.frames().size(), 3u);  // show start, the effect's first frame, the final refresh
    EXPECT_FALSE(show.scripted().desktop.screen_saver_running());
    EXPECT_EQ(show.scripted().desktop.cursor_count(), 0) << start_count;
    const auto cursor_calls = show.scripted().log.of_kind("cursor");
    ASSERT_FALSE(cursor_calls.empty());
    EXPECT_TRUE(std::any_of(
        cursor_calls.begin(), cursor_calls.end(),
        [](const auto& call) { return call.to_json().find("\"count\":-") != std::string::npos; }))
        << "the cursor was never hidden from " << start_count;
  }
}

TEST(StopDetection, OnlyRealMouseMovementStops) {
  ShowOptions still;
  still.cursor = {100, 100};
  still.inputs = {{500, InputKind::MouseMove, {100, 100}}, {6500, InputKind::Key, {}}};
  ShowRun unmoved(show_with_music(), still);
  unmoved.run();
  EXPECT_EQ(unmoved.transitions().size(), 2u);  // the notification without movement is ignored

  for (const Point moved : {Point{101, 100}, Point{100, 99}}) {
    ShowOptions options;
    options.cursor = {100, 100};
    options.inputs = {{500, InputKind::MouseMove, moved}};
    ShowRun show(show_with_music(), options);
    show.run();
    ASSERT_EQ(show.transitions().size(), 1u);
    EXPECT_EQ(show.transitions()[0].started_ms, 500);
  }
}

TEST(StopDetection, SeveralStopsActLikeOne) {
  ShowOptions options;
  options.inputs = {{700, InputKind::Key, {}},
                    {700, InputKind::MouseMove, {1, 1}},
                    {700, InputKind::MouseButton, {}}};
  ShowRun show(show_with_music(), options);
  show.run();
  EXPECT_EQ(show.transitions().size(), 1u);
  EXPECT_EQ(show.scripted().host.password_checks(), 0);
}

TEST(EndOfShow, WithoutPasswordRestoresInOrder) {
  for (const std::optional<std::uint32_t> setting :
       {std::optional<std::uint32_t>{}, std::optional<std::uint32_t>{0}}) {
    ShowOptions options;
    options.screen_save_use_password = setting;
    options.inputs = {{100, InputKind::Key, {}}};
    ShowRun show(show_with_music(), options);
    show.run();
    EXPECT_EQ(show.scripted().host.password_checks(), 0);
    const auto commands = show.scripted().media.commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), "close bgm");
    // Notice withdrawn, then music closed, then sounds stopped.
    const auto kinds = event_kinds(show);
    const auto notice = std::find(kinds.rbegin(), kinds.rend(), "screen_saver_running");
    const auto sound = std::find(kinds.rbegin(), kinds.rend(), "sound");
    const auto mci = std::find(kinds.rbegin(), kinds.rend(), "mci");
    EXPECT_GT(notice - kinds.rbegin(), mci - kinds.rbegin());
    EXPECT_GT(mci - kinds.rbegin(), sound - kinds.rbegin());
  }
}

TEST(EndOfShow, WrongPasswordResumesAtSceneZeroWithTheMusicPlaying) {
  ShowOptions options;
  options.screen_save_use_password = 1;
  options.password_results = {PasswordCheck::WrongOrCancelled, PasswordCheck::Right};
  options.inputs = {{3500, InputKind::Key, {}}, {20000, InputKind::Key, {}}};
  options.cursor_after_password = Point{5, 5};
  ShowRun show(show_with_music(), options);
  show.run();
  EXPECT_EQ(show.scripted().host.password_checks(), 2);
  // Moves while the password was asked for do not stop the resumed show:
  // the cursor position is taken anew at the resume.
  const auto& transitions = show.transitions();
  ASSERT_GE(transitions.size(), 3u);
  const auto resumed = std::find_if(transitions.begin() + 1, transitions.end(), [](const auto& t) {
    return t.outgoing == 0 && t.started_ms > 4000;
  });
  ASSERT_NE(resumed, transitions.end());
  const auto commands = show.scripted().media.commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), "close bgm"), 1);
  EXPECT_EQ(commands.front(), "open \"" + show.temp_folder() + "loop.mid\" alias bgm");
  EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                          [](const std::string& c) { return c.starts_with("open"); }),
            1);
  EXPECT_EQ(show.scripted().desktop.cursor_count(), 0);
}

TEST(EndOfShow, NoPasswordServiceLeavesTheLockToTheSystem) {
  ShowOptions options;
  options.screen_save_use_password = 1;
  options.password_results = {PasswordCheck::Unavailable};
  options.inputs = {{100, InputKind::Key, {}}};
  ShowRun show(show_with_music(), options);
  show.run();
  EXPECT_TRUE(show.scripted().desktop.message_boxes().empty());
  EXPECT_FALSE(show.scripted().desktop.screen_saver_running());
  EXPECT_EQ(show.scripted().media.commands().back(), "close bgm");
}

TEST(Music, PollRestartsOnlyAStoppedDevice) {
  ShowOptions options;
  options.music_length_ms = 10000;
  options.key_after_transitions = 3;
  ShowRun show(show_with_music(), options);
  show.run();
  const auto commands = show.scripted().media.commands();
  // Polled after each transition (about 4 s, 7 s and 11 s): playing, playing,
  // then stopped, so it is rewound and played again.
  const std::vector<std::string> expected = {
      "open \"" + show.temp_folder() + "loop.mid\" alias bgm",
      "play bgm",
      "status bgm mode",
      "status bgm mode",
      "status bgm mode",
      "seek bgm to start",
      "play bgm",
      "close bgm"};
  EXPECT_EQ(commands, expected);
}

TEST(Music, SettingsOffLeavesOnlyTheClose) {
  ShowOptions options;
  options.settings_file_contents = std::string("\x00\x00\x00\x00", 4);
  options.key_after_transitions = 2;
  ShowPackage package = show_with_music();
  (*package.Scenes)[1].SoundFileName = "b.wav";
  (*package.Scenes)[1].SoundData.bytes = std::vector<std::uint8_t>{'R'};
  ShowRun show(package, options);
  show.run();
  EXPECT_EQ(show.scripted().media.commands(), std::vector<std::string>{"close bgm"});
  ASSERT_EQ(show.scripted().media.sounds().size(), 1u);  // only the stop
  EXPECT_EQ(show.scripted().media.sounds()[0].flags, 0x40u);
}

// While the display is off or the computer sleeps nothing plays: an audio
// stream in use would keep the computer awake.  The music comes back when
// the display does, as long as the show runs.
TEST(Music, FallsSilentWhileTheDisplayIsOff) {
  ShowPackage package = show_with_music();
  for (const char* cue : {"a.wav", "b.wav"}) {
    SceneRecord& scene = (*package.Scenes)[cue[0] == 'a' ? 0 : 1];
    scene.SoundFileName = cue;
    scene.SoundData.bytes = std::vector<std::uint8_t>{'R'};
  }
  const std::string open = "open \"{temp}loop.mid\" alias bgm";
  // The holds end at about 3 s and 7 s, and at the key at 9 s, each with its
  // cue, and the music is polled after each transition.
  const struct {
    const char* name;
    std::vector<ScriptedInput> inputs;
    std::vector<std::string> commands;
    std::vector<std::string> sounds;  // the cues played, "stop" for a purge
  } cases[] = {
      {"off during the first hold, on during the second",
       {{1000, InputKind::DisplayOff, {}}, {5000, InputKind::DisplayOn, {}}},
       {open, "play bgm", "close bgm", open, "play bgm", "status bgm mode", "status bgm mode",
        "close bgm"},
       {"stop", "a.wav", "b.wav", "stop"}},
      {"off twice, as when the computer sleeps after the display went off",
       {{1000, InputKind::DisplayOff, {}},
        {2000, InputKind::DisplayOff, {}},
        {5000, InputKind::DisplayOn, {}}},
       {open, "play bgm", "close bgm", open, "play bgm", "status bgm mode", "status bgm mode",
        "close bgm"},
       {"stop", "a.wav", "b.wav", "stop"}},
      {"on while it was on already",
       {{1000, InputKind::DisplayOn, {}}},
       {open, "play bgm", "status bgm mode", "status bgm mode", "status bgm mode", "close bgm"},
       {"b.wav", "a.wav", "b.wav", "stop"}},
      {"off to the end",
       {{1000, InputKind::DisplayOff, {}}},
       {open, "play bgm", "close bgm", "close bgm"},
       {"stop", "stop"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShowOptions options;
    options.inputs = c.inputs;
    options.inputs.push_back({9000, InputKind::Key, {}});
    ShowRun show(package, options);
    show.run();
    std::vector<std::string> expected = c.commands;
    for (std::string& command : expected) {
      if (const auto at = command.find("{temp}"); at != std::string::npos) {
        command.replace(at, 6, show.temp_folder());
      }
    }
    EXPECT_EQ(show.scripted().media.commands(), expected);
    std::vector<std::string> sounds;
    for (const RecordedSound& sound : show.scripted().media.sounds()) {
      sounds.push_back(sound.path ? sound.path->substr(show.temp_folder().size()) : "stop");
    }
    EXPECT_EQ(sounds, c.sounds);
  }
}

TEST(TickCounter, ShowRunsOnAcrossTheSignChangeAndTheWrap) {
  for (const std::int32_t start : {0x7FFFFFFF - 2500, -2500}) {
    ShowOptions options;
    options.start_tick = start;
    options.key_after_transitions = 4;
    ShowRun show(show_with_music(), options);
    show.run();
    EXPECT_TRUE(show.scripted().desktop.message_boxes().empty()) << start;
    ASSERT_EQ(show.transitions().size(), 4u) << start;
    EXPECT_EQ(show.transitions()[0].started_ms, 3001) << start;
    EXPECT_EQ(show.transitions()[1].started_ms, show.transitions()[0].finished_ms + 3001);
  }
}

}  // namespace
}  // namespace showsaver
