// A GDI decorator that records the calls made through it, with the virtual
// time of each, and passes every call on to the GDI it wraps.  Drawing can be
// given a cost in virtual time, so that pacing rules can be checked against
// slow drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/scripted/virtual_clock.h"

namespace showsaver {

enum class GdiCallKind {
  // Drawing calls: always recorded.
  BitBlt,
  StretchBlt,
  FillBox,
  // Object calls: recorded when asked for.
  CreateCompatibleDC,
  CreateBitmap,
  CreateCompatibleBitmap,
  CreateDIBitmap,
  CreateColorBitmap,
  CreateBitmapFromImage,
  SelectObject,
  DeleteDC,
  DeleteObject,
  SetBkColor,
  SetTextColor,
};

// One call as it was made.  Fields a kind does not use stay zero.
struct GdiCall {
  GdiCallKind kind = GdiCallKind::BitBlt;
  std::int64_t elapsed_ms = 0;  // virtual time of the call
  // The DC drawn into or acted on; for CreateCompatibleDC the DC it copies.
  DcHandle dc;
  DcHandle source;
  // Blits: the destination rectangle.  FillBox: the corners (x, y) and
  // (x2, y2).  Bitmap creation: the size asked for.
  int x = 0, y = 0, width = 0, height = 0, x2 = 0, y2 = 0;
  int source_x = 0, source_y = 0, source_width = 0, source_height = 0;
  std::uint32_t raster_operation = 0;
  ColorRef color{};  // FillBox, SetBkColor, SetTextColor
  GdiObject object;  // SelectObject, DeleteObject
  // The handle a creating call returned (0 when it failed).
  std::uintptr_t created = 0;

  bool is_drawing() const {
    return kind == GdiCallKind::BitBlt || kind == GdiCallKind::StretchBlt ||
           kind == GdiCallKind::FillBox;
  }
};

class RecordingGdi final : public Gdi {
 public:
  RecordingGdi(Gdi& inner, VirtualClock& clock) : inner_(inner), clock_(clock) {}

  // Virtual milliseconds each drawing call takes (0: drawing is instant).
  void set_draw_cost(std::int64_t milliseconds) { draw_cost_ = milliseconds; }
  // Records object calls (creation, selection, deletion, colours) as well.
  void record_object_calls(bool record) { record_objects_ = record; }
  const std::vector<GdiCall>& calls() const { return calls_; }
  Gdi& inner() { return inner_; }

  bool BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
              int source_x, int source_y, std::uint32_t raster_operation) override;
  bool StretchBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                  int source_x, int source_y, int source_width, int source_height,
                  std::uint32_t raster_operation) override;
  bool FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) override;

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
  ColorRef GetBkColor(DcHandle dc) override { return inner_.GetBkColor(dc); }
  ColorRef SetTextColor(DcHandle dc, ColorRef color) override;
  std::optional<PixelImage> ReadImage(DcHandle dc) const override { return inner_.ReadImage(dc); }

 private:
  GdiCall started(GdiCallKind kind, DcHandle dc) const;
  void record_drawing(const GdiCall& call);
  void record_blit(GdiCallKind kind, DcHandle destination, int x, int y, int width, int height,
                   DcHandle source, int source_x, int source_y, int source_width, int source_height,
                   std::uint32_t raster_operation);
  void record_object(const GdiCall& call);

  Gdi& inner_;
  VirtualClock& clock_;
  std::int64_t draw_cost_ = 0;
  bool record_objects_ = false;
  std::vector<GdiCall> calls_;
};

}  // namespace showsaver
