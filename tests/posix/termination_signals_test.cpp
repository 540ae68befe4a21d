#include "platform/posix/termination_signals.h"

#include <gtest/gtest.h>

#include <csignal>

namespace showsaver {
namespace {

class TerminationSignalsTest : public testing::TestWithParam<int> {};

TEST_P(TerminationSignalsTest, ASignalBecomesALastingRequestToEnd) {
  const TerminationSignals signals;
  ASSERT_GE(signals.fd(), 0);
  EXPECT_FALSE(end_requested(signals.fd()));
  EXPECT_EQ(signals.received(), 0);
  ASSERT_EQ(std::raise(GetParam()), 0);  // the process lives on
  EXPECT_TRUE(end_requested(signals.fd()));
  EXPECT_TRUE(end_requested(signals.fd())) << "the request stays";
  std::raise(SIGHUP == GetParam() ? SIGINT : SIGHUP);
  EXPECT_EQ(signals.received(), GetParam()) << "the first signal is the one reported";
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalsTest, testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
}  // namespace showsaver
