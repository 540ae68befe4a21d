#include "effect_harness.h"

#include "common/runtime_failure.h"
#include "effects/effect_module.h"

namespace showsaver::effects_test {
namespace {

std::string surface_name(DcHandle dc, const RunSetup& setup) {
  if (dc == setup.destination_dc) return "dest";
  if (dc == setup.outgoing_dc) return "out";
  if (dc == setup.incoming_dc) return "in";
  return "dc" + std::to_string(dc.value);
}

std::string pair(int a, int b, char separator) {
  return std::to_string(a) + separator + std::to_string(b);
}

// Splits the log: a loop frame is the drawing up to a refresh that is followed
// by the frame's wait (message processing).
EffectRecord split(std::vector<DrawCall> calls, const RunSetup& setup) {
  EffectRecord record;
  std::vector<std::string> current;
  std::vector<DrawCall> current_calls;
  std::int64_t current_start = -1;
  for (std::size_t n = 0; n < calls.size(); ++n) {
    const DrawCall& call = calls[n];
    if (n == 0) {
      record.opening = describe(call, setup);
      continue;
    }
    if (call.kind == DrawCall::Kind::Refresh) {
      const bool waited = n + 1 < calls.size() && calls[n + 1].kind == DrawCall::Kind::Messages;
      if (!waited) {
        record.refreshed_after_final = n + 1 == calls.size();
        continue;
      }
      record.frames.push_back(current);
      record.frame_calls.push_back(current_calls);
      record.frame_starts.push_back(current_start);
      current.clear();
      current_calls.clear();
      current_start = -1;
      continue;
    }
    if (call.kind == DrawCall::Kind::Messages) continue;
    if (current_start < 0) current_start = call.elapsed_ms;
    current.push_back(describe(call, setup));
    current_calls.push_back(call);
  }
  record.final_calls = current;
  record.calls = std::move(calls);
  return record;
}

}  // namespace

std::string describe(const DrawCall& call, const RunSetup& setup) {
  const std::string target = surface_name(call.destination, setup);
  const std::string prefix = target == "dest" ? "" : "(into " + target + ") ";
  switch (call.kind) {
    case DrawCall::Kind::BitBlt:
      return prefix + "copy " + surface_name(call.source, setup) + " " + pair(call.x, call.y, ',') +
             " " + pair(call.width, call.height, 'x') + " <- " +
             pair(call.source_x, call.source_y, ',');
    case DrawCall::Kind::StretchBlt:
      return prefix + "scale " + surface_name(call.source, setup) + " " +
             pair(call.x, call.y, ',') + " " + pair(call.width, call.height, 'x');
    case DrawCall::Kind::FillBox:
      return prefix + "fill " + pair(call.x, call.y, ',') + " " +
             pair(call.width, call.height, ',') + " " + std::to_string(call.color);
    case DrawCall::Kind::Refresh:
      return "refresh";
    case DrawCall::Kind::Messages:
      return "messages";
  }
  return "?";
}

std::string whole_copy(const char* source, int width, int height) {
  return std::string("copy ") + source + " 0,0 " + pair(width, height, 'x') + " <- 0,0";
}

EffectRecord record_effect(int code, const RunSetup& setup, EffectRandom& random) {
  std::vector<DrawCall> calls;
  std::int16_t stop_requested = setup.stop_before_call ? -1 : 0;
  FakeDesktop desktop(setup.start_tick, stop_requested, calls);
  if (setup.key_at_ms >= 0) desktop.press_key_at(setup.key_at_ms);
  RecordingGdi gdi(calls, desktop, setup.drawing);
  gdi.set_draw_cost(setup.draw_cost_ms);
  FakeSurface destination(gdi, setup.destination_dc, setup.width, setup.height, calls, desktop);
  destination.on_refresh(setup.on_refresh);
  FakeSurface outgoing(gdi, setup.outgoing_dc, setup.width, setup.height, calls, desktop);
  FakeSurface incoming(gdi, setup.incoming_dc, setup.width, setup.height, calls, desktop);
  EffectEnvironment environment{gdi, desktop, stop_requested, random};
  std::string failure;
  try {
    run_effect(code, destination, outgoing, incoming, environment);
  } catch (const RuntimeFailure& caught) {
    failure = caught.description();
  }
  EffectRecord record = split(std::move(calls), setup);
  record.failure = failure;
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
