#include "platform/win32/win32_gdi.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/dib_section.h"

namespace showsaver {
namespace {

static_assert(sizeof(BitmapInfoHeader) == sizeof(BITMAPINFOHEADER));

HDC hdc(DcHandle dc) {
  return reinterpret_cast<HDC>(dc.value);
}
HGDIOBJ object_of(BitmapHandle bitmap) {
  return reinterpret_cast<HGDIOBJ>(bitmap.value);
}
DcHandle dc_handle(HDC dc) {
  return DcHandle{reinterpret_cast<std::uintptr_t>(dc)};
}
BitmapHandle bitmap_handle(HGDIOBJ bitmap) {
  return BitmapHandle{reinterpret_cast<std::uintptr_t>(bitmap)};
}
COLORREF colorref(ColorRef color) {
  return raw(color);
}

// The seam's header carries no colour table: only 24- and 32-bit rows come
// through it, and those need none.
BITMAPINFO bitmap_info(const BitmapInfoHeader& header) {
  BITMAPINFO info{};
  std::memcpy(&info.bmiHeader, &header, sizeof info.bmiHeader);
  return info;
}

// The size of the bitmap selected into `dc`.
std::optional<BITMAP> selected_bitmap(HDC dc) {
  const HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
  BITMAP description{};
  if (selected == nullptr || GetObjectW(selected, sizeof description, &description) == 0) {
    return std::nullopt;
  }
  return description;
}

}  // namespace

DcHandle Win32Gdi::CreateCompatibleDC(DcHandle dc) {
  return dc_handle(::CreateCompatibleDC(hdc(dc)));
}

BitmapHandle Win32Gdi::CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                                    const void* bits) {
  return bitmap_handle(::CreateBitmap(width, height, planes, bits_per_pixel, bits));
}

BitmapHandle Win32Gdi::CreateCompatibleBitmap(DcHandle dc, int width, int height) {
  return bitmap_handle(::CreateCompatibleBitmap(hdc(dc), width, height));
}

BitmapHandle Win32Gdi::CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header,
                                      std::uint32_t init, const void* bits,
                                      const BitmapInfoHeader* info, unsigned usage) {
  BITMAPINFOHEADER created{};
  if (header != nullptr) std::memcpy(&created, header, sizeof created);
  BITMAPINFO described{};
  if (info != nullptr) described = bitmap_info(*info);
  return bitmap_handle(::CreateDIBitmap(hdc(dc), header != nullptr ? &created : nullptr, init, bits,
                                        info != nullptr ? &described : nullptr, usage));
}

BitmapHandle Win32Gdi::CreateColorBitmap(int width, int height) {
  void* bits = nullptr;
  return remember_section(bitmap_handle(create_dib_section(width, height, &bits)));
}

BitmapHandle Win32Gdi::CreateBitmapFromImage(const PixelImage& image) {
  const std::int64_t count = std::int64_t{image.width} * image.height;
  if (image.width <= 0 || image.height <= 0 ||
      static_cast<std::int64_t>(image.pixels.size()) != count) {
    return BitmapHandle{};
  }
  void* bits = nullptr;
  const HBITMAP bitmap = create_dib_section(image.width, image.height, &bits);
  if (bitmap == nullptr) return BitmapHandle{};
  // 0x00RRGGBB words are the bytes B, G, R, 0 of a 32-bit DIB's pixel.
  std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
  return remember_section(bitmap_handle(bitmap));
}

GdiObject Win32Gdi::SelectObject(DcHandle dc, GdiObject object) {
  return bitmap_handle(::SelectObject(hdc(dc), object_of(object)));
}

bool Win32Gdi::DeleteDC(DcHandle dc) {
  return ::DeleteDC(hdc(dc)) != FALSE;
}

bool Win32Gdi::DeleteObject(GdiObject object) {
  const bool deleted = ::DeleteObject(object_of(object)) != FALSE;
  if (deleted) top_down_sections_.erase(object.value);
  return deleted;
}

ColorRef Win32Gdi::SetBkColor(DcHandle dc, ColorRef color) {
  return ColorRef{::SetBkColor(hdc(dc), colorref(color))};
}

ColorRef Win32Gdi::GetBkColor(DcHandle dc) {
  return ColorRef{::GetBkColor(hdc(dc))};
}

ColorRef Win32Gdi::SetTextColor(DcHandle dc, ColorRef color) {
  return ColorRef{::SetTextColor(hdc(dc), colorref(color))};
}

bool Win32Gdi::BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                      int source_x, int source_y, std::uint32_t raster_operation) {
  return ::BitBlt(hdc(destination), x, y, width, height, hdc(source), source_x, source_y,
                  raster_operation) != FALSE;
}

bool Win32Gdi::StretchBlt(DcHandle destination, int x, int y, int width, int height,
                          DcHandle source, int source_x, int source_y, int source_width,
                          int source_height, std::uint32_t raster_operation) {
  return ::StretchBlt(hdc(destination), x, y, width, height, hdc(source), source_x, source_y,
                      source_width, source_height, raster_operation) != FALSE;
}

bool Win32Gdi::FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) {
  const auto bitmap = selected_bitmap(hdc(dc));
  if (!bitmap) return false;
  // Both corners are inside the box; clipped in 64 bits so that x2 + 1 cannot overflow.
  RECT box;
  box.left = static_cast<LONG>(std::clamp<std::int64_t>(std::min(x1, x2), 0, bitmap->bmWidth));
  box.right = static_cast<LONG>(
      std::clamp<std::int64_t>(std::int64_t{std::max(x1, x2)} + 1, 0, bitmap->bmWidth));
  box.top = static_cast<LONG>(std::clamp<std::int64_t>(std::min(y1, y2), 0, bitmap->bmHeight));
  box.bottom = static_cast<LONG>(
      std::clamp<std::int64_t>(std::int64_t{std::max(y1, y2)} + 1, 0, bitmap->bmHeight));
  if (box.left >= box.right || box.top >= box.bottom) return true;
  const HBRUSH brush = CreateSolidBrush(colorref(color));
  if (brush == nullptr) return false;
  const bool filled = FillRect(hdc(dc), &box, brush) != 0;
  ::DeleteObject(brush);
  return filled;
}

std::optional<PixelImage> Win32Gdi::ReadImage(DcHandle dc) const {
  const auto bitmap = selected_bitmap(hdc(dc));
  if (!bitmap || bitmap->bmWidth <= 0 || bitmap->bmHeight <= 0) return std::nullopt;
  PixelImage image{bitmap->bmWidth, bitmap->bmHeight, {}};
  image.pixels.resize(static_cast<std::size_t>(image.width) *
                      static_cast<std::size_t>(image.height));
  BITMAPINFO info = top_down_32bit(image.width, image.height);
  // Drawing into a DIB section may still be queued.
  GdiFlush();
  const HGDIOBJ selected = GetCurrentObject(hdc(dc), OBJ_BITMAP);
  const int rows =
      GetDIBits(hdc(dc), static_cast<HBITMAP>(selected), 0, static_cast<UINT>(image.height),
                image.pixels.data(), &info, DIB_RGB_COLORS);
  if (rows != image.height) return std::nullopt;
  // The top byte a raster operation may leave in a pixel is not colour.
  for (std::uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFFu;
  return image;
}

BitmapHandle Win32Gdi::remember_section(BitmapHandle bitmap) {
  if (bitmap) top_down_sections_.insert(bitmap.value);
  return bitmap;
}

std::optional<PixelTarget> Win32Gdi::section_rows(DcHandle dc) const {
  const HGDIOBJ selected = GetCurrentObject(hdc(dc), OBJ_BITMAP);
  if (selected == nullptr || !top_down_sections_.contains(bitmap_handle(selected).value)) {
    return std::nullopt;
  }
  DIBSECTION section{};
  if (GetObjectW(selected, sizeof section, &section) != static_cast<int>(sizeof section)) {
    return std::nullopt;
  }
  const BITMAP& bitmap = section.dsBm;
  if (bitmap.bmBits == nullptr || bitmap.bmBitsPixel != 32) return std::nullopt;
  // Drawing into a DIB section may still be queued.
  GdiFlush();
  return PixelTarget{static_cast<std::uint32_t*>(bitmap.bmBits), bitmap.bmWidth, bitmap.bmHeight,
                     static_cast<std::size_t>(bitmap.bmWidthBytes) / sizeof(std::uint32_t)};
}

std::optional<PixelView> Win32Gdi::ViewImage(DcHandle dc) const {
  const auto rows = section_rows(dc);
  if (!rows) return std::nullopt;
  return PixelView{rows->pixels, rows->width, rows->height, rows->stride};
}

std::optional<PixelTarget> Win32Gdi::EditImage(DcHandle dc) {
  return section_rows(dc);
}

}  // namespace showsaver
