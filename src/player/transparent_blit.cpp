#include "player/transparent_blit.h"

#include "common/runtime_failure.h"
#include "common/show_math.h"

namespace showsaver {
namespace {

// The header of the hole bitmap: 24-bit top-down rows.  Computing it is where
// the sizes can overflow.
BitmapInfoHeader hole_header(std::int32_t width, std::int32_t height) {
  BitmapInfoHeader header;
  header.biSize = 40;
  header.biWidth = width;
  header.biHeight = checked_neg(height);
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<std::uint32_t>(checked_mul(checked_mul(width, height), 3));
  return header;
}

}  // namespace

void BlitTransparent(Gdi& gdi, DcHandle destination, std::int32_t x, std::int32_t y,
                     std::int32_t width, std::int32_t height, DcHandle source,
                     std::int32_t source_x, std::int32_t source_y, ColorRef transparent_color) {
  // The mask: 1 where the source pixel is the transparent colour.
  const DcHandle mask_dc = gdi.CreateCompatibleDC(destination);
  const BitmapHandle mask_bitmap = gdi.CreateBitmap(width, height, 1, 1, nullptr);
  gdi.SelectObject(mask_dc, mask_bitmap);
  const ColorRef previous_background = gdi.SetBkColor(source, transparent_color);
  gdi.BitBlt(mask_dc, 0, 0, width, height, source, source_x, source_y, rop::SRCCOPY);
  gdi.SetBkColor(source, previous_background);

  BitmapInfoHeader header;
  try {
    header = hole_header(width, height);
  } catch (const RuntimeFailure&) {
    gdi.DeleteDC(mask_dc);
    gdi.DeleteObject(mask_bitmap);
    throw;
  }

  // The hole: the mask in colour, white where transparent, black where opaque
  // (the hole DC keeps its default black text and white background).
  const BitmapHandle hole_bitmap =
      gdi.CreateDIBitmap(source, &header, 0, nullptr, &header, DIB_RGB_COLORS);
  const DcHandle hole_dc = gdi.CreateCompatibleDC(source);
  gdi.SelectObject(hole_dc, hole_bitmap);
  gdi.BitBlt(hole_dc, 0, 0, width, height, mask_dc, 0, 0, rop::SRCCOPY);

  // The sprite: the source with its transparent pixels made black.
  const DcHandle sprite_dc = gdi.CreateCompatibleDC(destination);
  const BitmapHandle sprite_bitmap = gdi.CreateCompatibleBitmap(destination, width, height);
  gdi.SelectObject(sprite_dc, sprite_bitmap);
  gdi.BitBlt(sprite_dc, 0, 0, width, height, source, source_x, source_y, rop::SRCCOPY);
  gdi.BitBlt(sprite_dc, 0, 0, width, height, mask_dc, 0, 0, rop::DEST_AND_NOT_SOURCE);

  // Black holes where the sprite is opaque, then the sprite's colours into them.
  gdi.BitBlt(destination, x, y, width, height, hole_dc, 0, 0, rop::SRCAND);
  gdi.BitBlt(destination, x, y, width, height, sprite_dc, 0, 0, rop::SRCINVERT);

  gdi.DeleteDC(mask_dc);
  gdi.DeleteDC(hole_dc);
  gdi.DeleteDC(sprite_dc);
  gdi.DeleteObject(mask_bitmap);
  gdi.DeleteObject(hole_bitmap);
  gdi.DeleteObject(sprite_bitmap);
}

}  // namespace showsaver
