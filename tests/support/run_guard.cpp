#include "support/run_guard.h"

#include <gtest/gtest.h>

namespace showsaver::test {

void RunGuard::check(std::int64_t value, std::int64_t cap, const char* unit) {
  if (value <= cap || abandoned_) return;
  if (!tripped_) {
    tripped_ = true;
    ADD_FAILURE() << run_ << " ran past " << cap << " " << unit << " without stopping";
    desktop_.press_key_now();
    return;
  }
  if (value / 2 <= cap) return;
  // Thrown once only, so that no later check throws while this unwinds.
  abandoned_ = true;
  ADD_FAILURE() << run_ << " went on to twice " << cap << " " << unit
                << " after a key press; abandoned";
  throw RunAbandoned{};
}

}  // namespace showsaver::test
