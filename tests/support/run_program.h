// Running the project's own programs from end-to-end tests.
#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace showsaver::test {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `args`, its output captured in files of `dir`.
RunResult run_program(const TempDir& dir, const std::string& program, std::vector<std::string> args);

#ifdef SHOWPACK_PATH
inline RunResult run_showpack(const TempDir& dir, std::vector<std::string> args) {
  return run_program(dir, SHOWPACK_PATH, std::move(args));
}
#endif

}  // namespace showsaver::test
