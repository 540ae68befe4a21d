// GDI in software: device contexts, bitmaps and blits with the pixel results
// Windows' GDI gives, for the Linux build and for every test.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/gdi.h"
#include "platform/pixel_image.h"
#include "platform/soft/blit_request.h"
#include "platform/soft/handle_table.h"
#include "platform/soft/pixel_bitmap.h"

namespace showsaver {

// Handles are checked: a null, stale or wrong-kind handle makes the call fail
// as in GDI (null, false or CLR_INVALID), never crash.
//
// As in GDI, every memory DC starts with the stock 1 x 1 monochrome bitmap
// selected, a white background and black text; a bitmap is selected into at
// most one DC; DeleteObject fails on a bitmap that is selected and does
// nothing (successfully) on the stock bitmap; DeleteDC leaves the bitmap it
// held alive until DeleteObject.
class SoftGdi final : public Gdi {
 public:
  SoftGdi();

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

  bool BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
              int source_x, int source_y, std::uint32_t raster_operation) override;
  bool StretchBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                  int source_x, int source_y, int source_width, int source_height,
                  std::uint32_t raster_operation) override;
  bool FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) override;

  // A copy of the bitmap selected into `dc`, each pixel 0x00RRGGBB (a
  // monochrome bitmap reads as black and white).
  std::optional<PixelImage> ReadImage(DcHandle dc) const override;
  // The selected colour bitmap's own pixels; nothing for a monochrome one.
  std::optional<PixelView> ViewImage(DcHandle dc) const override;
  std::optional<PixelTarget> EditImage(DcHandle dc) override;
  // Device contexts and bitmaps alive now, the stock bitmap not counted.
  std::size_t live_object_count() const;

 private:
  struct DeviceContext {
    BitmapHandle selected;
    soft::DcColors colors;
  };
  struct BitmapObject {
    soft::PixelBitmap pixels;
    DcHandle selected_into;  // null while not selected (the stock bitmap never records it)
  };

  BitmapHandle add_bitmap(soft::PixelBitmap pixels);
  BitmapHandle create_sized(std::int64_t width, std::int64_t height, soft::PixelFormat format);
  // The format new compatible bitmaps take from `dc`: that of its selected
  // bitmap; colour for the null (screen) DC; nothing for a bad handle.
  std::optional<soft::PixelFormat> compatible_format(DcHandle dc) const;
  soft::PixelBitmap* selected_bitmap(const DeviceContext& dc);
  bool blit(DcHandle destination, const soft::BlitGeometry& geometry, DcHandle source,
            std::uint32_t raster_operation);

  soft::HandleCounter counter_;
  soft::HandleTable<DeviceContext> dcs_{counter_};
  soft::HandleTable<BitmapObject> bitmaps_{counter_};
  BitmapHandle stock_bitmap_;
};

}  // namespace showsaver
