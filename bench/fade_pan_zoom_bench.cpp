// A cross-fade frame and a pan-and-zoom frame, the core's own arithmetic
// over a whole picture, beside memcpy of the frame's bytes in the same run.
#include <benchmark/benchmark.h>

#include <span>
#include <vector>

#include "bench_support.h"
#include "effects/cross_fade.h"
#include "effects/pan_zoom.h"
#include "report.h"

namespace showsaver::bench {
namespace {

void fade_bench(benchmark::State& state, Size size) {
  const PixelImage outgoing = noise(size, 1);
  const PixelImage incoming = noise(size, 2);
  std::vector<std::uint32_t> frame(outgoing.pixels.size());
  std::uint32_t weight = 0;
  for (auto _ : state) {
    blend_row(frame, outgoing.pixels, incoming.pixels, weight = (weight + 7) & 0xFF);
    benchmark::ClobberMemory();
  }
}

// The same frame a row at a time, as the player's transition blends it:
// rows stay in the cache, unlike a whole frame in one call.
void fade_by_rows_bench(benchmark::State& state, Size size) {
  const PixelImage outgoing = noise(size, 1);
  const PixelImage incoming = noise(size, 2);
  std::vector<std::uint32_t> frame(outgoing.pixels.size());
  const auto width = static_cast<std::size_t>(size.width);
  std::uint32_t weight = 0;
  for (auto _ : state) {
    weight = (weight + 7) & 0xFF;
    for (std::size_t start = 0; start < frame.size(); start += width) {
      blend_row(std::span(frame).subspan(start, width),
                std::span(outgoing.pixels).subspan(start, width),
                std::span(incoming.pixels).subspan(start, width), weight);
    }
    benchmark::ClobberMemory();
  }
}

void pan_zoom_bench(benchmark::State& state, Size size) {
  const PixelImage source = noise(size, 3);
  PixelImage frame{size.width, size.height, {}};
  // A zoom to 80 %, off the pixel grid, as in the middle of a slow pan.
  const FixedRect region{size.width * 6553 + 12345, size.height * 6553 + 54321,
                         std::int64_t(size.width) * 52428, std::int64_t(size.height) * 52428};
  for (auto _ : state) {
    draw_region(source, region, frame);
    benchmark::ClobberMemory();
  }
}

void frame_copy_bench(benchmark::State& state, std::size_t bytes) {
  CopyReference copy(bytes);
  for (auto _ : state) copy.time_copy(bytes);
}

void timed(const std::string& benchmark_name, auto bench, auto argument) {
  benchmark::RegisterBenchmark(benchmark_name.c_str(), bench, argument)
      ->UseRealTime()
      ->MinTime(0.1)
      ->Repetitions(3)
      ->Unit(benchmark::kMicrosecond);
}

std::string copy_name(Size size) {
  return "memcpy_computed_frame/" + name(size);
}

}  // namespace

void register_fade_pan_zoom_benchmarks() {
  for (const Size size : {Size{1920, 1080}, Size{3840, 2160}}) {
    const std::string fade = "CrossFadeFrame/" + name(size);
    timed(fade, fade_bench, size);
    timed(copy_name(size), frame_copy_bench, bytes(size));
    add_row({"cross-fade frame (goal: within 2x memcpy)",
             "blend_row over the frame",
             name(size),
             {fade, ""},
             "memcpy of the frame",
             {copy_name(size), ""},
             2.0,
             {}});
    const std::string by_rows = "CrossFadeRows/" + name(size);
    timed(by_rows, fade_by_rows_bench, size);
    add_row({"cross-fade frame (goal: within 2x memcpy)",
             "blend_row a row at a time",
             name(size),
             {by_rows, ""},
             "memcpy of the frame",
             {copy_name(size), ""},
             0.0,
             {}});
  }
  const Size size{1920, 1080};
  const std::string pan_zoom = "PanZoomFrame/" + name(size);
  timed(pan_zoom, pan_zoom_bench, size);
  add_row({"pan-and-zoom frame (goal: within 4x memcpy)",
           "draw_region, bilinear",
           name(size),
           {pan_zoom, ""},
           "memcpy of the frame",
           {copy_name(size), ""},
           4.0,
           {}});
}

}  // namespace showsaver::bench
