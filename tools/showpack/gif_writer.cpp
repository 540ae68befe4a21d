#include "gif_writer.h"

#include <Magick++.h>
#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

#include "formats/rgb_bytes.h"
#include "picture_import.h"

namespace showsaver::showpack {

GifWriter::GifWriter(const std::string& path) {
  // Opened here rather than by giflib, which makes files only the owner can read.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = path + ": " + std::strerror(errno);
    return;
  }
  int code = 0;
  gif_ = EGifOpenFileHandle(fd, &code);
  if (!gif_) {
    ::close(fd);
    error_ = path + ": " + GifErrorString(code);
  }
}

GifWriter::~GifWriter() {
  if (gif_) finish(pending_ms_);
}

void GifWriter::add(const PixelImage& frame, std::int64_t ms) {
  if (!gif_ || !error_.empty()) return;
  if (!started_) {
    start_image_library();
    written_cs_ = (ms + 5) / 10;
    started_ = true;
  }
  // Refreshes within the same hundredth of a second: only the last shows.
  if (pending_ && (ms + 5) / 10 > written_cs_) write_pending(ms);
  pending_ = frame;
  pending_ms_ = ms;
}

void GifWriter::finish(std::int64_t end_ms) {
  if (!gif_) return;
  if (pending_ && error_.empty()) write_pending(std::max(end_ms, pending_ms_ + 10));
  int code = 0;
  if (EGifCloseFile(gif_, &code) == GIF_ERROR && error_.empty()) {
    error_ = std::string("cannot finish the GIF: ") + GifErrorString(code);
  }
  gif_ = nullptr;
}

void GifWriter::write_pending(std::int64_t until_ms) {
  const PixelImage& frame = *pending_;
  const std::int64_t until_cs = (until_ms + 5) / 10;
  const int delay = int(std::clamp<std::int64_t>(until_cs - written_cs_, 1, 65535));
  written_cs_ += delay;

  // The frame's own palette: quantised with error diffusion.
  const std::vector<std::uint8_t> rgb = rgb_bytes(frame);
  Magick::Image image(std::size_t(frame.width), std::size_t(frame.height), "RGB", Magick::CharPixel,
                      rgb.data());
  image.quantizeColors(256);
  image.quantizeDitherMethod(Magick::FloydSteinbergDitherMethod);
  image.quantizeDither(true);
  image.quantize();
  image.modifyImage();
  ColorMapObject* map = GifMakeMapObject(256, nullptr);
  for (std::size_t i = 0; i < 256; ++i) {
    GifColorType& entry = map->Colors[i];
    entry = {0, 0, 0};
    if (i < image.colorMapSize()) {
      const Magick::ColorRGB colour = image.colorMap(i);
      entry.Red = GifByteType(std::lround(colour.red() * 255));
      entry.Green = GifByteType(std::lround(colour.green() * 255));
      entry.Blue = GifByteType(std::lround(colour.blue() * 255));
    }
  }
  image.getConstPixels(0, 0, image.columns(), image.rows());  // makes the indexes readable
  const MagickCore::IndexPacket* indexes = image.getConstIndexes();
  std::vector<GifPixelType> line(std::size_t(frame.width));

  if (!screen_written_) {
    EGifSetGifVersion(gif_, true);
    if (EGifPutScreenDesc(gif_, frame.width, frame.height, 8, 0, nullptr) == GIF_ERROR) {
      error_ = "cannot write the GIF";
    }
    // Loop for ever.
    const GifByteType loop_name[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[] = {1, 0, 0};
    EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif_, sizeof loop_name, loop_name);
    EGifPutExtensionBlock(gif_, sizeof loop, loop);
    EGifPutExtensionTrailer(gif_);
    screen_written_ = true;
  }
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = delay;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension);
  if (EGifPutImageDesc(gif_, 0, 0, frame.width, frame.height, false, map) == GIF_ERROR) {
    error_ = "cannot write the GIF";
  }
  for (int y = 0; y < frame.height && error_.empty(); ++y) {
    for (int x = 0; x < frame.width; ++x) {
      line[std::size_t(x)] = GifPixelType(indexes[std::size_t(y) * frame.width + x]);
    }
    if (EGifPutLine(gif_, line.data(), frame.width) == GIF_ERROR) error_ = "cannot write the GIF";
  }
  GifFreeMapObject(map);
  pending_.reset();
}

}  // namespace showsaver::showpack
