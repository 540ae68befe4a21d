// Full-surface blits of the software GDI at screen sizes, each beside a
// memcpy of the bytes it writes, measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/soft/soft_gdi.h"
#include "player/transparent_blt_func.h"

namespace showsaver {
namespace {

struct Size {
  int width;
  int height;
  std::string name() const { return std::to_string(width) + "x" + std::to_string(height); }
  std::size_t bytes() const { return static_cast<std::size_t>(width) * height * 4; }
};

constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};

PixelImage noise(int width, int height, std::uint32_t transparent_every = 0) {
  PixelImage image{width, height, {}};
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    image.pixels[i] = state >> 8;
    if (transparent_every != 0 && (i / 64) % transparent_every == 0) image.pixels[i] = 0x00FF00FF;
  }
  return image;
}

// A DC with a colour bitmap of the given picture selected.
DcHandle surface(SoftGdi& gdi, const PixelImage& image) {
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(dc, gdi.CreateBitmapFromImage(image));
  return dc;
}

void set_bytes(benchmark::State& state, const Size& size) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(size.bytes()));
}

void memcpy_bench(benchmark::State& state, Size size) {
  std::vector<std::uint32_t> from(size.bytes() / 4, 0x123456), to(size.bytes() / 4);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), size.bytes());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  set_bytes(state, size);
}

void bitblt_bench(benchmark::State& state, Size size) {
  SoftGdi gdi;
  const DcHandle source = surface(gdi, noise(size.width, size.height));
  const DcHandle destination = surface(gdi, noise(size.width, size.height));
  for (auto _ : state) {
    gdi.BitBlt(destination, 0, 0, size.width, size.height, source, 0, 0, rop::SRCCOPY);
    benchmark::ClobberMemory();
  }
  set_bytes(state, size);
}

// The destination is the surface; the source is half or twice its size.
void stretch_bench(benchmark::State& state, Size size, bool enlarge) {
  SoftGdi gdi;
  const int source_width = enlarge ? size.width / 2 : size.width * 2;
  const int source_height = enlarge ? size.height / 2 : size.height * 2;
  const DcHandle source = surface(gdi, noise(source_width, source_height));
  const DcHandle destination = surface(gdi, noise(size.width, size.height));
  for (auto _ : state) {
    gdi.StretchBlt(destination, 0, 0, size.width, size.height, source, 0, 0, source_width,
                   source_height, rop::SRCCOPY);
    benchmark::ClobberMemory();
  }
  set_bytes(state, size);
}

void sprite_bench(benchmark::State& state, Size size) {
  SoftGdi gdi;
  const DcHandle source = surface(gdi, noise(size.width, size.height, 3));
  const DcHandle destination = surface(gdi, noise(size.width, size.height));
  for (auto _ : state) {
    BlitTransparent(gdi, destination, 0, 0, size.width, size.height, source, 0, 0,
                    rgb(0xFF, 0x00, 0xFF));
    benchmark::ClobberMemory();
  }
  set_bytes(state, size);
}

// "operation/WIDTHxHEIGHT", built by appending (GCC 12 warns falsely on
// operator+ of a literal and a temporary here).
std::string bench_name(const char* operation, const Size& size) {
  std::string name(operation);
  name.append("/").append(size.name());
  return name;
}

}  // namespace

void register_blit_benchmarks() {
  for (const Size& size : kSizes) {
    benchmark::RegisterBenchmark(bench_name("memcpy", size).c_str(), memcpy_bench, size)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(bench_name("BitBlt_SRCCOPY", size).c_str(), bitblt_bench, size)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(bench_name("StretchBlt_enlarge_2x", size).c_str(), stretch_bench,
                                 size, true)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(bench_name("StretchBlt_shrink_0.5x", size).c_str(), stretch_bench,
                                 size, false)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(bench_name("BlitTransparent", size).c_str(), sprite_bench, size)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
}

}  // namespace showsaver
