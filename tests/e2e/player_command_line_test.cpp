// The player started with options it cannot follow, as a newcomer types them
// from the README into a screen locker's list: it says what it accepts and
// fails, where it used to end at once, silently, with status 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

#ifdef SHOWSAVER_PLAYER_PATH
TEST(PlayerCommandLine, WrongOptionsSayWhatIsAllowedAndFail) {
  test::TempDir dir;
  const struct {
    std::vector<std::string> arguments;
    const char* named;  // what the message names as wrong
  } cases[] = {
      {{"--root", "--music", "OFF"}, "\"OFF\""},
      {{"--root", "--sounds", "no"}, "\"no\""},
      {{"--musik", "off", "--root"}, "\"--musik\""},
      {{"/x"}, "\"/x\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.named);
    const test::RunResult run = test::run_program(dir, SHOWSAVER_PLAYER_PATH, c.arguments);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--root | --window-id ID [--music on|off] [--sounds on|off]"),
              std::string::npos)
        << run.err;
  }
}
#endif

}  // namespace
}  // namespace showsaver
