#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

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
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBackground = 0x102030;  // as 0x00RRGGBB
constexpr ColorRef kBackgroundColorRef = rgb(0x10, 0x20, 0x30);

std::vector<std::uint8_t> picture(int width, int height, std::uint32_t color) {
  return bmp_file(solid_image(width, height, color));
}

// Two scenes as in the worked example: A holds 3000 ms and leaves through
// effect 5, B holds 2000 ms, has a sound and cuts back to A.
ShowPackage two_scene_show() {
  return PackageBuilder(64, 48)
      .scene("a", picture(64, 48, kRed))
      .display_time(3000)
      .effect(5)
      .scene("b", picture(64, 48, kBlue))
      .display_time(2000)
      .effect(0)
      .sound("b.wav", {'R', 'I', 'F', 'F'})
      .build();
}

TEST(SceneLoop, WorkedExampleOfTwoScenes) {
  ShowOptions options;
  options.key_after_transitions = 3;
  ShowRun show(two_scene_show(), options);
  show.run();

  const auto& transitions = show.transitions();
  ASSERT_EQ(transitions.size(), 3u);
  // The hold counts from the top of the cycle; the wait ends once the tick has passed it.
  EXPECT_EQ(transitions[0].outgoing, 0);
  EXPECT_EQ(transitions[0].incoming, 1);
  EXPECT_EQ(transitions[0].effect, 5);
  EXPECT_EQ(transitions[0].started_ms, 3001);
  EXPECT_GT(transitions[0].finished_ms, transitions[0].started_ms);
  EXPECT_EQ(transitions[1].effect, 0);
  EXPECT_EQ(transitions[1].incoming, 0);
  EXPECT_EQ(transitions[1].started_ms, transitions[0].finished_ms + 2001);
  EXPECT_EQ(transitions[1].finished_ms, transitions[1].started_ms);
  EXPECT_EQ(transitions[2].effect, 5);
  EXPECT_EQ(transitions[2].started_ms, transitions[1].finished_ms + 3001);

  // B's sound starts as the transition into B begins; A has none.
  const auto& sounds = show.scripted().media.sounds();
  ASSERT_EQ(sounds.size(), 3u);  // two cues and the stop at the end
  EXPECT_EQ(sounds[0].path, show.temp_folder() + "b.wav");
  EXPECT_EQ(sounds[0].flags, 0x20003u);
  EXPECT_EQ(sounds[1].path, show.temp_folder() + "b.wav");
  EXPECT_EQ(sounds[2].path, std::nullopt);
  EXPECT_EQ(sounds[2].flags, 0x40u);
  EXPECT_EQ(show.times_of("sound")[0], 3001);

  // First frame: A; after effect 5: B; the cut: A again in one refresh.
  const auto& frames = show.frames();
  EXPECT_EQ(pixel(frames.front(), 10, 10), kRed);
  const int before_cut = transitions[1].frames_before;
  EXPECT_EQ(pixel(frames[static_cast<std::size_t>(before_cut) - 1], 10, 10), kBlue);
  EXPECT_EQ(frames[static_cast<std::size_t>(before_cut)].pixels, frames.front().pixels);
  EXPECT_EQ(transitions[2].frames_before, before_cut + 1);
  EXPECT_TRUE(show.scripted().media.commands().empty());  // no music, no command at all
}

TEST(SceneLoop, PictureAreaIsCentredWithHalvesTruncatedSeparately) {
  ShowOptions options;
  options.screen = {1024, 768};
  options.inputs = {{10, InputKind::Key, {}}};
  ShowRun show(PackageBuilder(251, 150).scene("a", picture(10, 10, kRed)).display_time(100).build(),
               options);
  show.run();
  EXPECT_EQ(show.scripted().desktop.picture_area(), (Rect{387, 309, 251, 150}));

  ShowOptions larger;
  larger.screen = {320, 240};
  larger.inputs = {{10, InputKind::Key, {}}};
  ShowRun big(PackageBuilder(401, 301).scene("a", picture(10, 10, kRed)).display_time(100).build(),
              larger);
  big.run();
  EXPECT_EQ(big.scripted().desktop.picture_area(), (Rect{-40, -30, 401, 301}));
}

TEST(SceneLoop, OneSceneLeadsToItselfAndCuesItsSoundEveryTime) {
  ShowOptions options;
  options.key_after_transitions = 3;
  ShowRun show(PackageBuilder(32, 32)
                   .scene("only", picture(32, 32, kGreen))
                   .display_time(500)
                   .effect(0)
                   .sound("ding.wav", {'R'})
                   .build(),
               options);
  show.run();
  ASSERT_EQ(show.transitions().size(), 3u);
  for (const auto& transition : show.transitions()) {
    EXPECT_EQ(transition.outgoing, 0);
    EXPECT_EQ(transition.incoming, 0);
  }
  EXPECT_EQ(show.scripted().media.sounds().size(), 4u);  // three cues, then the stop
}

TEST(SceneLoop, ZeroAndNegativeHoldTimesPassAfterOneRoundOfMessages) {
  for (const std::int32_t hold : {0, -5000}) {
    ShowOptions options;
    options.key_after_transitions = 4;
    ShowRun show(PackageBuilder(16, 16)
                     .scene("a", picture(16, 16, kRed))
                     .display_time(hold)
                     .scene("b", picture(16, 16, kBlue))
                     .display_time(hold)
                     .build(),
                 options);
    show.run();
    ASSERT_EQ(show.transitions().size(), 4u) << hold;
    // Only the one millisecond by which the wait passes its deadline goes by.
    EXPECT_EQ(show.transitions()[0].started_ms, hold == 0 ? 1 : 0) << hold;
    EXPECT_LE(show.transitions()[3].started_ms, 4) << hold;
  }
}

TEST(SceneLoop, ExtremeHoldTimesNeitherFailNorFreeze) {
  // The most negative hold passes at once; the largest lasts its 24.8 days.
  for (const std::int32_t hold :
       {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
    ShowOptions options;
    options.key_after_transitions = 1;
    options.start_tick = std::numeric_limits<std::int32_t>::max() - 10;
    options.max_virtual_ms = std::int64_t{1} << 32;
    ShowRun show(PackageBuilder(16, 16)
                     .scene("a", picture(16, 16, kRed))
                     .display_time(hold)
                     .scene("b", picture(16, 16, kBlue))
                     .build(),
                 options);
    show.run();
    EXPECT_TRUE(show.scripted().desktop.message_boxes().empty()) << hold;
    ASSERT_EQ(show.transitions().size(), 1u) << hold;
    EXPECT_EQ(show.transitions()[0].started_ms, hold < 0 ? 0 : 2147483648LL) << hold;
  }
}

TEST(SceneLoop, ANegativePictureAreaIsAFailureNotADrawing) {
  ShowPackage package = PackageBuilder(16, 16).scene("a", picture(16, 16, kRed)).build();
  package.PictureWidth = std::numeric_limits<std::int32_t>::min();
  ShowOptions options;
  options.skip_package_file = true;
  ShowRun show(package, options);
  show.run();
  ASSERT_EQ(show.scripted().desktop.message_boxes().size(), 1u);
  EXPECT_NE(show.scripted().desktop.message_boxes()[0].text.find("プロパティの値が不正です。"),
            std::string::npos);
  EXPECT_FALSE(show.scripted().desktop.window_shown());
}

TEST(SceneLoop, CodesOutsideTheTableDrawNothingButTheWalkGoesOn) {
  ShowOptions options;
  options.key_after_transitions = 3;
  ShowRun show(PackageBuilder(16, 16)
                   .scene("a", picture(16, 16, kRed))
                   .display_time(100)
                   .effect(30)
                   .scene("b", picture(16, 16, kBlue))
                   .display_time(100)
                   .effect(-1)
                   .scene("c", picture(16, 16, kGreen))
                   .display_time(100)
                   .build(),
               options);
  show.run();
  const auto& frames = show.frames();
  ASSERT_EQ(show.transitions().size(), 3u);
  // Each refresh after codes 30 and -1 still shows A; the cut out of C shows A again.
  for (int i = 0; i < 2; ++i) {
    const auto frame =
        static_cast<std::size_t>(show.transitions()[static_cast<std::size_t>(i)].frames_before);
    ASSERT_LT(frame, frames.size()) << i;
    const auto& after = frames[frame];
    EXPECT_EQ(pixel(after, 5, 5), kRed) << i;
  }
  EXPECT_EQ(show.transitions()[2].outgoing, 2);
  EXPECT_EQ(show.transitions()[2].incoming, 0);
}

TEST(SceneLoop, SceneCountBeyondTheListEndsThroughTheErrorHandler) {
  ShowPackage package =
      PackageBuilder(16, 16).scene("a", picture(16, 16, kRed)).display_time(10).build();
  package.SceneCount = 3;  // the reader refuses this; the player must not trust it either
  ShowOptions options;
  options.skip_package_file = true;
  ShowRun show(package, options);
  show.run();
  const auto& boxes = show.scripted().desktop.message_boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "エラー");
  EXPECT_TRUE(boxes[0].text.starts_with("不明のエラーが発生しました。\r\n"));
  EXPECT_TRUE(boxes[0].text.ends_with("\r\nProject1"));
  EXPECT_NE(boxes[0].text.find("SceneCount 3"), std::string::npos);
  EXPECT_TRUE(test::list_folder(show.windows_folder()).empty());
}

TEST(SceneLoop, SceneCountBelowTheListNeverShowsTheRest) {
  ShowPackage package = PackageBuilder(16, 16)
                            .scene("a", picture(16, 16, kRed))
                            .display_time(10)
                            .scene("b", picture(16, 16, kBlue))
                            .display_time(10)
                            .build();
  package.SceneCount = 1;  // stored shows carry such records: they go through the program file
  ShowOptions options;
  options.key_after_transitions = 2;
  ShowRun show(package, options);
  show.run();
  EXPECT_TRUE(show.scripted().desktop.message_boxes().empty());
  ASSERT_EQ(show.transitions().size(), 2u);
  for (const auto& transition : show.transitions()) EXPECT_EQ(transition.incoming, 0);
  EXPECT_EQ(
      std::count(show.files().writes.begin(), show.files().writes.end(), show.temp_folder() + "b"),
      0);
  for (const auto& frame : show.frames()) EXPECT_EQ(pixel(frame, 1, 1), kRed);
}

TEST(SceneLoop, OverPreviousComposesOverTheShownFrame) {
  // A fills the area red; B (over previous, opaque) covers its own rectangle;
  // C (over previous, transparent) lets the background-coloured pixels through.
  PixelImage sprite = solid_image(8, 8, kBackground);
  sprite = test::with_rectangle(sprite, 2, 2, 4, 4, 0x000000);  // opaque black stays black
  ShowOptions options;
  options.key_after_transitions = 3;
  ShowRun show(PackageBuilder(32, 32)
                   .back_color(kBackgroundColorRef)
                   .scene("a", picture(32, 32, kRed))
                   .display_time(10)
                   .scene("b", picture(8, 8, kBlue))
                   .at(4, 4)
                   .over_previous()
                   .display_time(10)
                   .scene("c", bmp_file(sprite))
                   .at(20, 20)
                   .over_previous()
                   .transparent()
                   .display_time(10)
                   .build(),
               options);
  show.run();
  const auto& frames = show.frames();
  ASSERT_EQ(show.transitions().size(), 3u);
  for (const auto& transition : show.transitions()) {
    ASSERT_GE(transition.frames_before, 1);
    ASSERT_LE(static_cast<std::size_t>(transition.frames_before), frames.size());
  }
  const auto& with_b = frames[static_cast<std::size_t>(show.transitions()[1].frames_before) - 1];
  EXPECT_EQ(pixel(with_b, 4, 4), kBlue);
  EXPECT_EQ(pixel(with_b, 11, 11), kBlue);
  EXPECT_EQ(pixel(with_b, 12, 12), kRed);
  const auto& with_c = frames[static_cast<std::size_t>(show.transitions()[2].frames_before) - 1];
  EXPECT_EQ(pixel(with_c, 5, 5), kBlue);        // B is still there
  EXPECT_EQ(pixel(with_c, 20, 20), kRed);       // transparent: the frame shows through
  EXPECT_EQ(pixel(with_c, 22, 22), 0x000000u);  // opaque black
  EXPECT_EQ(pixel(with_c, 27, 27), kRed);
}

TEST(SceneLoop, ASceneNotOverPreviousStartsFromTheClearedBackground) {
  ShowOptions options;
  options.key_after_transitions = 1;
  ShowRun show(PackageBuilder(32, 32)
                   .back_color(kBackgroundColorRef)
                   .scene("a", picture(32, 32, kRed))
                   .display_time(10)
                   .scene("b", picture(8, 8, kBlue))
                   .at(-4, 30)
                   .display_time(10)
                   .build(),
               options);
  show.run();
  ASSERT_FALSE(show.frames().empty());
  const auto& last = show.frames().back();
  EXPECT_EQ(pixel(last, 0, 30), kBlue);
  EXPECT_EQ(pixel(last, 3, 31), kBlue);
  EXPECT_EQ(pixel(last, 4, 31), kBackground);
  EXPECT_EQ(pixel(last, 10, 10), kBackground);
}

}  // namespace
}  // namespace showsaver
