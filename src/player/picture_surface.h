// A picture surface of the show window: a persistent image with a device
// context, a background colour and optionally a loaded picture.
#pragma once

#include <string>

#include "common/drawing_surface.h"
#include "platform/file_system.h"
#include "platform/gdi.h"
#include "platform/window_system.h"

namespace showsaver {

class PictureSurface final : public DrawingSurface {
 public:
  // `files` gives the pictures to load; `windows` is given for the visible
  // surface only: its refresh shows the image.
  PictureSurface(Gdi& gdi, FileSystem& files, WindowSystem* windows = nullptr);
  ~PictureSurface() override;
  PictureSurface(const PictureSurface&) = delete;
  PictureSurface& operator=(const PictureSurface&) = delete;

  // Gives the surface a new size; the image starts cleared.
  void resize(int width, int height);
  void set_background(ColorRef color) { background_ = color; }
  ColorRef background() const { return background_; }

  // Fills the whole image with the background colour.
  void clear();
  // Draws `source`'s loaded picture at (x, y), at its own size, clipped.
  void draw_picture(const PictureSurface& source, int x, int y);
  // Draws `source`'s whole current image at (0, 0).
  void copy_image(const PictureSurface& source);
  // Replaces the loaded picture by the Windows bitmap file and takes the
  // picture's size; the picture then also forms the image.  Throws
  // RuntimeFailure when the file cannot be read or is not a picture.
  void load_picture(const std::string& path);

  DcHandle dc() const override { return image_dc_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void refresh() override;
  void filled_box(int x1, int y1, int x2, int y2, ColorRef color) override;

 private:
  void release_picture();

  Gdi& gdi_;
  FileSystem& files_;
  WindowSystem* windows_;
  DcHandle image_dc_;
  BitmapHandle image_;
  BitmapHandle stock_image_;
  DcHandle picture_dc_;
  BitmapHandle picture_;
  BitmapHandle stock_picture_;
  int picture_width_ = 0;
  int picture_height_ = 0;
  int width_ = 0;
  int height_ = 0;
  ColorRef background_{};
};

}  // namespace showsaver
