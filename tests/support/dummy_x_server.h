// A real X server with several monitors for tests: Xorg with the dummy video
// driver, its outputs DUMMY0, DUMMY1, ... laid out left to right by xrandr,
// the first one primary, and the root window grey, so that a part of the
// screen nobody covers cannot pass for black.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/geometry.h"
#include "support/temp_dir.h"

namespace showsaver::test {

class DummyXServer {
 public:
  // Starts the server with one monitor of each size; check ok().
  explicit DummyXServer(const std::vector<Size>& monitors);
  ~DummyXServer();
  DummyXServer(const DummyXServer&) = delete;
  DummyXServer& operator=(const DummyXServer&) = delete;

  bool ok() const { return problem_.empty(); }
  // Why the server could not be made, with its log.
  const std::string& problem() const { return problem_; }
  // ":N", for DISPLAY.
  const std::string& name() const { return name_; }
  // The monitors as placed on the screen, the primary first.
  const std::vector<Rect>& monitors() const { return monitors_; }

 private:
  // Runs a program with DISPLAY set to this server; true when it exits 0.
  bool run(const std::vector<std::string>& command);
  void fail(const std::string& what);

  TempDir folder_;
  pid_t server_ = -1;
  std::string name_;
  std::vector<Rect> monitors_;
  std::string problem_;
};

}  // namespace showsaver::test
