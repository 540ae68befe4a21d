// A contact sheet of a rendered show: for each transition one row of a few of
// its frames, small, labelled with the effect's code and name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/pixel_image.h"

namespace showsaver::showpack {

class ContactSheet {
 public:
  static constexpr int kFramesPerRow = 5;
  static constexpr int kThumbWidth = 192;
  static constexpr int kLabelWidth = 220;
  static constexpr int kGap = 4;

  void transition_started(std::int32_t effect);
  // A frame refreshed while the transition is running.
  void frame(const PixelImage& image);
  void transition_finished();

  // Writes the sheet as PNG; a sentence on failure, else empty.
  std::string write(const std::string& path) const;

 private:
  struct Row {
    std::int32_t effect = 0;
    std::vector<PixelImage> frames;
  };
  std::vector<Row> rows_;
  std::vector<PixelImage> running_;  // thumbnails of the transition running
  std::int32_t effect_ = 0;
  bool in_transition_ = false;
};

}  // namespace showsaver::showpack
