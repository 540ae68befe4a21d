// How a subcommand ends: CLI11 takes a RuntimeError as the exit status, so
// a failed command sets the status without printing anything more.
#pragma once

#include <CLI/CLI.hpp>

namespace showsaver::showpack {

inline void finish_command(int status) {
  if (status != 0) throw CLI::RuntimeError(status);
}

}  // namespace showsaver::showpack
