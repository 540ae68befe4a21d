// The headless player stepped one frame per advance() against the same show
// played to its end: the same frames, with their times, scenes and
// transitions, and the same record of everything else the show did.
#include "headless/headless_player.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "platform/posix/posix_file_system.h"
#include "startup/program_entry.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

struct Frame {
  std::vector<std::uint32_t> pixels;
  std::int64_t show_time = 0;
  std::int32_t scene = 0;
  bool in_transition = false;
  bool operator==(const Frame&) const = default;
};

Frame copy(const HeadlessFrame& frame) {
  return {frame.image.pixels, frame.show_time, frame.scene, frame.in_transition};
}

// Red slides into green, green fades over 90 ms into blue, blue wipes back.
RunState three_scene_show() {
  test::PackageBuilder builder(24, 16);
  const std::uint32_t colors[] = {0xFF0000, 0x00FF00, 0x0000FF};
  const std::int32_t effects[] = {5, 0, 19};
  for (int i = 0; i < 3; ++i) {
    builder.scene("s" + std::to_string(i), test::bmp_file(test::solid_image(24, 16, colors[i])))
        .display_time(120)
        .effect(effects[i]);
  }
  RunState state;
  state.Package = builder.build();
  state.Package.Extension = ShowExtension{{FadeRecord{1, 90}}};
  return state;
}

class SteppedShow : public ::testing::Test {
 protected:
  HeadlessSettings settings(int transitions) const {
    HeadlessSettings settings;
    settings.host.extraction_parent = folder_.path();
    settings.screen = {64, 48};
    settings.start_tick = 5000;
    settings.transitions = transitions;
    return settings;
  }

  test::TempDir folder_;
  PosixFileSystem files_;
};

TEST_F(SteppedShow, HandsOutOneFrameAPerAdvanceTheFramesOfTheShowPlayedToItsEnd) {
  RunState whole_state = three_scene_show();
  HeadlessPlayer whole(files_, test::text_codec(), settings(3));
  std::vector<Frame> expected;
  whole.on_frame([&](const HeadlessFrame& frame) { expected.push_back(copy(frame)); });
  whole.play(show_mode(whole_state));
  ASSERT_EQ(whole.transitions_finished(), 3);

  RunState stepped_state = three_scene_show();
  HeadlessPlayer stepped(files_, test::text_codec(), settings(3));
  stepped.start(show_mode(stepped_state));
  std::vector<Frame> frames;
  while (const HeadlessFrame* frame = stepped.advance()) {
    frames.push_back(copy(*frame));
    // The show waits at the frame it drew, not a frame further.
    ASSERT_EQ(stepped.scripted().desktop.refresh_count(), int(frames.size()));
    ASSERT_LE(frames.size(), expected.size()) << "more frames than the show played whole";
  }
  EXPECT_EQ(stepped.advance(), nullptr) << "an ended show stays ended";

  EXPECT_EQ(frames, expected);
  EXPECT_EQ(stepped.transitions_finished(), 3);
  EXPECT_EQ(stepped.scripted().log.to_jsonl(), whole.scripted().log.to_jsonl());
  std::set<std::int32_t> scenes_in_transition;
  for (const Frame& frame : frames) {
    if (frame.in_transition) scenes_in_transition.insert(frame.scene);
  }
  EXPECT_EQ(scenes_in_transition, (std::set<std::int32_t>{0, 1, 2}));
}

TEST_F(SteppedShow, AShowLeftPartWayIsStoppedAndCleansUpWhenThePlayerGoes) {
  RunState state = three_scene_show();
  {
    HeadlessPlayer player(files_, test::text_codec(), settings(3));
    player.start(show_mode(state));
    for (int i = 0; i < 5; ++i) ASSERT_NE(player.advance(), nullptr);
    EXPECT_FALSE(test::list_folder(folder_.path()).empty()) << "the show's files are out";
  }
  EXPECT_EQ(test::list_folder(folder_.path()), std::vector<std::string>{});
}

TEST_F(SteppedShow, WhatThePlayedEntryThrowsIsThrownByAdvanceAndEndsIt) {
  RunState state = three_scene_show();
  HeadlessPlayer player(files_, test::text_codec(), settings(1));
  player.start([&state](Platform& platform, ShowObserver& observer) {
    run_show_mode(platform, state, &observer);
    throw std::runtime_error("after the show");
  });
  int frames = 0;
  try {
    while (player.advance() != nullptr) ++frames;
    ADD_FAILURE() << "the entry's failure was lost";
  } catch (const std::runtime_error& failure) {
    EXPECT_STREQ(failure.what(), "after the show");
  }
  EXPECT_GT(frames, 0);
  EXPECT_EQ(player.advance(), nullptr);
}

}  // namespace
}  // namespace showsaver
