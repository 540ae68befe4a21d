// A cross-fade frame and a pan-and-zoom frame, the core's own arithmetic
// over a whole picture, beside memcpy of the frame's bytes in the same run.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_support.h"
#include "effects/cross_fade.h"
#include "effects/pan_zoom.h"
#include "report.h"

namespace showsaver::bench {
namespace {

// A frame as the player's transition blends it, into a frame bitmap's rows.
void fade_bench(benchmark::State& state, Size size) {
  const PixelImage outgoing = noise(size, 1);
  const PixelImage incoming = noise(size, 2);
  std::vector<std::uint32_t> frame(outgoing.pixels.size());
  const PixelTarget target{frame.data(), size.width, size.height,
                           static_cast<std::size_t>(size.width)};
  std::uint32_t weight = 0;
  for (auto _ : state) {
    blend_frame(target, outgoing, incoming, weight = (weight + 7) & 0xFF);
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
             "blend_frame, as the player blends",
             name(size),
             {fade, ""},
             "memcpy of the frame",
             {copy_name(size), ""},
             2.0,
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
