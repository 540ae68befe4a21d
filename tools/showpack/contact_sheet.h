// A contact sheet of a rendered show: a row of a few frames, small, for each
// transition (labelled with the effect's code and name, or as a cross-fade
// with its length and the fallback stored for it) and for each hold that
// pans and zooms, in the order they played.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/pixel_image.h"
#include "player/show_observer.h"

namespace showsaver::showpack {

// The two lines a row is labelled with: the second, smaller, may be empty.
struct RowLabel {
  std::string title;
  std::string note;
  friend bool operator==(const RowLabel&, const RowLabel&) = default;
};

// "19  wipe-left"; a cross-fade "fade  1.5 s" over "fallback 19  wipe-left".
RowLabel transition_label(const TransitionStart& start);
// "pan-zoom" over "hold of scene 3".
RowLabel moving_hold_label(std::int32_t scene);

class ContactSheet {
 public:
  static constexpr int kFramesPerRow = 5;
  static constexpr int kThumbWidth = 192;
  static constexpr int kLabelWidth = 220;
  static constexpr int kGap = 4;

  // A row begins, ending the one running.
  void transition_started(const TransitionStart& start);
  void moving_hold_started(std::int32_t scene);
  // A frame refreshed while a row is running.
  void frame(const PixelImage& image);
  // The row running ends: its frames are sampled into the sheet.
  void row_finished();

  // Writes the sheet as PNG; a sentence on failure, else empty.
  std::string write(const std::string& path) const;

 private:
  struct Row {
    RowLabel label;
    std::vector<PixelImage> frames;
  };
  void start_row(RowLabel label);

  std::vector<Row> rows_;
  std::vector<PixelImage> running_;  // thumbnails of the row running
  RowLabel label_;
  bool in_row_ = false;
};

}  // namespace showsaver::showpack
