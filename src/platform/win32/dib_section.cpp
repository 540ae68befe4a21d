#include "platform/win32/dib_section.h"

#include <cstdint>

#include "platform/pixel_image.h"

namespace showsaver {

BITMAPINFO top_down_32bit(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

HBITMAP create_dib_section(int width, int height, void** bits) {
  if (width <= 0 || height <= 0 || std::int64_t{width} * height > kMaxImagePixels) return nullptr;
  const BITMAPINFO info = top_down_32bit(width, height);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace showsaver
