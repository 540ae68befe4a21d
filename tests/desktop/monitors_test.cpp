// The show on a desktop of several monitors: every monitor black, the
// picture on the primary one, and a pointer move anywhere ends the show.
#include <gtest/gtest.h>

#include <optional>

#include "platform/picture_placement.h"
#include "shown_frames.h"
#include "support/dummy_x_server.h"
#include "support/show_harness.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

TEST(DummyXServerTest, LaysTheMonitorsOutLeftToRight) {
  DummyXServer server({{800, 600}, {640, 480}});
  ASSERT_TRUE(server.ok()) << server.problem();
  Display* display = XOpenDisplay(server.name().c_str());
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(DisplayWidth(display, DefaultScreen(display)), 1440);
  EXPECT_EQ(DisplayHeight(display, DefaultScreen(display)), 600);
  XCloseDisplay(display);
  EXPECT_EQ(server.monitors().back(), (Rect{800, 0, 640, 480}));
}

// "/s" on the primary monitor of 800 x 600 and a second one of 640 x 480
// right of it.
class TwoMonitorShowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok()) << server_.problem();
    x_.emplace(server_.name());
    ASSERT_TRUE(x_->ok());
    show_ = install_show(folder_, "show.scr", quartered_show());
    frame_ = rendered_frame(logs_, show_);
    ASSERT_EQ(frame_.width, 60);
  }

  // Starts the show and waits for its first frame on the primary monitor.
  void start_show() {
    player_.emplace(std::vector<std::string>{show_, "/s"}, session_environment(*x_, folder_),
                    logs_.file("player"));
    ASSERT_TRUE(wait_until([&] { return shows_centred(*x_, primary(), frame_); }))
        << player_->err();
  }

  // The show ended as on input: cleanly, its temp folder gone.
  void expect_ended_cleanly() {
    EXPECT_EQ(player_->wait_exit(10s), 0) << player_->err();
    EXPECT_TRUE(temp_folders(folder_.file("run/")).empty());
  }

  Rect primary() const { return server_.monitors()[0]; }
  Rect second() const { return server_.monitors()[1]; }

  DummyXServer server_{{{800, 600}, {640, 480}}};
  std::optional<XServer> x_;
  TempDir folder_;
  TempDir logs_;
  std::string show_;
  PixelImage frame_;
  std::optional<Child> player_;
};

TEST_F(TwoMonitorShowTest, EveryMonitorIsBlackThePictureOnThePrimaryAndAMoveOnTheSecondEndsIt) {
  start_show();
  const Rect place = centred_area({primary().width, primary().height}, {60, 40});
  const PixelImage expected = with_picture(solid_image(primary().width, primary().height, 0),
                                           frame_, {place.left, place.top});
  EXPECT_EQ(x_->screenshot(primary().left, primary().top, primary().width, primary().height),
            expected)
      << "the picture pixel-exact at the primary monitor's centre, black around it";
  const auto second_black = [&] {
    return lit_pixels(
               x_->screenshot(second().left, second().top, second().width, second().height)) == 0;
  };
  EXPECT_TRUE(wait_until(second_black, 5s)) << "every pixel of the second monitor black";
  keep_screenshot(x_->screenshot(0, 0, 1440, 600), "two-monitors");

  x_->xdotool({"mousemove", std::to_string(second().left + 300), "200"});
  expect_ended_cleanly();
}

// Where the pointer rests when the show starts, and the xdotool command that
// moves it.
struct PointerMove {
  const char* name;
  Point start;
  std::vector<std::string> move;
};

class PointerMoveTest : public TwoMonitorShowTest,
                        public testing::WithParamInterface<PointerMove> {};

TEST_P(PointerMoveTest, EndsTheShow) {
  const PointerMove& move = GetParam();
  x_->xdotool({"mousemove", std::to_string(move.start.x), std::to_string(move.start.y)});
  start_show();
  x_->xdotool(move.move);
  expect_ended_cleanly();
}

// The picture lies at (370, 280) to (430, 320) on the primary monitor.
INSTANTIATE_TEST_SUITE_P(
    Moves, PointerMoveTest,
    testing::Values(
        PointerMove{"AbsoluteOnThePicture", {400, 300}, {"mousemove", "410", "310"}},
        PointerMove{"AbsoluteOntoTheBlackBand", {400, 300}, {"mousemove", "100", "100"}},
        PointerMove{"RelativeOnTheSecondMonitor", {1100, 300}, {"mousemove_relative", "10", "10"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver::test
