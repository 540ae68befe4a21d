// A request to end the show lasts, from whichever side it comes, and reaches
// the show as a key press on every pass.
#include "platform/end_request.h"

#include <gtest/gtest.h>

namespace showsaver {
namespace {

class CountingSink final : public InputSink {
 public:
  void key_down() override { ++keys; }
  void mouse_down() override {}
  void mouse_move() override {}
  int keys = 0;
};

TEST(EndRequestTest, LastsAndIsReportedOnEveryPass) {
  struct Case {
    const char* what;
    bool signals_watched;  // else the desktop's own reasons alone count
    bool signalled;
    bool window_closed;
    bool new_window;  // clear() after the close
    bool requested;
  };
  const Case cases[] = {
      {"nothing", true, false, false, false, false},
      {"a signal", true, true, false, false, true},
      {"the window closed", false, false, true, false, true},
      {"a new window after the close", false, false, true, true, false},
      {"a new window does not take a signal back", true, true, true, true, true},
  };
  for (const Case& c : cases) {
    bool signalled = false;
    EndRequest end =
        c.signals_watched ? EndRequest([&signalled] { return signalled; }) : EndRequest();
    CountingSink sink;
    end.report_to(&sink);
    signalled = c.signalled;
    if (c.window_closed) end.request();
    if (c.new_window) end.clear();
    EXPECT_EQ(end.requested(), c.requested) << c.what;
    for (int pass = 0; pass < 3; ++pass) end.report_to(&sink);
    EXPECT_EQ(sink.keys, c.requested ? 3 : 0) << c.what;
    end.report_to(nullptr);
  }
}

}  // namespace
}  // namespace showsaver
