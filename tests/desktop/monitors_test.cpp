// The show on a desktop of several monitors: every monitor black, the
// picture on the primary one.
#include <gtest/gtest.h>

#include "support/dummy_x_server.h"
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

}  // namespace
}  // namespace showsaver::test
