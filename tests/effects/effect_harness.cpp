#include "effect_harness.h"

#include <functional>

#include "common/dc_surface.h"
#include "common/message_wait.h"
#include "common/runtime_failure.h"
#include "effects/run_effect.h"
#include "platform/scripted/scripted_desktop.h"
#include "platform/soft/soft_gdi.h"
#include "player/stop_detector.h"
#include "support/run_guard.h"

namespace showsaver::effects_test {
namespace {

std::string pair(int a, int b, char separator) {
  return std::to_string(a) + separator + std::to_string(b);
}

// A picture surface over a device context of the scripted GDI.
// A surface too large for a bitmap keeps the stock one, which clips all drawing away.
DcHandle surface_dc(SoftGdi& gdi, const RunSetup& setup, const PixelImage* picture) {
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(dc, picture != nullptr ? gdi.CreateBitmapFromImage(*picture)
                                          : gdi.CreateColorBitmap(setup.width, setup.height));
  return dc;
}

// Where a refresh of the destination fell: after how many drawing calls, and
// after how many rounds of message processing.
struct RefreshMark {
  std::size_t calls_before = 0;
  int messages = 0;
};

// A loop frame is the drawing up to a refresh that the frame's wait (message
// processing) follows.
void split(EffectRecord& record, const std::vector<RefreshMark>& marks, int messages_at_end) {
  std::vector<std::string> current;
  std::vector<GdiCall> current_calls;
  std::size_t mark = 0;
  for (std::size_t n = 0; n <= record.calls.size(); ++n) {
    for (; mark < marks.size() && marks[mark].calls_before == n; ++mark) {
      const int messages_after =
          mark + 1 < marks.size() ? marks[mark + 1].messages : messages_at_end;
      if (messages_after == marks[mark].messages) {
        record.refreshed_after_final = n == record.calls.size();
        continue;
      }
      record.frames.push_back(current);
      record.frame_calls.push_back(current_calls);
      record.frame_starts.push_back(current_calls.empty() ? -1 : current_calls[0].elapsed_ms);
      current.clear();
      current_calls.clear();
    }
    if (n == record.calls.size()) break;
    const GdiCall& call = record.calls[n];
    if (n == 0) {
      record.opening = describe(call, record.surfaces);
      continue;
    }
    current.push_back(describe(call, record.surfaces));
    current_calls.push_back(call);
  }
  record.final_calls = current;
  record.refreshes = static_cast<int>(marks.size());
}

}  // namespace

std::string SurfaceDcs::name(DcHandle dc) const {
  if (dc == destination) return "dest";
  if (dc == outgoing) return "out";
  if (dc == incoming) return "in";
  return "dc" + std::to_string(dc.value);
}

std::string describe(const GdiCall& call, const SurfaceDcs& surfaces) {
  const std::string target = surfaces.name(call.dc);
  const std::string prefix = target == "dest" ? "" : "(into " + target + ") ";
  switch (call.kind) {
    case GdiCallKind::BitBlt:
      return prefix + "copy " + surfaces.name(call.source) + " " + pair(call.x, call.y, ',') + " " +
             pair(call.width, call.height, 'x') + " <- " + pair(call.source_x, call.source_y, ',');
    case GdiCallKind::StretchBlt:
      return prefix + "scale " + surfaces.name(call.source) + " " + pair(call.x, call.y, ',') +
             " " + pair(call.width, call.height, 'x');
    case GdiCallKind::FillBox:
      return prefix + "fill " + pair(call.x, call.y, ',') + " " + pair(call.x2, call.y2, ',') +
             " " + std::to_string(raw(call.color));
    default:
      return "object call";
  }
}

std::string whole_copy(const char* source, int width, int height) {
  return std::string("copy ") + source + " 0,0 " + pair(width, height, 'x') + " <- 0,0";
}

EffectRecord record_effect(int code, const RunSetup& setup, EffectRandom& random) {
  SoftGdi soft;
  VirtualClock clock(setup.start_tick);
  EventLog log;
  ScriptedDesktop desktop(soft, clock, log);
  RecordingGdi gdi(soft, clock);
  gdi.set_draw_cost(setup.draw_cost_ms);
  // A key stops the effect, as it stops the show.
  StopDetector stop(desktop);
  stop.arm();
  if (setup.stop_before_call) stop.key_down();
  desktop.create_show_window({0, 0, setup.width, setup.height}, stop);
  if (setup.key_at_ms >= 0) desktop.add_input({setup.key_at_ms, InputKind::Key, {}});

  EffectRecord record;
  const StartPictures* pictures = setup.pictures ? &*setup.pictures : nullptr;
  record.surfaces = {surface_dc(soft, setup, pictures ? &pictures->destination : nullptr),
                     surface_dc(soft, setup, pictures ? &pictures->outgoing : nullptr),
                     surface_dc(soft, setup, pictures ? &pictures->incoming : nullptr)};
  if (pictures != nullptr) {
    desktop.on_refresh([&](const PixelImage& image) { record.refreshed.push_back(image); });
  }
  test::RunGuard guard("the effect", desktop);
  desktop.on_process_messages(
      [&] { guard.check(clock.elapsed(), setup.max_virtual_ms, "ms of virtual time"); });
  std::vector<RefreshMark> marks;
  DcSurface destination(gdi, record.surfaces.destination, setup.width, setup.height, [&] {
    desktop.refresh_picture_area(record.surfaces.destination);
    marks.push_back({gdi.calls().size(), desktop.messages_processed()});
    guard.check(static_cast<std::int64_t>(marks.size()), setup.max_frames, "frames");
  });
  DcSurface outgoing(gdi, record.surfaces.outgoing, setup.width, setup.height);
  DcSurface incoming(gdi, record.surfaces.incoming, setup.width, setup.height);
  EffectEnvironment environment{gdi, desktop, stop.StopRequested(), random};
  try {
    run_effect(code, destination, outgoing, incoming, environment);
  } catch (const RuntimeFailure& caught) {
    record.failure = caught.description();
  } catch (const test::RunAbandoned&) {
    // The guard has failed the test already.
  }
  record.calls = gdi.calls();
  split(record, marks, desktop.messages_processed());
  if (pictures != nullptr) {
    record.destination = soft.ReadImage(record.surfaces.destination).value();
  }
  return record;
}

EffectRecord record_effect(int code, const RunSetup& setup) {
  EffectRandom random;
  return record_effect(code, setup, random);
}

EffectRecord run(int code, int width, int height) {
  RunSetup setup;
  setup.width = width;
  setup.height = height;
  return record_effect(code, setup);
}

}  // namespace showsaver::effects_test
