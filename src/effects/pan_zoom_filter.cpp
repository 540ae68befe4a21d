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

// The vertical pass over the run, in pieces; before each, the source pixels
// of `next` (the next row's new source row, or null) under the same piece are
// asked for, as from memory the hardware prefetcher alone leaves the loads
// waiting, and a piece at a time spreads the requests out.
void blend_source_rows(const PanZoomPasses& passes, const std::uint32_t* upper,
                       const std::uint32_t* lower, const std::uint32_t* next, std::int16_t keep,
                       std::int16_t take, std::size_t count, std::int16_t* blended) {
  constexpr std::size_t kPiece = 256;      // pixels, a whole number of vector steps
  constexpr std::size_t kLinePixels = 16;  // a 64-byte cache line
  std::size_t done = 0;
  for (std::size_t start = 0; start < count && done == start; start += kPiece) {
    const std::size_t end = std::min(start + kPiece, count);
    if (next) {
      for (std::size_t i = start; i < end; i += kLinePixels) __builtin_prefetch(next + i);
    }
    done = start + (passes.blend_rows ? passes.blend_rows(upper + start, lower + start, keep, take,
                                                          end - start, blended + 4 * start)
                                      : 0);
  }
  blend_rows_plain(upper, lower, keep, take, done, count, blended);
}

// The horizontal pass over an output row.  Streaming starts where the row is
// aligned for it; the pixels before take a vector step of ordinary stores
// (which may write a few after them twice, the same both times), and the
// plain loop does what the vector loops leave.
void blend_output_row(const PanZoomPasses& passes, const std::int16_t* blended,
                      const ColumnTaps& columns, bool stream, std::size_t count,
                      std::uint32_t* out) {
  constexpr std::size_t kLeadingStep = kStreamingAlignment / sizeof(std::uint32_t);
  const std::uint32_t* offsets = columns.offsets.data();
  const ColumnWeights* weights = columns.weights.data();
  const std::size_t head = stream ? pixels_before_streaming_alignment(out, count) : 0;
  const std::size_t led = head > 0 && passes.blend_columns
                              ? passes.blend_columns(blended, offsets, weights,
                                                     std::min(kLeadingStep, count), out, false)
                              : 0;
  blend_columns_plain(blended, offsets, weights, led, head, out);
  const std::size_t drawn =
      head + (passes.blend_columns ? passes.blend_columns(blended, offsets + head, weights + head,
                                                          count - head, out + head, stream)
                                   : 0);
  blend_columns_plain(blended, offsets, weights, drawn, count, out);
}

}  // namespace

std::vector<PanZoomPasses> pan_zoom_passes() {
  std::vector<PanZoomPasses> passes{{"plain", nullptr, nullptr, nullptr}};
#if defined(SHOWSAVER_SSE2_PATHS)
  passes.push_back({"sse2", blend_rows_sse2, blend_columns_sse2, fence_streaming_sse2});
#endif
#if defined(SHOWSAVER_AVX2_PATHS)
  if (avx2_available())
    passes.push_back({"avx2", blend_rows_avx2, blend_columns_avx2, fence_streaming_avx2});
#endif
  return passes;
}

void draw_region_with(const PanZoomPasses& passes, const PixelImage& source,
                      const FixedRect& region, const PixelTarget& out) {
  if (source.width <= 0 || source.height <= 0 || out.width <= 0 || out.height <= 0) return;
  const ColumnTaps columns = column_taps(region, out.width, source.width);
  const std::vector<Tap> rows = taps(region.top, region.height, out.height, source.height);
  const auto run_length = static_cast<std::size_t>(columns.run_length);
  const auto out_width = static_cast<std::size_t>(out.width);
  const auto run_of = [&](int source_row) {
    return &source.pixels[static_cast<std::size_t>(source_row) * source.width + columns.run_first];
  };
  // Blended pixels past the run: a column at the source's right edge reads
  // the first as its right neighbour, with weight 0, and the horizontal
  // passes may load whole vectors from there (see kBlendedPadding).
  std::vector<std::int16_t> blended(4 * (run_length + kBlendedPadding), 0);
  const bool stream = passes.blend_columns &&
                      out_width * static_cast<std::size_t>(out.height) * sizeof(std::uint32_t) >=
                          kStreamingStoreBytes;
  for (std::size_t y = 0; y < rows.size(); ++y) {
    const Tap& row = rows[y];
    // The next row's upper source row is this one's, or was read before.
    const std::uint32_t* next = y + 1 < rows.size() ? run_of(rows[y + 1].second) : nullptr;
    blend_source_rows(passes, run_of(row.first), run_of(row.second), next,
                      static_cast<std::int16_t>(256 - row.weight),
                      static_cast<std::int16_t>(row.weight), run_length, blended.data());
    blend_output_row(passes, blended.data(), columns, stream, out_width,
                     out.pixels + y * out.stride);
  }
  if (stream) passes.fence();
}

void draw_region(const PixelImage& source, const FixedRect& region, const PixelTarget& out) {
  static const PanZoomPasses fastest = pan_zoom_passes().back();
  draw_region_with(fastest, source, region, out);
}

void draw_region(const PixelImage& source, const FixedRect& region, PixelImage& out) {
  if (out.width <= 0 || out.height <= 0) return;
  out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  draw_region(
      source, region,
      PixelTarget{out.pixels.data(), out.width, out.height, static_cast<std::size_t>(out.width)});
}

}  // namespace showsaver
