// The drawing seam on Windows: a pass-through to gdi32.  A DcHandle is the
// HDC and a BitmapHandle the HBITMAP, so what the core draws is what GDI draws.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "platform/gdi.h"

namespace showsaver {

class Win32Gdi final : public Gdi {
 public:
  DcHandle CreateCompatibleDC(DcHandle dc) override;
  BitmapHandle CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                            const void* bits) override;
  BitmapHandle CreateCompatibleBitmap(DcHandle dc, int width, int height) override;
  BitmapHandle CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header, std::uint32_t init,
                              const void* bits, const BitmapInfoHeader* info,
                              unsigned usage) override;
  // A 32-bit top-down DIB section.
  BitmapHandle CreateColorBitmap(int width, int height) override;
  // A 32-bit top-down DIB section holding the image's pixels.
  BitmapHandle CreateBitmapFromImage(const PixelImage& image) override;
  GdiObject SelectObject(DcHandle dc, GdiObject object) override;
  bool DeleteDC(DcHandle dc) override;
  bool DeleteObject(GdiObject object) override;
  ColorRef SetBkColor(DcHandle dc, ColorRef color) override;
  ColorRef GetBkColor(DcHandle dc) override;
  ColorRef SetTextColor(DcHandle dc, ColorRef color) override;

  // StretchBlt keeps the DC's stretch mode as it is (BLACKONWHITE for a new DC).
  bool BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
              int source_x, int source_y, std::uint32_t raster_operation) override;
  bool StretchBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                  int source_x, int source_y, int source_width, int source_height,
                  std::uint32_t raster_operation) override;
  // FillRect with a solid brush on the box, clipped to the selected bitmap.
  bool FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) override;

  // GetDIBits of the selected bitmap as 32-bit top-down rows.
  std::optional<PixelImage> ReadImage(DcHandle dc) const override;
  // The bits of the selected bitmap when it is one of the DIB sections
  // CreateColorBitmap and CreateBitmapFromImage made, after GdiFlush so that
  // they hold everything drawn so far.
  std::optional<PixelView> ViewImage(DcHandle dc) const override;
  std::optional<PixelTarget> EditImage(DcHandle dc) override;

 private:
  BitmapHandle remember_section(BitmapHandle bitmap);
  std::optional<PixelTarget> section_rows(DcHandle dc) const;

  // The DIB sections made here and not yet deleted.  GetObject tells a DIB
  // section's rows and size but not which way they run (it gives the height
  // without its sign), and only these are known to run top-down.
  std::unordered_set<std::uintptr_t> top_down_sections_;
};

}  // namespace showsaver
