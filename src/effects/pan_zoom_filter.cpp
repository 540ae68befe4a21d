#include "effects/pan_zoom_filter.h"

#include <algorithm>

#include "effects/pan_zoom_avx2.h"
#include "effects/pan_zoom_sse2.h"
#include "effects/streaming_stores.h"

namespace showsaver {
namespace {

// Where output column (or row) `i` of `count` samples, as a 16.16 source
// position of the pixel centres, clamped to [0, last pixel].
std::int64_t sample_position(std::int64_t start, std::int64_t extent, int i, int count,
                             int source_count) {
  const std::int64_t centre =
      start + (2 * std::int64_t{i} + 1) * extent / (2 * count) - kFixedOne / 2;
  return std::clamp<std::int64_t>(centre, 0, std::int64_t{source_count - 1} * kFixedOne);
}

struct Tap {
  int first;             // the left (upper) source pixel
  int second;            // the right (lower) one, the same at the edge
  std::uint32_t weight;  // of `second`, 0..256
};

std::vector<Tap> taps(std::int64_t start, std::int64_t extent, int count, int source_count) {
  std::vector<Tap> result(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::int64_t position = sample_position(start, extent, i, count, source_count);
    const int first = static_cast<int>(position >> 16);
    result[static_cast<std::size_t>(i)] = {first, std::min(first + 1, source_count - 1),
                                           static_cast<std::uint32_t>((position >> 8) & 0xFF)};
  }
  return result;
}

// The output columns' taps as the horizontal pass takes them, and the run of
// source columns they read.
struct ColumnTaps {
  int run_first = 0;                   // the first source column read
  int run_length = 0;                  // how many from there
  std::vector<std::uint32_t> offsets;  // each output column's first blended lane
  std::vector<ColumnWeights> weights;
};

ColumnTaps column_taps(const FixedRect& region, int out_width, int source_width) {
  const std::vector<Tap> columns = taps(region.left, region.width, out_width, source_width);
  ColumnTaps result;
  result.run_first = columns.front().first;
  int run_last = columns.front().second;
  for (const Tap& tap : columns) {
    result.run_first = std::min(result.run_first, tap.first);
    run_last = std::max(run_last, tap.second);
  }
  result.run_length = run_last - result.run_first + 1;
  for (const Tap& tap : columns) {
    result.offsets.push_back(4 * static_cast<std::uint32_t>(tap.first - result.run_first));
    result.weights.push_back((256 - tap.weight) | tap.weight << 16);
  }
  return result;
}

inline std::uint32_t channel(std::uint32_t pixel, int index) {
  return (pixel >> (8 * index)) & 0xFF;
}

// The plain vertical pass from source pixel `from` on.  Each sum is at most
// 255 * 256 + 128, so less 32768 it fits a signed 16-bit lane.
void blend_rows_plain(const std::uint32_t* upper, const std::uint32_t* lower, std::int16_t keep,
                      std::int16_t take, std::size_t from, std::size_t count,
                      std::int16_t* blended) {
  for (std::size_t i = from; i < count; ++i) {
    for (int c = 0; c < 4; ++c) {
      const std::uint32_t sum = channel(upper[i], c) * static_cast<std::uint32_t>(keep) +
                                channel(lower[i], c) * static_cast<std::uint32_t>(take) + 128;
      blended[4 * i + c] = static_cast<std::int16_t>(static_cast<std::int32_t>(sum) - 32768);
    }
  }
}

// The plain horizontal pass from output pixel `from` on.
void blend_columns_plain(const std::int16_t* blended, const std::uint32_t* offsets,
                         const ColumnWeights* weights, std::size_t from, std::size_t count,
                         std::uint32_t* out) {
  for (std::size_t x = from; x < count; ++x) {
    const std::int16_t* left = blended + offsets[x];
    const std::int16_t* right = left + 4;
    const auto keep = static_cast<std::int32_t>(weights[x] & 0xFFFF);
    const auto take = static_cast<std::int32_t>(weights[x] >> 16);
    std::uint32_t pixel = 0;
    for (int c = 0; c < 4; ++c) {
      const std::int32_t value = ((left[c] * keep + right[c] * take) >> 16) + 128;
      pixel |= static_cast<std::uint32_t>(value) << (8 * c);
    }
    out[x] = pixel;
  }
}

// Asks for the source pixels the next row reads, while this one is drawn:
// from memory the hardware prefetcher alone leaves the vertical pass's loads
// waiting.  (Its upper row is, but at the very start, this row's lower one.)
void prefetch_run(const std::uint32_t* pixels, std::size_t count) {
  constexpr std::size_t kLinePixels = 16;  // a 64-byte cache line
  for (std::size_t i = 0; i < count; i += kLinePixels) __builtin_prefetch(pixels + i);
}

}  // namespace

std::vector<PanZoomPasses> pan_zoom_passes() {
  std::vector<PanZoomPasses> passes{{"plain", nullptr, nullptr}};
#if defined(SHOWSAVER_EFFECTS_SSE2)
  passes.push_back({"sse2", blend_rows_sse2, blend_columns_sse2});
#endif
#if defined(SHOWSAVER_EFFECTS_AVX2)
  if (processor_has_avx2()) passes.push_back({"avx2", blend_rows_avx2, blend_columns_avx2});
#endif
  return passes;
}

void draw_region_with(const PanZoomPasses& passes, const PixelImage& source,
                      const FixedRect& region, PixelImage& out) {
  if (source.width <= 0 || source.height <= 0 || out.width <= 0 || out.height <= 0) return;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  const ColumnTaps columns = column_taps(region, out.width, source.width);
  const std::vector<Tap> rows = taps(region.top, region.height, out.height, source.height);
  const auto run_length = static_cast<std::size_t>(columns.run_length);
  const auto out_width = static_cast<std::size_t>(out.width);
  // Blended pixels past the run: a column at the source's right edge reads
  // the first as its right neighbour, with weight 0, and the horizontal
  // passes may load whole vectors from there (see kBlendedPadding).
  std::vector<std::int16_t> blended(4 * (run_length + kBlendedPadding), 0);
  const std::uint32_t* offsets = columns.offsets.data();
  const ColumnWeights* weights = columns.weights.data();
  const bool stream =
      passes.blend_columns && out.pixels.size() * sizeof(std::uint32_t) >= kStreamingStoreBytes;
  for (int y = 0; y < out.height; ++y) {
    const Tap& row = rows[static_cast<std::size_t>(y)];
    if (y + 1 < out.height) {
      const Tap& next = rows[static_cast<std::size_t>(y) + 1];
      prefetch_run(
          &source.pixels[static_cast<std::size_t>(next.second) * source.width + columns.run_first],
          run_length);
    }
    const std::uint32_t* upper =
        &source.pixels[static_cast<std::size_t>(row.first) * source.width + columns.run_first];
    const std::uint32_t* lower =
        &source.pixels[static_cast<std::size_t>(row.second) * source.width + columns.run_first];
    const auto keep = static_cast<std::int16_t>(256 - row.weight);
    const auto take = static_cast<std::int16_t>(row.weight);
    const std::size_t blended_done =
        passes.blend_rows ? passes.blend_rows(upper, lower, keep, take, run_length, blended.data())
                          : 0;
    blend_rows_plain(upper, lower, keep, take, blended_done, run_length, blended.data());
    std::uint32_t* target = &out.pixels[static_cast<std::size_t>(y) * out_width];
    // Streaming starts where the row is aligned for it; the plain loop does
    // the pixels before and whatever the vector loop leaves at the end.
    const std::size_t head = stream ? pixels_before_streaming_alignment(target, out_width) : 0;
    blend_columns_plain(blended.data(), offsets, weights, 0, head, target);
    const std::size_t drawn =
        head + (passes.blend_columns
                    ? passes.blend_columns(blended.data(), offsets + head, weights + head,
                                           out_width - head, target + head, stream)
                    : 0);
    blend_columns_plain(blended.data(), offsets, weights, drawn, out_width, target);
  }
}

void draw_region(const PixelImage& source, const FixedRect& region, PixelImage& out) {
  static const PanZoomPasses fastest = pan_zoom_passes().back();
  draw_region_with(fastest, source, region, out);
}

}  // namespace showsaver
