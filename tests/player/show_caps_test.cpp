// A show that never stops is ended by the harness's caps, and its test fails
// naming the cap.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/package_builder.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

struct CapCase {
  const char* name;
  std::int64_t max_virtual_ms;
  int max_transitions;
  // Wrong passwords keep the show going after the harness's key press.
  bool password_never_right;
  std::size_t transitions;
  const char* cap;  // as the failure names it
};

const CapCase kCapCases[] = {
    {"VirtualTime", 1000, 100, false, 1, "1000 ms of virtual time"},
    {"Transitions", 3'600'000, 3, false, 4, "3 transitions"},
    {"IgnoredKeyPress", 3'600'000, 2, true, 6, "2 transitions"},
};

class ShowCap : public testing::TestWithParam<CapCase> {};

TEST_P(ShowCap, EndsAShowWithoutStopInputAndFailsNamingTheCap) {
  const CapCase& c = GetParam();
  test::ShowOptions options;  // no input at all
  options.max_virtual_ms = c.max_virtual_ms;
  options.max_transitions = c.max_transitions;
  if (c.password_never_right) {
    options.screen_save_use_password = 1;
    options.password_results.assign(100, PasswordCheck::WrongOrCancelled);
  }
  test::ShowRun show(test::PackageBuilder(16, 16)
                         .scene("a", test::bmp_file(test::solid_image(16, 16, 0xFF0000)))
                         .display_time(200)
                         .effect(19)
                         .build(),
                     options);
  testing::TestPartResultArray results;
  {
    testing::ScopedFakeTestPartResultReporter reporter(
        testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    show.run();
  }
  std::vector<std::string> failures;
  for (int n = 0; n < results.size(); ++n) {
    EXPECT_TRUE(results.GetTestPartResult(n).nonfatally_failed());
    const std::string message = results.GetTestPartResult(n).message();
    failures.push_back(message.substr(message.find_last_of('\n') + 1));  // after "Failed"
  }
  std::vector<std::string> expected = {std::string("the show ran past ") + c.cap +
                                       " without stopping"};
  if (c.password_never_right) {
    expected.push_back(std::string("the show went on to twice ") + c.cap +
                       " after a key press; abandoned");
  }
  EXPECT_EQ(failures, expected);
  EXPECT_EQ(show.transitions().size(), c.transitions);
  // A show that heeded the key press ended as a user's key ends it; the
  // abandoning reaches the show's error handler like any other exception.
  EXPECT_FALSE(show.scripted().desktop.window_shown());
  EXPECT_EQ(show.scripted().desktop.message_boxes().size(), c.password_never_right ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Caps, ShowCap, testing::ValuesIn(kCapCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
