// SoftGdi: creating, selecting and deleting device contexts and bitmaps.
#include "platform/soft/soft_gdi.h"

#include <cstdlib>

#include "platform/soft/bitmap_bits.h"

namespace showsaver {

using soft::PixelBitmap;
using soft::PixelFormat;

SoftGdi::SoftGdi() {
  // GDI's stock 1 x 1 monochrome bitmap, the first selection of every memory DC.
  stock_bitmap_ = add_bitmap(*soft::make_pixel_bitmap(1, 1, PixelFormat::kMonochrome));
}

BitmapHandle SoftGdi::add_bitmap(PixelBitmap pixels) {
  return BitmapHandle{bitmaps_.add(BitmapObject{std::move(pixels), DcHandle{}})};
}

BitmapHandle SoftGdi::create_sized(std::int64_t width, std::int64_t height, PixelFormat format) {
  auto pixels = soft::make_pixel_bitmap(width, height, format);
  return pixels ? add_bitmap(std::move(*pixels)) : BitmapHandle{};
}

std::optional<PixelFormat> SoftGdi::compatible_format(DcHandle dc) const {
  if (!dc) return PixelFormat::kColor;
  const DeviceContext* context = dcs_.find(dc.value);
  if (context == nullptr) return std::nullopt;
  return bitmaps_.find(context->selected.value)->pixels.format;
}

PixelBitmap* SoftGdi::selected_bitmap(const DeviceContext& dc) {
  return &bitmaps_.find(dc.selected.value)->pixels;
}

DcHandle SoftGdi::CreateCompatibleDC(DcHandle dc) {
  if (dc && dcs_.find(dc.value) == nullptr) return DcHandle{};
  return DcHandle{dcs_.add(DeviceContext{stock_bitmap_, soft::DcColors{}})};
}

BitmapHandle SoftGdi::CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                                   const void* bits) {
  const unsigned depth = planes * bits_per_pixel;
  if (depth != 1 && depth != 32) return BitmapHandle{};
  if (width == 0 || height == 0) return stock_bitmap_;
  // GDI takes the size of a negative extent.
  const BitmapHandle handle = create_sized(
      std::llabs(static_cast<std::int64_t>(width)), std::llabs(static_cast<std::int64_t>(height)),
      depth == 1 ? PixelFormat::kMonochrome : PixelFormat::kColor);
  if (handle && bits != nullptr) soft::load_bitmap_bits(bitmaps_.find(handle.value)->pixels, bits);
  return handle;
}

BitmapHandle SoftGdi::CreateCompatibleBitmap(DcHandle dc, int width, int height) {
  const auto format = compatible_format(dc);
  if (!format || width < 0 || height < 0) return BitmapHandle{};
  if (width == 0 || height == 0) return stock_bitmap_;
  return create_sized(width, height, *format);
}

BitmapHandle SoftGdi::CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header,
                                     std::uint32_t init, const void* bits,
                                     const BitmapInfoHeader* info, unsigned usage) {
  if (header == nullptr || header->biWidth < 0) return BitmapHandle{};
  // A DDB like CreateCompatibleBitmap's; without a DC it is monochrome.
  const auto format = dc ? compatible_format(dc) : PixelFormat::kMonochrome;
  if (!format) return BitmapHandle{};
  const std::int64_t height = std::llabs(static_cast<std::int64_t>(header->biHeight));
  if (header->biWidth == 0 || height == 0) return stock_bitmap_;
  const BitmapHandle handle = create_sized(header->biWidth, height, *format);
  if (!handle || (init & CBM_INIT) == 0) return handle;
  if (bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS ||
      !soft::load_dib_bits(bitmaps_.find(handle.value)->pixels, *info, bits)) {
    bitmaps_.remove(handle.value);
    return BitmapHandle{};
  }
  return handle;
}

BitmapHandle SoftGdi::CreateColorBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return BitmapHandle{};
  return create_sized(width, height, PixelFormat::kColor);
}

GdiObject SoftGdi::SelectObject(DcHandle dc, GdiObject object) {
  DeviceContext* context = dcs_.find(dc.value);
  BitmapObject* bitmap = bitmaps_.find(object.value);
  if (context == nullptr || bitmap == nullptr) return GdiObject{};
  const bool stock = object == stock_bitmap_;
  if (!stock && bitmap->selected_into && bitmap->selected_into != dc) return GdiObject{};
  const BitmapHandle previous = context->selected;
  if (previous != stock_bitmap_) bitmaps_.find(previous.value)->selected_into = DcHandle{};
  if (!stock) bitmap->selected_into = dc;
  context->selected = object;
  return previous;
}

bool SoftGdi::DeleteDC(DcHandle dc) {
  DeviceContext* context = dcs_.find(dc.value);
  if (context == nullptr) return false;
  if (context->selected != stock_bitmap_) {
    bitmaps_.find(context->selected.value)->selected_into = DcHandle{};
  }
  return dcs_.remove(dc.value);
}

bool SoftGdi::DeleteObject(GdiObject object) {
  const BitmapObject* bitmap = bitmaps_.find(object.value);
  if (bitmap == nullptr) return false;
  if (object == stock_bitmap_) return true;
  if (bitmap->selected_into) return false;
  return bitmaps_.remove(object.value);
}

ColorRef SoftGdi::SetBkColor(DcHandle dc, ColorRef color) {
  DeviceContext* context = dcs_.find(dc.value);
  if (context == nullptr) return CLR_INVALID;
  const ColorRef previous = context->colors.background;
  context->colors.background = color;
  return previous;
}

ColorRef SoftGdi::GetBkColor(DcHandle dc) {
  const DeviceContext* context = dcs_.find(dc.value);
  return context == nullptr ? CLR_INVALID : context->colors.background;
}

ColorRef SoftGdi::SetTextColor(DcHandle dc, ColorRef color) {
  DeviceContext* context = dcs_.find(dc.value);
  if (context == nullptr) return CLR_INVALID;
  const ColorRef previous = context->colors.text;
  context->colors.text = color;
  return previous;
}

std::size_t SoftGdi::live_object_count() const {
  return dcs_.size() + bitmaps_.size() - 1;
}

}  // namespace showsaver
