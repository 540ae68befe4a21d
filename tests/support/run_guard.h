// A guard against scripted runs that never stop.  Past a cap the test fails
// and a key is pressed, which ends any run that still heeds input; a run that
// goes on to twice a cap after that is abandoned by throwing RunAbandoned,
// which the harness catches.
#pragma once

#include <cstdint>
#include <string>

#include "platform/scripted/scripted_desktop.h"

namespace showsaver::test {

struct RunAbandoned {};

class RunGuard {
 public:
  // `run` names what runs in the failure messages ("the show").
  RunGuard(std::string run, ScriptedDesktop& desktop) : run_(std::move(run)), desktop_(desktop) {}

  // Checks `value` against `cap`, both counted in `unit` ("transitions").
  void check(std::int64_t value, std::int64_t cap, const char* unit);
  bool tripped() const { return tripped_; }

 private:
  std::string run_;
  ScriptedDesktop& desktop_;
  bool tripped_ = false;
  bool abandoned_ = false;
};

}  // namespace showsaver::test
