// SoftGdi: the drawing calls, and images in and out.
#include <algorithm>

#include "platform/soft/blit.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {

using soft::PixelBitmap;
using soft::PixelFormat;

bool SoftGdi::blit(DcHandle destination, const soft::BlitGeometry& geometry, DcHandle source,
                   std::uint32_t raster_operation) {
  DeviceContext* target = dcs_.find(destination.value);
  if (target == nullptr) return false;
  soft::BlitRequest request;
  request.destination = selected_bitmap(*target);
  request.destination_colors = target->colors;
  request.geometry = geometry;
  request.rop = soft::decode_rop3(raster_operation);
  // An operation that reads no source ignores the source DC, as GDI does.
  if (request.rop.uses_source) {
    DeviceContext* origin = dcs_.find(source.value);
    if (origin == nullptr) return false;
    request.source = selected_bitmap(*origin);
    request.source_colors = origin->colors;
  }
  soft::blit(request);
  return true;
}

bool SoftGdi::BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                     int source_x, int source_y, std::uint32_t raster_operation) {
  return blit(destination, {{x, y, width, height}, {source_x, source_y, width, height}}, source,
              raster_operation);
}

bool SoftGdi::StretchBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                         int source_x, int source_y, int source_width, int source_height,
                         std::uint32_t raster_operation) {
  return blit(destination,
              {{x, y, width, height}, {source_x, source_y, source_width, source_height}}, source,
              raster_operation);
}

bool SoftGdi::FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) {
  const DeviceContext* context = dcs_.find(dc.value);
  if (context == nullptr) return false;
  PixelBitmap& bitmap = *selected_bitmap(*context);
  // Both corners are inside the box; 64-bit so that x2 + 1 cannot overflow.
  const std::int64_t left = std::max<std::int64_t>(std::min(x1, x2), 0);
  const std::int64_t right =
      std::min<std::int64_t>(std::int64_t{std::max(x1, x2)} + 1, bitmap.width);
  const std::int64_t top = std::max<std::int64_t>(std::min(y1, y2), 0);
  const std::int64_t bottom =
      std::min<std::int64_t>(std::int64_t{std::max(y1, y2)} + 1, bitmap.height);
  const std::uint32_t value = soft::solid_pixel(color, bitmap.format);
  if (left >= right) return true;  // wholly left or right of the bitmap
  for (std::int64_t y = top; y < bottom; ++y) {
    std::uint32_t* row = bitmap.row(static_cast<int>(y));
    std::fill(row + left, row + right, value);
  }
  return true;
}

std::optional<PixelImage> SoftGdi::ReadImage(DcHandle dc) const {
  const DeviceContext* context = dcs_.find(dc.value);
  if (context == nullptr) return std::nullopt;
  const PixelBitmap& bitmap = bitmaps_.find(context->selected.value)->pixels;
  PixelImage image{bitmap.width, bitmap.height, bitmap.pixels};
  // The top byte that raster operations may leave in a pixel is not colour.
  const bool mono = bitmap.format == PixelFormat::kMonochrome;
  for (std::uint32_t& pixel : image.pixels) {
    pixel = mono ? (pixel != 0 ? 0x00FFFFFFu : 0u) : (pixel & 0x00FFFFFFu);
  }
  return image;
}

std::optional<PixelView> SoftGdi::ViewImage(DcHandle dc) const {
  const DeviceContext* context = dcs_.find(dc.value);
  if (context == nullptr) return std::nullopt;
  const PixelBitmap& bitmap = bitmaps_.find(context->selected.value)->pixels;
  if (bitmap.format != PixelFormat::kColor) return std::nullopt;
  return PixelView{bitmap.pixels.data(), bitmap.width, bitmap.height,
                   static_cast<std::size_t>(bitmap.width)};
}

std::optional<PixelTarget> SoftGdi::EditImage(DcHandle dc) {
  const auto view = ViewImage(dc);
  if (!view) return std::nullopt;
  // The view is of this GDI's own, writable memory.
  return PixelTarget{const_cast<std::uint32_t*>(view->pixels), view->width, view->height,
                     view->stride};
}

BitmapHandle SoftGdi::CreateBitmapFromImage(const PixelImage& image) {
  const std::int64_t count = std::int64_t{image.width} * image.height;
  if (image.width <= 0 || image.height <= 0 ||
      static_cast<std::int64_t>(image.pixels.size()) != count) {
    return BitmapHandle{};
  }
  const BitmapHandle handle = create_sized(image.width, image.height, PixelFormat::kColor);
  if (handle) bitmaps_.find(handle.value)->pixels.pixels = image.pixels;
  return handle;
}

}  // namespace showsaver
