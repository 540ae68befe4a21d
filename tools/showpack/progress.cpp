#include "progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace showsaver::showpack {

std::string progress_line(const std::string& label, std::size_t done, std::size_t total,
                          int width) {
  if (total == 0) return label + " " + std::to_string(done);
  done = std::min(done, total);
  const auto filled = static_cast<std::size_t>(done * std::size_t(width) / total);
  return label + " [" + std::string(filled, '#') + std::string(std::size_t(width) - filled, '.') +
         "] " + std::to_string(done) + "/" + std::to_string(total);
}

Progress::Progress(std::string label, std::size_t total)
    : label_(std::move(label)),
      total_(total),
      terminal_(::isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()),
      last_(start_) {}

Progress::~Progress() {
  finish();
}

void Progress::finish() {
  if (shown_) std::fprintf(stderr, "\r\033[K");
  shown_ = false;
  terminal_ = false;
}

void Progress::update(std::size_t done) {
  if (!terminal_) return;
  const auto now = std::chrono::steady_clock::now();
  // Quick work shows nothing; slow work is redrawn ten times a second.
  if (now - start_ < std::chrono::milliseconds(500) || now - last_ < std::chrono::milliseconds(100))
    return;
  last_ = now;
  shown_ = true;
  std::fprintf(stderr, "\r%s\033[K", progress_line(label_, done, total_).c_str());
  std::fflush(stderr);
}

}  // namespace showsaver::showpack
