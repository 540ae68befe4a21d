// Every transition's frames at screen sizes: the drawing of each frame timed
// alone, beside memcpy of the bytes that frame writes, and against the
// effect's frame period.
//
// The effect runs once on the scripted desktop (virtual clock, instant waits)
// through a recording GDI, which gives each frame's drawing calls and the
// frame period.  The timed part then replays those calls, frame by frame, on
// the same software GDI surfaces: drawing only, exactly as the effect draws.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "bench_support.h"
#include "common/dc_surface.h"
#include "effects/effect_catalogue.h"
#include "effects/run_effect.h"
#include "platform/scripted/event_log.h"
#include "platform/scripted/recording_gdi.h"
#include "platform/scripted/scripted_desktop.h"
#include "report.h"

namespace showsaver::bench {
namespace {

constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};
// Whole transitions timed per repetition; each frame keeps its least time.
constexpr int kIterations[] = {5, 3};
// Share of the frame period that the largest surface's costliest frame may take.
constexpr double kPeriodShareGoal = 0.40;

// The three surfaces of a show at one size, and memcpy buffers of two
// frames: successive copies alternate between their halves, so that each
// reads and writes memory as long untouched as the surfaces a frame draws
// from and into, not memory the last copy left in the cache.
struct Stage {
  explicit Stage(Size of)
      : size(of),
        destination(surface(gdi, noise(of, 1))),
        outgoing(surface(gdi, noise(of, 2))),
        incoming(surface(gdi, noise(of, 3))),
        copy(2 * bytes(of)) {}
  Size size;
  SoftGdi gdi;
  DcHandle destination;
  DcHandle outgoing;
  DcHandle incoming;
  CopyReference copy;
};

Stage& stage(const Size& size) {
  static std::map<int, std::unique_ptr<Stage>> stages;
  auto& slot = stages[size.width];
  if (!slot) slot = std::make_unique<Stage>(size);
  return *slot;
}

struct Recorded {
  GdiCall opening;
  std::vector<std::vector<GdiCall>> frames;
  std::vector<GdiCall> final_calls;
  std::vector<std::size_t> frame_bytes;  // written
  std::vector<std::size_t> frame_reads;
  int frame_period_ms = 0;
};

// The pixels of [start, start + extent) (extent may be negative, reaching
// left of start + 1) that lie in [0, limit).
std::int64_t covered(std::int64_t start, std::int64_t extent, std::int64_t limit) {
  const std::int64_t first = extent >= 0 ? start : start + extent + 1;
  const std::int64_t last = extent >= 0 ? start + extent : start + 1;
  return std::max<std::int64_t>(0, std::min(last, limit) - std::max<std::int64_t>(first, 0));
}

// Bytes a drawing call writes into a destination of `size`.  A copy writes
// only where its source lies inside the source surface (of the same size).
std::size_t bytes_written(const GdiCall& call, const Size& size) {
  std::int64_t columns = 0;
  std::int64_t rows = 0;
  switch (call.kind) {
    case GdiCallKind::BitBlt: {
      const auto axis = [](std::int64_t start, std::int64_t extent, std::int64_t source_start,
                           std::int64_t limit) {
        // Clip to the destination and to the source, then take the overlap.
        const std::int64_t shift = start - source_start;
        const std::int64_t first = std::max<std::int64_t>({start, 0, shift});
        const std::int64_t last = std::min<std::int64_t>({start + extent, limit, limit + shift});
        return std::max<std::int64_t>(0, last - first);
      };
      columns = axis(call.x, call.width, call.source_x, size.width);
      rows = axis(call.y, call.height, call.source_y, size.height);
      break;
    }
    case GdiCallKind::StretchBlt:
      columns = covered(call.x, call.width, size.width);
      rows = covered(call.y, call.height, size.height);
      break;
    case GdiCallKind::FillBox:
      columns = covered(std::min(call.x, call.x2), std::abs(call.x2 - call.x) + 1, size.width);
      rows = covered(std::min(call.y, call.y2), std::abs(call.y2 - call.y) + 1, size.height);
      break;
    default:
      break;
  }
  return static_cast<std::size_t>(columns * rows * 4);
}

// Bytes a drawing call reads from its source: a scaling reads the whole
// source rectangle (a shrink combines every source pixel), a copy what it writes.
std::size_t bytes_read(const GdiCall& call, const Size& size) {
  if (call.kind != GdiCallKind::StretchBlt)
    return call.kind == GdiCallKind::BitBlt ? bytes_written(call, size) : 0;
  return static_cast<std::size_t>(covered(call.source_x, call.source_width, size.width) *
                                  covered(call.source_y, call.source_height, size.height) * 4);
}

Recorded record(int code, Stage& stage) {
  VirtualClock clock;
  EventLog log;
  RecordingGdi gdi(stage.gdi, clock);
  ScriptedDesktop desktop(stage.gdi, clock, log);
  std::vector<std::pair<std::size_t, std::int64_t>> refreshes;  // calls before, virtual time
  const Size size = stage.size;
  DcSurface destination(gdi, stage.destination, size.width, size.height,
                        [&] { refreshes.emplace_back(gdi.calls().size(), clock.elapsed()); });
  DcSurface outgoing(gdi, stage.outgoing, size.width, size.height);
  DcSurface incoming(gdi, stage.incoming, size.width, size.height);
  const std::int16_t stop_requested = 0;
  EffectRandom random;
  EffectEnvironment environment{gdi, desktop, stop_requested, random};
  run_effect(code, destination, outgoing, incoming, environment);

  // Call 0 is the opening copy, the calls after the last refresh the final frame.
  const std::vector<GdiCall>& calls = gdi.calls();
  Recorded recorded;
  recorded.opening = calls.at(0);
  std::size_t next = 1;
  for (const auto& [end, at] : refreshes) {
    recorded.frames.emplace_back(calls.begin() + static_cast<std::ptrdiff_t>(next),
                                 calls.begin() + static_cast<std::ptrdiff_t>(end));
    std::size_t bytes = 0;
    std::size_t reads = 0;
    for (const GdiCall& call : recorded.frames.back()) {
      bytes += bytes_written(call, size);
      reads += bytes_read(call, size);
    }
    recorded.frame_bytes.push_back(bytes);
    recorded.frame_reads.push_back(reads);
    next = end;
  }
  recorded.final_calls.assign(calls.begin() + static_cast<std::ptrdiff_t>(next), calls.end());
  // With instant drawing a frame's wait ends on the first tick past its
  // period, so frames begin one period plus one millisecond apart.
  if (refreshes.size() >= 2) {
    recorded.frame_period_ms = static_cast<int>(refreshes[1].second - refreshes[0].second - 1);
  }
  return recorded;
}

void replay(Gdi& gdi, const GdiCall& call) {
  switch (call.kind) {
    case GdiCallKind::BitBlt:
      gdi.BitBlt(call.dc, call.x, call.y, call.width, call.height, call.source, call.source_x,
                 call.source_y, call.raster_operation);
      break;
    case GdiCallKind::StretchBlt:
      gdi.StretchBlt(call.dc, call.x, call.y, call.width, call.height, call.source, call.source_x,
                     call.source_y, call.source_width, call.source_height, call.raster_operation);
      break;
    case GdiCallKind::FillBox:
      gdi.FillBox(call.dc, call.x, call.y, call.x2, call.y2, call.color);
      break;
    default:
      break;
  }
}

void effect_bench(benchmark::State& state, int code, Size size) {
  Stage& on = stage(size);
  const Recorded recorded = record(code, on);
  const std::size_t frames = recorded.frames.size();
  std::vector<double> draw(frames, 1e9);
  std::vector<double> copy(frames, 1e9);
  std::vector<double> copy_read(frames, 1e9);
  for (auto _ : state) {
    replay(on.gdi, recorded.opening);
    double total = 0.0;
    for (std::size_t k = 0; k < frames; ++k) {
      const auto start = std::chrono::steady_clock::now();
      for (const GdiCall& call : recorded.frames[k]) replay(on.gdi, call);
      const double took = seconds_since(start);
      total += took;
      draw[k] = std::min(draw[k], took);
      copy[k] = std::min(copy[k], on.copy.time_copy(recorded.frame_bytes[k]));
      // A frame that reads more than it writes is bounded by its reads.
      if (recorded.frame_reads[k] > recorded.frame_bytes[k]) {
        copy_read[k] = std::min(copy_read[k], on.copy.time_copy(recorded.frame_reads[k]));
      } else {
        copy_read[k] = copy[k];
      }
    }
    for (const GdiCall& call : recorded.final_calls) replay(on.gdi, call);
    state.SetIterationTime(total);
  }
  if (frames == 0) {
    state.SkipWithError("the effect drew no frame");
    return;
  }
  const std::size_t costliest =
      static_cast<std::size_t>(std::max_element(draw.begin(), draw.end()) - draw.begin());
  double sum = 0.0;
  for (double d : draw) sum += d;
  state.counters["max"] = draw[costliest];
  state.counters["max_memcpy"] = copy[costliest];
  state.counters["mean"] = sum / static_cast<double>(frames);
  state.counters["period"] = recorded.frame_period_ms * 1e-3;
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["max_MB"] = static_cast<double>(recorded.frame_bytes[costliest]) / 1e6;
  state.counters["max_read_MB"] = static_cast<double>(recorded.frame_reads[costliest]) / 1e6;
  state.counters["max_memcpy_read"] = copy_read[costliest];
}

std::string effect_note(const Results& results, const std::string& name, bool period_goal) {
  const auto get = [&](const char* counter) { return value_of(results, {name, counter}); };
  const double max = get("max");
  const double period = get("period");
  const double share = period > 0 ? max / period : 0.0;
  char text[240];
  int length = std::snprintf(text, sizeof text, "%.0f frames, mean %s; costliest writes %.1f MB",
                             get("frames"), format_time(get("mean")).c_str(), get("max_MB"));
  if (get("max_read_MB") > get("max_MB")) {
    // A shrink reads more than it writes: the same frame against memcpy of what it reads.
    length +=
        std::snprintf(text + length, sizeof text - length,
                      ", reads %.1f MB (memcpy of that %s, ratio %.2f)", get("max_read_MB"),
                      format_time(get("max_memcpy_read")).c_str(), max / get("max_memcpy_read"));
  }
  std::snprintf(
      text + length, sizeof text - length, "; %.0f%% of %.0f ms%s", share * 100, period * 1e3,
      period_goal ? (share < kPeriodShareGoal ? " (goal <40%: met)" : " (goal <40%: MISSED)") : "");
  return text;
}

}  // namespace

void register_effect_benchmarks() {
  for (std::size_t s = 0; s < std::size(kSizes); ++s) {
    const Size size = kSizes[s];
    const std::string size_name = name(size);
    const bool largest = s + 1 == std::size(kSizes);
    for (int code = 1; code <= kLastEffect; ++code) {
      char name[64];
      std::snprintf(name, sizeof name, "effect_%02d/%s", code, size_name.c_str());
      benchmark::RegisterBenchmark(name, effect_bench, code, size)
          ->UseManualTime()
          ->Iterations(kIterations[s])
          ->Unit(benchmark::kMillisecond);
      const std::string bench_name = name;
      add_row({"effects: costliest frame (drawing only) vs memcpy of the bytes it writes",
               std::to_string(code) + " " + std::string(effect_name(code)), size_name,
               Figure{bench_name, "max"}, "memcpy of its bytes", Figure{bench_name, "max_memcpy"},
               1.5, [bench_name, largest](const Results& results) {
                 return effect_note(results, bench_name, largest);
               }});
    }
  }
}

}  // namespace showsaver::bench
