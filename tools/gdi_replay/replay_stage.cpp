#include "replay_stage.h"

#include <cstdio>

namespace showsaver::gdi_replay {
namespace {

// Caps on an animation that does not end; far above what any takes.
constexpr std::int64_t kMaxVirtualMs = 600'000;
constexpr int kMaxRefreshes = 5'000;

}  // namespace

PixelImage random_picture(std::mt19937& random, Size size) {
  PixelImage image{size.width, size.height, {}};
  for (int i = 0; i < size.width * size.height; ++i) {
    image.pixels.push_back(static_cast<std::uint32_t>(random()) & 0x00FFFFFFu);
  }
  return image;
}

std::string animation_prefix(const std::string& kind, Size size) {
  return kind + "/" + std::to_string(size.width) + "x" + std::to_string(size.height) + "/";
}

ReplayStage::ReplayStage(Gdi& gdi, Size size, std::string prefix, const ImageSink& sink)
    : gdi_(gdi),
      size_(size),
      prefix_(std::move(prefix)),
      sink_(sink),
      desktop_(gdi, clock_, log_),
      stop_(desktop_) {
  stop_.arm();
  desktop_.create_show_window({0, 0, size.width, size.height}, stop_);
  desktop_.on_process_messages([this] {
    if (capped_ || (clock_.elapsed() <= kMaxVirtualMs && refreshes_ <= kMaxRefreshes)) return;
    capped_ = true;
    std::fprintf(stderr, "%sstopped at the cap\n", prefix_.c_str());
    desktop_.press_key_now();
  });
}

std::string ReplayStage::next_refresh_name() {
  const int refresh = refreshes_++;
  const bool small = std::int64_t{size_.width} * size_.height <= kEveryRefreshPixels;
  if (!small && refresh % 10 != 5) return {};
  char name[24];
  std::snprintf(name, sizeof name, "refresh-%04d", refresh);
  return prefix_ + name;
}

void ReplayStage::refreshed(DcHandle dc) {
  desktop_.refresh_picture_area(dc);
  const std::string name = next_refresh_name();
  if (!name.empty()) sink_(name, gdi_.ReadImage(dc).value_or(PixelImage{}));
}

void ReplayStage::record_window_refreshes() {
  desktop_.on_refresh([this](const PixelImage& image) {
    const std::string name = next_refresh_name();
    if (!name.empty()) sink_(name, image);
  });
}

void ReplayStage::end(const PixelImage& image) {
  sink_(prefix_ + "end", image);
}

}  // namespace showsaver::gdi_replay
