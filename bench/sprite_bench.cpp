// The transparent sprite blit at the sprite sizes shows use and full screen,
// beside memcpy of the sprite's bytes.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "player/transparent_blit.h"
#include "report.h"

namespace showsaver::bench {
namespace {

constexpr std::uint32_t kKey = 0x00FF00FFu;  // rgb(0xFF, 0x00, 0xFF) as a pixel

void sprite_bench(benchmark::State& state, Size size) {
  SoftGdi gdi;
  // A third of the sprite is transparent, in runs of 64 pixels.
  const DcHandle source = surface(gdi, noise(size, 1, 3, kKey));
  const DcHandle destination = surface(gdi, noise(size, 2));
  for (auto _ : state) {
    BlitTransparent(gdi, destination, 0, 0, size.width, size.height, source, 0, 0,
                    rgb(0xFF, 0x00, 0xFF));
    benchmark::ClobberMemory();
  }
}

void memcpy_bench(benchmark::State& state, std::size_t bytes) {
  CopyReference copy(bytes);
  for (auto _ : state) copy.time_copy(bytes);
}

}  // namespace

void register_sprite_benchmarks() {
  constexpr Size kSizes[] = {{64, 64},   {128, 128},   {256, 256},
                             {512, 512}, {1920, 1080}, {3840, 2160}};
  for (const Size& size : kSizes) {
    const std::string sprite = "BlitTransparent/" + name(size);
    const std::string copy = "memcpy_sprite/" + name(size);
    benchmark::RegisterBenchmark(sprite.c_str(), sprite_bench, size)
        ->UseRealTime()
        ->MinTime(0.1)
        ->Repetitions(3)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(copy.c_str(), memcpy_bench, bytes(size))
        ->UseRealTime()
        ->MinTime(0.1)
        ->Repetitions(3)
        ->Unit(benchmark::kMicrosecond);
    add_row({"transparent sprite blit (no goal set)",
             "BlitTransparent",
             name(size),
             {sprite, ""},
             "memcpy of the sprite's bytes",
             {copy, ""},
             0.0,
             {}});
  }
}

}  // namespace showsaver::bench
