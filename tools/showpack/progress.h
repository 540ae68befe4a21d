// A progress bar on stderr for work that takes more than a moment, drawn
// only when stderr is a terminal and the work has run for half a second.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace showsaver::showpack {

// "pictures [#########.........]  9/20", the bar `width` characters wide;
// without a total, only the count.
std::string progress_line(const std::string& label, std::size_t done, std::size_t total,
                          int width = 30);

class Progress {
 public:
  Progress(std::string label, std::size_t total);
  ~Progress();  // clears the bar
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void update(std::size_t done);
  // Clears the bar, so that other output can follow.
  void finish();

 private:
  std::string label_;
  std::size_t total_;
  bool terminal_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace showsaver::showpack
