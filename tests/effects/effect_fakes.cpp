#include "effect_fakes.h"

#include <algorithm>

namespace showsaver::effects_test {
namespace {

DrawCall drawing_call(DrawCall::Kind kind, DcHandle destination, DcHandle source) {
  DrawCall call;
  call.kind = kind;
  call.destination = destination;
  call.source = source;
  return call;
}

}  // namespace

std::int32_t FakeDesktop::tick_at(std::int64_t elapsed) const {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(start_tick_) +
                                   static_cast<std::uint32_t>(elapsed));
}

void FakeDesktop::process_messages() {
  ++messages_processed_;
  if (calls_.empty() || calls_.back().kind != DrawCall::Kind::Messages) {
    DrawCall call;
    call.kind = DrawCall::Kind::Messages;
    call.elapsed_ms = elapsed_;
    calls_.push_back(call);
  }
  if (key_at_ >= 0 && elapsed_ >= key_at_) stop_requested_ = -1;
}

void FakeDesktop::wait_for_message_until(std::int32_t deadline) {
  // The first tick past the deadline, measured forward from now.
  const auto ahead = static_cast<std::int32_t>(static_cast<std::uint32_t>(deadline) -
                                               static_cast<std::uint32_t>(tick_count()));
  if (ahead < 0) return;
  std::int64_t until = elapsed_ + ahead + 1;
  if (key_at_ >= 0 && stop_requested_ != -1) until = std::min(until, std::max(elapsed_, key_at_));
  elapsed_ = until;
}

void RecordingGdi::record(DrawCall call) {
  call.elapsed_ms = desktop_.elapsed();
  calls_.push_back(call);
  desktop_.advance(draw_cost_);
}

bool RecordingGdi::BitBlt(DcHandle destination, int x, int y, int width, int height,
                          DcHandle source, int source_x, int source_y,
                          std::uint32_t raster_operation) {
  DrawCall call = drawing_call(DrawCall::Kind::BitBlt, destination, source);
  call.x = x, call.y = y, call.width = width, call.height = height;
  call.source_x = source_x, call.source_y = source_y, call.raster_operation = raster_operation;
  record(call);
  return drawing_ == nullptr || drawing_->BitBlt(destination, x, y, width, height, source, source_x,
                                                 source_y, raster_operation);
}

bool RecordingGdi::StretchBlt(DcHandle destination, int x, int y, int width, int height,
                              DcHandle source, int source_x, int source_y, int source_width,
                              int source_height, std::uint32_t raster_operation) {
  DrawCall call = drawing_call(DrawCall::Kind::StretchBlt, destination, source);
  call.x = x, call.y = y, call.width = width, call.height = height;
  call.source_x = source_x, call.source_y = source_y;
  call.source_width = source_width, call.source_height = source_height;
  call.raster_operation = raster_operation;
  record(call);
  return drawing_ == nullptr ||
         drawing_->StretchBlt(destination, x, y, width, height, source, source_x, source_y,
                              source_width, source_height, raster_operation);
}

bool RecordingGdi::FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) {
  DrawCall call = drawing_call(DrawCall::Kind::FillBox, dc, DcHandle{});
  call.x = x1, call.y = y1, call.width = x2, call.height = y2, call.color = color;
  record(call);
  return drawing_ == nullptr || drawing_->FillBox(dc, x1, y1, x2, y2, color);
}

DcHandle RecordingGdi::CreateCompatibleDC(DcHandle dc) {
  return drawing_ ? drawing_->CreateCompatibleDC(dc) : DcHandle{};
}
BitmapHandle RecordingGdi::CreateBitmap(int width, int height, unsigned planes,
                                        unsigned bits_per_pixel, const void* bits) {
  return drawing_ ? drawing_->CreateBitmap(width, height, planes, bits_per_pixel, bits)
                  : BitmapHandle{};
}
BitmapHandle RecordingGdi::CreateCompatibleBitmap(DcHandle dc, int width, int height) {
  return drawing_ ? drawing_->CreateCompatibleBitmap(dc, width, height) : BitmapHandle{};
}
BitmapHandle RecordingGdi::CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header,
                                          std::uint32_t init, const void* bits,
                                          const BitmapInfoHeader* info, unsigned usage) {
  return drawing_ ? drawing_->CreateDIBitmap(dc, header, init, bits, info, usage) : BitmapHandle{};
}
BitmapHandle RecordingGdi::CreateColorBitmap(int width, int height) {
  return drawing_ ? drawing_->CreateColorBitmap(width, height) : BitmapHandle{};
}
BitmapHandle RecordingGdi::CreateBitmapFromImage(const PixelImage& image) {
  return drawing_ ? drawing_->CreateBitmapFromImage(image) : BitmapHandle{};
}
GdiObject RecordingGdi::SelectObject(DcHandle dc, GdiObject object) {
  return drawing_ ? drawing_->SelectObject(dc, object) : GdiObject{};
}
bool RecordingGdi::DeleteDC(DcHandle dc) {
  return drawing_ && drawing_->DeleteDC(dc);
}
bool RecordingGdi::DeleteObject(GdiObject object) {
  return drawing_ && drawing_->DeleteObject(object);
}
ColorRef RecordingGdi::SetBkColor(DcHandle dc, ColorRef color) {
  return drawing_ ? drawing_->SetBkColor(dc, color) : CLR_INVALID;
}
ColorRef RecordingGdi::GetBkColor(DcHandle dc) {
  return drawing_ ? drawing_->GetBkColor(dc) : CLR_INVALID;
}
ColorRef RecordingGdi::SetTextColor(DcHandle dc, ColorRef color) {
  return drawing_ ? drawing_->SetTextColor(dc, color) : CLR_INVALID;
}

void FakeSurface::refresh() {
  DrawCall call = drawing_call(DrawCall::Kind::Refresh, dc_, DcHandle{});
  call.elapsed_ms = desktop_.elapsed();
  calls_.push_back(call);
  if (on_refresh_) on_refresh_();
}

}  // namespace showsaver::effects_test
