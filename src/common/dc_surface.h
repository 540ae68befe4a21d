// A drawing surface over a device context someone else owns: how an effect is
// run outside the show window (the drawing replay, the effect tests).
#pragma once

#include <functional>
#include <utility>

#include "common/drawing_surface.h"

namespace showsaver {

class DcSurface final : public DrawingSurface {
 public:
  // `refreshed` is called at every refresh (the visible surface's only).
  DcSurface(Gdi& gdi, DcHandle dc, int width, int height, std::function<void()> refreshed = {})
      : gdi_(gdi), dc_(dc), width_(width), height_(height), refreshed_(std::move(refreshed)) {}

  DcHandle dc() const override { return dc_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void refresh() override {
    if (refreshed_) refreshed_();
  }
  void filled_box(int x1, int y1, int x2, int y2, ColorRef color) override {
    gdi_.FillBox(dc_, x1, y1, x2, y2, color);
  }

 private:
  Gdi& gdi_;
  DcHandle dc_;
  int width_;
  int height_;
  std::function<void()> refreshed_;
};

}  // namespace showsaver
