// Test doubles for running effects: a desktop whose clock moves only in
// waits, a GDI that records every drawing call (and can pass it on to a GDI
// that draws), and picture surfaces over either.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/drawing_surface.h"
#include "platform/desktop.h"
#include "platform/gdi.h"
#include "support/clock_only_desktop.h"

namespace showsaver::effects_test {

// One thing an effect did to the destination, in order.
struct DrawCall {
  // Messages: the processing of pending messages (a run of them is one entry).
  enum class Kind { BitBlt, StretchBlt, FillBox, Refresh, Messages };
  Kind kind = Kind::BitBlt;
  DcHandle destination;
  DcHandle source;
  int x = 0, y = 0, width = 0, height = 0;
  int source_x = 0, source_y = 0, source_width = 0, source_height = 0;
  std::uint32_t raster_operation = 0;
  ColorRef color = 0;
  std::int64_t elapsed_ms = 0;  // virtual time of the call
};

// The clock: a signed 32-bit tick that wraps like GetTickCount, moved only by
// waits (and, when a test asks for it, by drawing).
class FakeDesktop final : public test::ClockOnlyDesktop {
 public:
  FakeDesktop(std::int32_t start_tick, std::int16_t& stop_requested, std::vector<DrawCall>& calls)
      : start_tick_(start_tick), stop_requested_(stop_requested), calls_(calls) {}

  // A key press delivered by the first message processing at or after
  // `elapsed_ms` milliseconds; waits end early when it falls due.
  void press_key_at(std::int64_t elapsed_ms) { key_at_ = elapsed_ms; }
  void advance(std::int64_t milliseconds) { elapsed_ += milliseconds; }
  std::int64_t elapsed() const { return elapsed_; }
  int messages_processed() const { return messages_processed_; }

  void process_messages() override;
  void wait_for_message_until(std::int32_t deadline) override;
  std::int32_t tick_count() override { return tick_at(elapsed_); }


 private:
  std::int32_t tick_at(std::int64_t elapsed) const;

  std::int32_t start_tick_;
  std::int16_t& stop_requested_;
  std::vector<DrawCall>& calls_;
  std::int64_t elapsed_ = 0;
  std::int64_t key_at_ = -1;
  int messages_processed_ = 0;
};

// Records the drawing calls into `calls`, then passes every call on to
// `drawing` when there is one (so that pixels can be checked).
class RecordingGdi final : public Gdi {
 public:
  RecordingGdi(std::vector<DrawCall>& calls, FakeDesktop& desktop, Gdi* drawing)
      : calls_(calls), desktop_(desktop), drawing_(drawing) {}

  // Virtual milliseconds each drawing call takes (0: drawing is instant).
  void set_draw_cost(std::int64_t milliseconds) { draw_cost_ = milliseconds; }

  bool BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
              int source_x, int source_y, std::uint32_t raster_operation) override;
  bool StretchBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                  int source_x, int source_y, int source_width, int source_height,
                  std::uint32_t raster_operation) override;
  bool FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) override;

  // Not drawing calls: passed on unrecorded.
  DcHandle CreateCompatibleDC(DcHandle dc) override;
  BitmapHandle CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                            const void* bits) override;
  BitmapHandle CreateCompatibleBitmap(DcHandle dc, int width, int height) override;
  BitmapHandle CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header, std::uint32_t init,
                              const void* bits, const BitmapInfoHeader* info,
                              unsigned usage) override;
  BitmapHandle CreateColorBitmap(int width, int height) override;
  BitmapHandle CreateBitmapFromImage(const PixelImage& image) override;
  GdiObject SelectObject(DcHandle dc, GdiObject object) override;
  bool DeleteDC(DcHandle dc) override;
  bool DeleteObject(GdiObject object) override;
  ColorRef SetBkColor(DcHandle dc, ColorRef color) override;
  ColorRef GetBkColor(DcHandle dc) override;
  ColorRef SetTextColor(DcHandle dc, ColorRef color) override;

 private:
  void record(DrawCall call);

  std::vector<DrawCall>& calls_;
  FakeDesktop& desktop_;
  Gdi* drawing_;
  std::int64_t draw_cost_ = 0;
};

// A picture surface of a given size over a device context of `gdi`.
class FakeSurface final : public DrawingSurface {
 public:
  FakeSurface(Gdi& gdi, DcHandle dc, int width, int height, std::vector<DrawCall>& calls,
              FakeDesktop& desktop)
      : gdi_(gdi), dc_(dc), width_(width), height_(height), calls_(calls), desktop_(desktop) {}

  DcHandle dc() const override { return dc_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void on_refresh(std::function<void()> observer) { on_refresh_ = std::move(observer); }
  void refresh() override;
  void filled_box(int x1, int y1, int x2, int y2, ColorRef color) override {
    gdi_.FillBox(dc_, x1, y1, x2, y2, color);
  }

 private:
  Gdi& gdi_;
  DcHandle dc_;
  int width_;
  int height_;
  std::vector<DrawCall>& calls_;
  FakeDesktop& desktop_;
  std::function<void()> on_refresh_;
};

}  // namespace showsaver::effects_test
