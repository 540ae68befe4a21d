// The raster primitives of the software GDI beside their references, each at
// a size whose surfaces fit the per-core cache and at one whose do not:
//  - BitBlt SRCCOPY against memcpy of the same bytes;
//  - StretchBlt enlarging and shrinking against pixman's nearest-neighbour
//    PIXMAN_OP_SRC scaling of the same rectangles;
//  - the halving, a shrink that combines every source pixel, against one
//    memcpy pass over its source.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "report.h"

namespace showsaver::bench {
namespace {

// The two size classes: the destination's size (the source's for the
// shrinks, which read the larger surface).
struct SizeClass {
  Size size;
  const char* label;
};
const SizeClass kSmall{{256, 256}, "in L2"};
const SizeClass kLarge{{3840, 2160}, "past L2, 33 MB"};

void memcpy_bench(benchmark::State& state, std::size_t bytes) {
  CopyReference copy(bytes);
  for (auto _ : state) copy.time_copy(bytes);
}

// BitBlt of the whole surface (one block) or of a band one pixel narrower,
// shifted one pixel (row by row, as the slides and pushes copy).
void bitblt_bench(benchmark::State& state, Size size, bool band) {
  SoftGdi gdi;
  const DcHandle source = surface(gdi, noise(size, 1));
  const DcHandle destination = surface(gdi, noise(size, 2));
  const int shift = band ? 1 : 0;
  for (auto _ : state) {
    gdi.BitBlt(destination, shift, 0, size.width - shift, size.height, source, 0, 0, rop::SRCCOPY);
    benchmark::ClobberMemory();
  }
}

void stretch_bench(benchmark::State& state, Size from, Size to) {
  SoftGdi gdi;
  const DcHandle source = surface(gdi, noise(from, 1));
  const DcHandle destination = surface(gdi, noise(to, 2));
  for (auto _ : state) {
    gdi.StretchBlt(destination, 0, 0, to.width, to.height, source, 0, 0, from.width, from.height,
                   rop::SRCCOPY);
    benchmark::ClobberMemory();
  }
}

void pixman_bench(benchmark::State& state, Size from, Size to) {
  PixelImage source_pixels = noise(from, 1);
  PixelImage destination_pixels = noise(to, 2);
  pixman_image_t* source = pixman_image_create_bits(PIXMAN_x8r8g8b8, from.width, from.height,
                                                    source_pixels.pixels.data(), from.width * 4);
  pixman_image_t* destination = pixman_image_create_bits(
      PIXMAN_x8r8g8b8, to.width, to.height, destination_pixels.pixels.data(), to.width * 4);
  // The transform maps destination coordinates to source coordinates.
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, pixman_double_to_fixed(double(from.width) / to.width),
                              pixman_double_to_fixed(double(from.height) / to.height));
  pixman_image_set_transform(source, &transform);
  pixman_image_set_filter(source, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, destination, 0, 0, 0, 0, 0, 0,
                             to.width, to.height);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(source);
  pixman_image_unref(destination);
}

void timed(const std::string& name, auto function, auto... arguments) {
  benchmark::RegisterBenchmark(name.c_str(), function, arguments...)
      ->UseRealTime()
      ->MinTime(0.1)
      ->Repetitions(3)
      ->Unit(benchmark::kMicrosecond);
}

Size scaled(Size size, int numerator, int denominator) {
  return {size.width * numerator / denominator, size.height * numerator / denominator};
}

std::string label(const SizeClass& size_class, Size from, Size to) {
  return name(from) + "->" + name(to) + " (" + size_class.label + ")";
}

}  // namespace

void register_raster_benchmarks() {
  const char* section = "raster primitives";
  for (const SizeClass& size_class : {kSmall, kLarge}) {
    const Size size = size_class.size;
    const std::string tag = "/" + name(size);
    const std::string copy_name = "memcpy_frame" + tag;
    timed(copy_name, memcpy_bench, bytes(size));
    timed("BitBlt_SRCCOPY" + tag, bitblt_bench, size, false);
    add_row({section,
             "BitBlt SRCCOPY, whole surface",
             name(size) + " (" + size_class.label + ")",
             {"BitBlt_SRCCOPY" + tag, ""},
             "memcpy of the same bytes",
             {copy_name, ""},
             1.1,
             {}});
    const Size band{size.width - 1, size.height};
    const std::string band_copy = "memcpy_band" + tag;
    timed(band_copy, memcpy_bench, bytes(band));
    timed("BitBlt_SRCCOPY_band" + tag, bitblt_bench, size, true);
    add_row({section,
             "BitBlt SRCCOPY, band shifted 1 px",
             name(band) + " (" + size_class.label + ")",
             {"BitBlt_SRCCOPY_band" + tag, ""},
             "memcpy of the same bytes",
             {band_copy, ""},
             1.1,
             {}});

    // Enlarging 2x (each source pixel repeated) and 1.5x (uneven repeats);
    // shrinking 2/3, 2/3 and 1/5 in width only (as the squeezes, pinches and
    // flips do) and by half, each combining every source pixel it drops.
    const struct {
      const char* what;
      Size from;
      Size to;
      double goal;
    } scalings[] = {
        {"StretchBlt enlarge 2x", scaled(size, 1, 2), size, 1.0},
        {"StretchBlt enlarge 1.5x", scaled(size, 2, 3), size, 1.0},
        {"StretchBlt shrink 2/3 (combining)", size, scaled(size, 2, 3), 0.0},
        {"StretchBlt narrow 2/3 (combining)", size, {size.width * 2 / 3, size.height}, 0.0},
        {"StretchBlt narrow 1/5 (combining)", size, {size.width / 5, size.height}, 0.0},
        {"StretchBlt halve 1/2 (combining)", size, scaled(size, 1, 2), 0.0},
    };
    for (const auto& scaling : scalings) {
      const std::string key = std::string(scaling.what) + tag;
      timed("gdi:" + key, stretch_bench, scaling.from, scaling.to);
      timed("pixman:" + key, pixman_bench, scaling.from, scaling.to);
      add_row({section,
               scaling.what,
               label(size_class, scaling.from, scaling.to),
               {"gdi:" + key, ""},
               "pixman nearest, OP_SRC",
               {"pixman:" + key, ""},
               scaling.goal,
               {}});
    }
    // A combining shrink reads every source pixel, which pixman's sampling
    // does not: each beside one memcpy of its source too.  The halving has
    // a goal against it.
    for (const auto& scaling : scalings) {
      if (scaling.goal != 0.0) continue;
      const bool halving =
          scaling.to.width * 2 == size.width && scaling.to.height * 2 == size.height;
      add_row({section,
               scaling.what,
               label(size_class, scaling.from, scaling.to),
               {"gdi:" + std::string(scaling.what) + tag, ""},
               "memcpy of the source",
               {copy_name, ""},
               halving ? 1.2 : 0.0,
               {}});
    }
  }
}

}  // namespace showsaver::bench
