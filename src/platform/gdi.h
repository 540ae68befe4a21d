// The drawing seam: the GDI calls the player and the effects make.
//
// On Windows this is a pass-through to gdi32; elsewhere the software
// implementation in platform/soft reproduces GDI's pixel semantics.  Method
// names and argument orders are GDI's own so that the call sequence in the core
// reads exactly as it runs on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/color.h"
#include "platform/pixel_image.h"

namespace showsaver {

// Opaque handles.  Zero is the null handle, as in GDI.
struct DcHandle {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(DcHandle, DcHandle) = default;
};

struct BitmapHandle {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(BitmapHandle, BitmapHandle) = default;
};

// Raster operations used by the system.  Any other ROP3 code may be passed;
// bits 16-23 are the truth table over pattern 0xF0, source 0xCC, destination 0xAA.
namespace rop {
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;
constexpr std::uint32_t DSTINVERT = 0x00550009;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;
// Destination AND NOT source, as the sprite blit uses it.
constexpr std::uint32_t DEST_AND_NOT_SOURCE = 0x00220326;
}  // namespace rop

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t DIB_RGB_COLORS = 0;
constexpr std::uint32_t CBM_INIT = 4;

// BITMAPINFOHEADER, field for field (40 bytes on file and in memory).
struct BitmapInfoHeader {
  std::uint32_t biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 0;
  std::uint32_t biCompression = BI_RGB;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};

// Pixels a GDI holds, looked at in place: row y of `width` pixels starts at
// `pixels + y * stride`.  Each pixel is 0x??RRGGBB, the layout of a 32-bit
// DIB, whose top byte raster operations may have left non-zero: it is no
// part of the colour, and a display that ignores it (an X11 visual of depth
// 24, SDL's XRGB8888) may take the rows as they are.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

// Pixels to write: row y of `width` pixels starts at `pixels + y * stride`.
struct PixelTarget {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

// What SelectObject takes and gives back.
using GdiObject = BitmapHandle;

class Gdi {
 public:
  virtual ~Gdi() = default;

  // A memory DC compatible with `dc` (null: with the screen).  It starts with a
  // 1 x 1 monochrome bitmap selected, a white background and black text colour.
  virtual DcHandle CreateCompatibleDC(DcHandle dc) = 0;
  // planes * bits_per_pixel must be 1 or 32; `bits` may be null.
  virtual BitmapHandle CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                                    const void* bits) = 0;
  // A bitmap of the format of the bitmap selected into `dc`.
  virtual BitmapHandle CreateCompatibleBitmap(DcHandle dc, int width, int height) = 0;
  virtual BitmapHandle CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header,
                                      std::uint32_t init, const void* bits,
                                      const BitmapInfoHeader* info, unsigned usage) = 0;
  // A 32-bit colour bitmap whatever the DC has selected (a DIB section on
  // Windows); the surfaces of the show are made of these.
  virtual BitmapHandle CreateColorBitmap(int width, int height) = 0;
  // A 32-bit colour bitmap holding `image` (a DIB section filled with its
  // pixels on Windows); null when the image is not well formed or too large.
  virtual BitmapHandle CreateBitmapFromImage(const PixelImage& image) = 0;
  // Returns the previously selected object, null on failure.
  virtual GdiObject SelectObject(DcHandle dc, GdiObject object) = 0;
  virtual bool DeleteDC(DcHandle dc) = 0;
  virtual bool DeleteObject(GdiObject object) = 0;
  // Returns the previous background colour, CLR_INVALID on failure.
  virtual ColorRef SetBkColor(DcHandle dc, ColorRef color) = 0;
  virtual ColorRef GetBkColor(DcHandle dc) = 0;
  virtual ColorRef SetTextColor(DcHandle dc, ColorRef color) = 0;

  virtual bool BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                      int source_x, int source_y, std::uint32_t raster_operation) = 0;
  virtual bool StretchBlt(DcHandle destination, int x, int y, int width, int height,
                          DcHandle source, int source_x, int source_y, int source_width,
                          int source_height, std::uint32_t raster_operation) = 0;
  // The filled box of a picture surface: fills the rectangle between the two
  // corners, both included, clipped to the bitmap selected into `dc`.
  virtual bool FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) = 0;

  // A copy of the bitmap selected into `dc` as 32-bit pixels (GetDIBits);
  // nothing for a bad handle.  A monochrome bitmap reads as black and white.
  virtual std::optional<PixelImage> ReadImage(DcHandle dc) const = 0;
  // The colour bitmap selected into `dc` in place, without a copy, for a
  // desktop that puts it on screen; valid until the next call that draws,
  // selects or deletes.  Nothing where the GDI holds no such pixels (a GDI
  // that draws elsewhere, a monochrome bitmap, a bad handle): ReadImage then.
  virtual std::optional<PixelView> ViewImage(DcHandle) const { return std::nullopt; }
  // The same pixels to write in place, so that a frame the core computes
  // (a cross-fade's blend) needs no bitmap of its own: what is written is
  // what the next blit from `dc` reads.  Nothing where ViewImage gives
  // nothing.
  virtual std::optional<PixelTarget> EditImage(DcHandle) { return std::nullopt; }
};

}  // namespace showsaver
