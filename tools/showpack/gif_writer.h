// An animated GIF of rendered frames, written as they come: each frame gets
// its own 256-colour palette, chosen by ImageMagick's colour quantiser with
// dithering so that gradients do not band, and shows for as long as it did
// in the show (GIF keeps hundredths of a second).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/pixel_image.h"

struct GifFileType;

namespace showsaver::showpack {

class GifWriter {
 public:
  // Opens `path`; error() says why when it cannot.
  explicit GifWriter(const std::string& path);
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // A frame that appeared `ms` milliseconds into the show.
  void add(const PixelImage& frame, std::int64_t ms);
  // Writes the last frame, held until `end_ms`, and closes the file.
  void finish(std::int64_t end_ms);

  const std::string& error() const { return error_; }

 private:
  void write_pending(std::int64_t until_ms);

  GifFileType* gif_ = nullptr;
  std::string error_;
  std::optional<PixelImage> pending_;
  std::int64_t pending_ms_ = 0;
  std::int64_t written_cs_ = 0;  // hundredths of a second written so far
  bool screen_written_ = false;
  bool started_ = false;
};

}  // namespace showsaver::showpack
