#include "effects/image_copy.h"

namespace showsaver {

void put_image(Gdi& gdi, DcHandle destination, const PixelImage& image) {
  const BitmapHandle bitmap = gdi.CreateBitmapFromImage(image);
  if (!bitmap) return;
  const DcHandle dc = gdi.CreateCompatibleDC(destination);
  const GdiObject previous = gdi.SelectObject(dc, bitmap);
  gdi.BitBlt(destination, 0, 0, image.width, image.height, dc, 0, 0, rop::SRCCOPY);
  gdi.SelectObject(dc, previous);
  gdi.DeleteDC(dc);
  gdi.DeleteObject(bitmap);
}

}  // namespace showsaver
