#include "platform/scripted/recording_gdi.h"

namespace showsaver {

GdiCall RecordingGdi::started(GdiCallKind kind, DcHandle dc) const {
  GdiCall call;
  call.kind = kind;
  call.elapsed_ms = clock_.elapsed();
  call.dc = dc;
  return call;
}

void RecordingGdi::record_drawing(const GdiCall& call) {
  calls_.push_back(call);
  clock_.advance(draw_cost_);
}

void RecordingGdi::record_object(const GdiCall& call) {
  if (record_objects_) calls_.push_back(call);
}

bool RecordingGdi::BitBlt(DcHandle destination, int x, int y, int width, int height,
                          DcHandle source, int source_x, int source_y,
                          std::uint32_t raster_operation) {
  record_blit(GdiCallKind::BitBlt, destination, x, y, width, height, source, source_x, source_y,
              width, height, raster_operation);
  return inner_.BitBlt(destination, x, y, width, height, source, source_x, source_y,
                       raster_operation);
}

bool RecordingGdi::StretchBlt(DcHandle destination, int x, int y, int width, int height,
                              DcHandle source, int source_x, int source_y, int source_width,
                              int source_height, std::uint32_t raster_operation) {
  record_blit(GdiCallKind::StretchBlt, destination, x, y, width, height, source, source_x, source_y,
              source_width, source_height, raster_operation);
  return inner_.StretchBlt(destination, x, y, width, height, source, source_x, source_y,
                           source_width, source_height, raster_operation);
}

void RecordingGdi::record_blit(GdiCallKind kind, DcHandle destination, int x, int y, int width,
                               int height, DcHandle source, int source_x, int source_y,
                               int source_width, int source_height,
                               std::uint32_t raster_operation) {
  GdiCall call = started(kind, destination);
  call.source = source;
  call.x = x, call.y = y, call.width = width, call.height = height;
  call.source_x = source_x, call.source_y = source_y;
  call.source_width = source_width, call.source_height = source_height;
  call.raster_operation = raster_operation;
  record_drawing(call);
}

bool RecordingGdi::FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) {
  GdiCall call = started(GdiCallKind::FillBox, dc);
  call.x = x1, call.y = y1, call.x2 = x2, call.y2 = y2;
  call.color = color;
  record_drawing(call);
  return inner_.FillBox(dc, x1, y1, x2, y2, color);
}

DcHandle RecordingGdi::CreateCompatibleDC(DcHandle dc) {
  GdiCall call = started(GdiCallKind::CreateCompatibleDC, dc);
  const DcHandle created = inner_.CreateCompatibleDC(dc);
  call.created = created.value;
  record_object(call);
  return created;
}

BitmapHandle RecordingGdi::CreateBitmap(int width, int height, unsigned planes,
                                        unsigned bits_per_pixel, const void* bits) {
  GdiCall call = started(GdiCallKind::CreateBitmap, DcHandle{});
  call.width = width, call.height = height;
  const BitmapHandle created = inner_.CreateBitmap(width, height, planes, bits_per_pixel, bits);
  call.created = created.value;
  record_object(call);
  return created;
}

BitmapHandle RecordingGdi::CreateCompatibleBitmap(DcHandle dc, int width, int height) {
  GdiCall call = started(GdiCallKind::CreateCompatibleBitmap, dc);
  call.width = width, call.height = height;
  const BitmapHandle created = inner_.CreateCompatibleBitmap(dc, width, height);
  call.created = created.value;
  record_object(call);
  return created;
}

BitmapHandle RecordingGdi::CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header,
                                          std::uint32_t init, const void* bits,
                                          const BitmapInfoHeader* info, unsigned usage) {
  GdiCall call = started(GdiCallKind::CreateDIBitmap, dc);
  if (header != nullptr) {
    call.width = header->biWidth;
    call.height = header->biHeight;
  }
  const BitmapHandle created = inner_.CreateDIBitmap(dc, header, init, bits, info, usage);
  call.created = created.value;
  record_object(call);
  return created;
}

BitmapHandle RecordingGdi::CreateColorBitmap(int width, int height) {
  GdiCall call = started(GdiCallKind::CreateColorBitmap, DcHandle{});
  call.width = width, call.height = height;
  const BitmapHandle created = inner_.CreateColorBitmap(width, height);
  call.created = created.value;
  record_object(call);
  return created;
}

BitmapHandle RecordingGdi::CreateBitmapFromImage(const PixelImage& image) {
  GdiCall call = started(GdiCallKind::CreateBitmapFromImage, DcHandle{});
  call.width = image.width, call.height = image.height;
  const BitmapHandle created = inner_.CreateBitmapFromImage(image);
  call.created = created.value;
  record_object(call);
  return created;
}

GdiObject RecordingGdi::SelectObject(DcHandle dc, GdiObject object) {
  GdiCall call = started(GdiCallKind::SelectObject, dc);
  call.object = object;
  record_object(call);
  return inner_.SelectObject(dc, object);
}

bool RecordingGdi::DeleteDC(DcHandle dc) {
  record_object(started(GdiCallKind::DeleteDC, dc));
  return inner_.DeleteDC(dc);
}

bool RecordingGdi::DeleteObject(GdiObject object) {
  GdiCall call = started(GdiCallKind::DeleteObject, DcHandle{});
  call.object = object;
  record_object(call);
  return inner_.DeleteObject(object);
}

ColorRef RecordingGdi::SetBkColor(DcHandle dc, ColorRef color) {
  GdiCall call = started(GdiCallKind::SetBkColor, dc);
  call.color = color;
  record_object(call);
  return inner_.SetBkColor(dc, color);
}

ColorRef RecordingGdi::SetTextColor(DcHandle dc, ColorRef color) {
  GdiCall call = started(GdiCallKind::SetTextColor, dc);
  call.color = color;
  record_object(call);
  return inner_.SetTextColor(dc, color);
}

}  // namespace showsaver
