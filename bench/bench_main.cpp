// The drawing benchmarks: every transition's frames, the raster primitives,
// the sprite blit, the cross-fade and the pan and zoom, then one table of each figure beside its
// reference.
#include <benchmark/benchmark.h>

#include "report.h"

namespace showsaver::bench {
void register_effect_benchmarks();
void register_raster_benchmarks();
void register_sprite_benchmarks();
void register_fade_pan_zoom_benchmarks();
}  // namespace showsaver::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  showsaver::bench::register_raster_benchmarks();
  showsaver::bench::register_sprite_benchmarks();
  showsaver::bench::register_effect_benchmarks();
  showsaver::bench::register_fade_pan_zoom_benchmarks();
  showsaver::bench::TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
