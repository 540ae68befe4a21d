// What the scene loop tells its observer: for a cross-fade both the fade
// drawn and the fallback EffectCode stored; whether a hold moves; the seed a
// shuffled order was drawn from.  Each report is checked against what the
// show then drew or played.
#include <gtest/gtest.h>

#include "package/package_reader.h"
#include "package/package_writer.h"
#include "player/scene_order.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

constexpr std::uint32_t kColors[] = {0xFF0000, 0x00FF00, 0x0000FF};

// Red slides (5) or fades over 100 ms into green, green wipes (19) into
// blue, blue cuts (0) or fades over 60 ms back to red.
ShowPackage fading_show() {
  test::PackageBuilder builder(16, 12);
  const std::int32_t effects[] = {5, 19, 0};
  for (int i = 0; i < 3; ++i) {
    builder.scene("s" + std::to_string(i), test::bmp_file(test::solid_image(16, 12, kColors[i])))
        .display_time(100)
        .effect(effects[i]);
  }
  ShowPackage package = builder.build();
  package.Extension = ShowExtension{{FadeRecord{0, 100}, FadeRecord{2, 60}}};
  return package;
}

ShowPackage read_back(const ShowPackage& package, bool read_extension) {
  const auto block = write_package_block(package, test::text_codec()).bytes;
  PackageReadResult read =
      read_show_package(block, test::text_codec(), {.read_extension = read_extension});
  EXPECT_TRUE(read.ok()) << read.error->message();
  return read.package;
}

// Whether some frame in [first, end) has a pixel of neither colour: a blend.
bool shows_a_blend(const std::vector<PixelImage>& frames, std::size_t first, std::size_t end,
                   std::uint32_t from, std::uint32_t to) {
  for (std::size_t f = first; f < end && f < frames.size(); ++f) {
    for (const std::uint32_t pixel : frames[f].pixels) {
      if ((pixel & 0xFFFFFF) != from && (pixel & 0xFFFFFF) != to) return true;
    }
  }
  return false;
}

TEST(ShowObserver, AFadeIsReportedWithTheFallbackStoredForItsSceneAndIsWhatIsDrawn) {
  struct Expected {
    std::int32_t outgoing, incoming, effect;
    std::optional<std::int32_t> fade_ms;
  };
  const struct {
    const char* name;
    bool read_extension;
    std::vector<Expected> reports;
  } cases[] = {
      {"with the extension", true, {{0, 1, 5, 100}, {1, 2, 19, {}}, {2, 0, 0, 60}}},
      {"as an older reader", false, {{0, 1, 5, {}}, {1, 2, 19, {}}, {2, 0, 0, {}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ShowOptions options;
    options.key_after_transitions = 3;
    test::ShowRun show(read_back(fading_show(), c.read_extension), options);
    show.run();
    const auto& transitions = show.transitions();
    ASSERT_EQ(transitions.size(), c.reports.size());
    for (std::size_t i = 0; i < transitions.size(); ++i) {
      SCOPED_TRACE("transition " + std::to_string(i));
      const auto& reported = transitions[i];
      const Expected& expected = c.reports[i];
      EXPECT_EQ(reported.outgoing, expected.outgoing);
      EXPECT_EQ(reported.incoming, expected.incoming);
      EXPECT_EQ(reported.effect, expected.effect);
      EXPECT_EQ(reported.fade_ms, expected.fade_ms);
      // A reported fade is drawn, for as long as it says; nothing else blends.
      const std::size_t end = i + 1 < transitions.size()
                                  ? static_cast<std::size_t>(transitions[i + 1].frames_before)
                                  : show.frames().size();
      EXPECT_EQ(shows_a_blend(show.frames(), static_cast<std::size_t>(reported.frames_before), end,
                              kColors[reported.outgoing], kColors[reported.incoming]),
                expected.fade_ms.has_value());
      if (expected.fade_ms) {
        EXPECT_GE(reported.finished_ms - reported.started_ms, *expected.fade_ms);
      }
    }
  }
}

// Scene 0 zooms into its middle during its hold; scene 1 holds still.
TEST(ShowObserver, AHoldIsReportedMovingWhenItsFramesMove) {
  ShowPackage package =
      test::PackageBuilder(32, 24)
          .scene("a", test::bmp_file(test::with_rectangle(test::solid_image(32, 24, kColors[0]), 8,
                                                          6, 16, 12, kColors[1])))
          .display_time(400)
          .scene("b", test::bmp_file(test::solid_image(32, 24, kColors[2])))
          .display_time(400)
          .build();
  package.Extension = ShowExtension{{PanZoomPathRecord{0, Rect{0, 0, 32, 24}, Rect{8, 6, 16, 12}}}};
  test::ShowOptions options;
  options.key_after_transitions = 2;
  test::ShowRun show(package, options);
  show.run();
  ASSERT_GE(show.holds().size(), 2u);
  ASSERT_EQ(show.transitions().size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const test::HoldRecord& hold = show.holds()[i];
    EXPECT_EQ(hold.scene, static_cast<std::int32_t>(i));
    EXPECT_EQ(hold.moving, i == 0);
    const int frames_in_hold = show.transitions()[i].frames_before - hold.frames_before;
    // Frames every 40 ms of a 400 ms hold when it moves; none when it is still.
    if (hold.moving) {
      EXPECT_GE(frames_in_hold, 5) << "scene " << i;
    } else {
      EXPECT_EQ(frames_in_hold, 0) << "scene " << i;
    }
  }
}

// Five scenes, shuffled when `shuffle`.
ShowPackage five_scenes(bool shuffle) {
  test::PackageBuilder builder(8, 8);
  for (int i = 0; i < 5; ++i) {
    builder.scene("s" + std::to_string(i), test::bmp_file(test::solid_image(8, 8, 0x111111 * i)))
        .display_time(50);
  }
  ShowPackage package = builder.build();
  if (shuffle) package.Extension = ShowExtension{{OrderRecord{ShowOrder::Shuffle}}};
  return package;
}

TEST(ShowObserver, AShuffledShowReportsTheSeedItsOrderIsDrawnFromTheTickCounterAtItsStart) {
  std::optional<std::uint32_t> seeds[2];
  const std::int32_t start_ticks[2] = {1000, 5000};
  for (int run = 0; run < 2; ++run) {
    test::ShowOptions options;
    options.start_tick = start_ticks[run];
    options.key_after_transitions = 9;
    const ShowPackage package = five_scenes(true);
    test::ShowRun show(package, options);
    show.run();
    ASSERT_TRUE(show.shuffle_seed());
    seeds[run] = show.shuffle_seed();
    // The order played is the one the reported seed draws.
    ShuffledRounds rounds(*package.Scenes, *show.shuffle_seed());
    for (const auto& transition : show.transitions()) EXPECT_EQ(transition.incoming, rounds.next());
  }
  EXPECT_EQ(*seeds[1] - *seeds[0], 4000u);

  test::ShowOptions options;
  options.key_after_transitions = 2;
  test::ShowRun stored(five_scenes(false), options);
  stored.run();
  EXPECT_FALSE(stored.shuffle_seed());
}

}  // namespace
}  // namespace showsaver
