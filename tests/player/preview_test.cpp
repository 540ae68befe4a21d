// The show as the control panel's preview ("/p HWND"): in its host's window,
// silent, deaf to input, and over once that window goes, leaving nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/wav_files.h"

namespace showsaver {
namespace {

using test::bmp_file;
using test::PackageBuilder;
using test::ShowOptions;
using test::ShowRun;
using test::solid_image;

constexpr WindowHandle kHost = 4660;
constexpr Size kHostClient{152, 112};

// Three scenes of 3 s each, with music and a sound: a 4 : 3 picture area.
ShowPackage show_with_music_and_sounds() {
  return PackageBuilder(160, 120)
      .music("loop.mid", {'M', 'T', 'h', 'd'})
      .scene("a", bmp_file(solid_image(160, 120, 0xFF0000)))
      .display_time(3000)
      .effect(19)
      .scene("b", bmp_file(solid_image(160, 120, 0x0000FF)))
      .sound("b.wav", test::sine_wav(0.1))
      .display_time(3000)
      .effect(5)
      .scene("c", bmp_file(solid_image(160, 120, 0x00FF00)))
      .display_time(3000)
      .build();
}

TEST(Preview, PlaysScaledInItsHostUntouchedByInputAndEndsWithTheHostLeavingNothing) {
  ShowOptions options;
  options.arguments = "/p 4660";
  options.screen_save_use_password = 1;
  options.inputs = {{1000, InputKind::Key, {}},
                    {1500, InputKind::MouseButton, {}},
                    {2000, InputKind::MouseMove, {5, 5}},
                    {7000, InputKind::HostWindowClosed, {}}};
  ShowRun show(show_with_music_and_sounds(), options);
  show.scripted().desktop.add_host_window(kHost, kHostClient);
  show.run();

  // One transition past every input, a second cut short by the host's going
  // in the middle of its hold.
  ASSERT_EQ(show.transitions().size(), 2u);
  EXPECT_EQ(show.transitions().back().started_ms, 7000);
  EXPECT_EQ(show.transitions().back().finished_ms, 7000);
  const ScriptedDesktop& desktop = show.scripted().desktop;
  EXPECT_EQ(desktop.picture_area(), (Rect{2, 0, 149, 112}));
  EXPECT_EQ(show.times_of("window_destroyed").size(), 1u);
  EXPECT_TRUE(show.scripted().media.commands().empty());
  EXPECT_TRUE(show.scripted().media.sounds().empty());
  for (const char* kind : {"cursor", "screen_saver_running", "topmost", "message_box"}) {
    EXPECT_TRUE(show.scripted().log.of_kind(kind).empty()) << kind;
  }
  EXPECT_EQ(show.scripted().host.password_checks(), 0);
  EXPECT_TRUE(std::filesystem::exists(show.windows_folder()));
  EXPECT_TRUE(test::list_folder(show.windows_folder()).empty());
}

TEST(Preview, StartsOnlyInAWindowThatExists) {
  const struct {
    const char* arguments;
    bool plays;
  } cases[] = {
      {"/p 4660", true}, {"/P:4660", true}, {"/p  4660", true},
      {"/p", false},     {"/p 0", false},   {"/p 4661", false},  // no such window
  };
  for (const auto& c : cases) {
    ShowOptions options;
    options.arguments = c.arguments;
    options.inputs = {{100, InputKind::HostWindowClosed, {}}};
    ShowRun show(show_with_music_and_sounds(), options);
    show.scripted().desktop.add_host_window(kHost, kHostClient);
    show.run();
    EXPECT_EQ(show.scripted().log.of_kind("preview_window_created").size(), c.plays ? 1u : 0u)
        << c.arguments;
    EXPECT_EQ(show.scripted().log.of_kind("window_destroyed").size(), c.plays ? 1u : 0u)
        << c.arguments;
    EXPECT_TRUE(show.files().writes.empty() != c.plays) << c.arguments;
    EXPECT_TRUE(test::list_folder(show.windows_folder()).empty()) << c.arguments;
    EXPECT_TRUE(show.scripted().desktop.message_boxes().empty()) << c.arguments;
  }
}

}  // namespace
}  // namespace showsaver
