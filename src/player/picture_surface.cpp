#include "player/picture_surface.h"

#include <optional>
#include <variant>

#include "common/runtime_failure.h"
#include "formats/bmp/bmp_decoder.h"
#include "platform/player_texts.h"

namespace showsaver {

PictureSurface::PictureSurface(Gdi& gdi, FileSystem& files, WindowSystem* windows)
    : gdi_(gdi), files_(files), windows_(windows) {
  // The image bitmap comes with the first resize, inside the show's error
  // handling; until then the device context holds its stock bitmap.
  image_dc_ = gdi_.CreateCompatibleDC(DcHandle{});
  picture_dc_ = gdi_.CreateCompatibleDC(DcHandle{});
}

PictureSurface::~PictureSurface() {
  release_picture();
  if (stock_image_) gdi_.SelectObject(image_dc_, stock_image_);
  if (image_) gdi_.DeleteObject(image_);
  gdi_.DeleteDC(image_dc_);
  gdi_.DeleteDC(picture_dc_);
}

void PictureSurface::resize(int width, int height) {
  // A surface of no size still needs a bitmap behind its device context.
  const BitmapHandle replacement =
      gdi_.CreateColorBitmap(width > 0 ? width : 1, height > 0 ? height : 1);
  if (!replacement) throw RuntimeFailure(kOutOfMemoryDescription);
  const BitmapHandle previous = gdi_.SelectObject(image_dc_, replacement);
  if (!stock_image_) {
    stock_image_ = previous;
  } else if (previous) {
    gdi_.DeleteObject(previous);
  }
  image_ = replacement;
  width_ = width;
  height_ = height;
  clear();
}

void PictureSurface::clear() {
  if (width_ <= 0 || height_ <= 0) return;
  gdi_.FillBox(image_dc_, 0, 0, width_ - 1, height_ - 1, background_);
}

void PictureSurface::draw_picture(const PictureSurface& source, int x, int y) {
  if (!source.picture_) return;
  gdi_.BitBlt(image_dc_, x, y, source.picture_width_, source.picture_height_, source.picture_dc_, 0,
              0, rop::SRCCOPY);
}

void PictureSurface::copy_image(const PictureSurface& source) {
  gdi_.BitBlt(image_dc_, 0, 0, source.width_, source.height_, source.image_dc_, 0, 0, rop::SRCCOPY);
}

void PictureSurface::load_picture(const std::string& path) {
  const std::optional<Bytes> file = files_.read_file(path);
  if (!file) throw RuntimeFailure(kFileNotFoundDescription);
  // The decoder's own sentence is for authors; the show says what the runtime says.
  const auto decoded = decode_bmp(*file);
  const auto* image = std::get_if<PixelImage>(&decoded);
  if (image == nullptr) throw RuntimeFailure(kInvalidPictureDescription);
  const BitmapHandle bitmap = gdi_.CreateBitmapFromImage(*image);
  if (!bitmap) throw RuntimeFailure(kInvalidPictureDescription);
  release_picture();
  stock_picture_ = gdi_.SelectObject(picture_dc_, bitmap);
  picture_ = bitmap;
  picture_width_ = image->width;
  picture_height_ = image->height;
  resize(image->width, image->height);
  draw_picture(*this, 0, 0);
}

void PictureSurface::release_picture() {
  if (!picture_) return;
  gdi_.SelectObject(picture_dc_, stock_picture_);
  gdi_.DeleteObject(picture_);
  picture_ = {};
}

void PictureSurface::refresh() {
  if (windows_ != nullptr) windows_->refresh_picture_area(image_dc_);
}

void PictureSurface::filled_box(int x1, int y1, int x2, int y2, ColorRef color) {
  gdi_.FillBox(image_dc_, x1, y1, x2, y2, color);
}

}  // namespace showsaver
