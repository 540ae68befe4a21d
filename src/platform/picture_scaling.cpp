#include "platform/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace showsaver {
namespace {

// Weights are eight-bit fixed point, a whole pixel being kOne: then red and
// blue, masked apart, are weighed in one 32-bit multiply, each in its own
// 16 bits, and green in another.
constexpr int kShift = 8;
constexpr std::uint32_t kOne = 1u << kShift;

// For each target index along one axis, the source indices it is made of:
// `count` of them from first[i], with weights[i * count ...] summing to kOne
// (unused ones zero).
struct AxisTaps {
  int count = 1;
  std::vector<int> first;
  std::vector<std::uint32_t> weights;
};

// Makes the weights sum to exactly kOne by giving the rounding's remainder
// to the heaviest one.
void put_weights(std::uint32_t* weights, const std::vector<double>& shares) {
  double total = 0;
  for (const double share : shares) total += share;
  std::uint32_t sum = 0;
  std::size_t heaviest = 0;
  for (std::size_t k = 0; k < shares.size(); ++k) {
    weights[k] = static_cast<std::uint32_t>(std::lround(shares[k] / total * kOne));
    sum += weights[k];
    if (weights[k] > weights[heaviest]) heaviest = k;
  }
  weights[heaviest] += kOne - sum;
}

// The source pixels of each of `to` target pixels from `from` source pixels
// and their shares of it, before fixed point.
std::vector<std::pair<int, std::vector<double>>> shares_along(int from, int to) {
  std::vector<std::pair<int, std::vector<double>>> result(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) {
    auto& [first, shares] = result[static_cast<std::size_t>(i)];
    if (to % from == 0) {  // the same size or a whole multiple: repeated exactly
      first = static_cast<int>(std::int64_t{i} * from / to);
      shares = {1.0};
    } else if (to < from) {  // the area the target pixel covers, averaged
      const double start = double(i) * from / to;
      const double end = double(i + 1) * from / to;
      first = static_cast<int>(start);
      for (int s = first; s < from && s < end; ++s) {
        shares.push_back(std::min<double>(s + 1, end) - std::max<double>(s, start));
      }
    } else {  // between the two nearest source pixels' centres
      const double centre = std::clamp((i + 0.5) * from / to - 0.5, 0.0, double(from - 1));
      first = std::min(static_cast<int>(centre), from - 1);
      const double fraction = centre - first;
      shares = first + 1 < from && fraction > 0 ? std::vector<double>{1 - fraction, fraction}
                                                : std::vector<double>{1.0};
    }
  }
  return result;
}

AxisTaps taps_along(int from, int to) {
  const auto shares = shares_along(from, to);
  AxisTaps taps;
  for (const auto& entry : shares) taps.count = std::max(taps.count, int(entry.second.size()));
  taps.first.resize(shares.size());
  taps.weights.assign(shares.size() * static_cast<std::size_t>(taps.count), 0);
  for (std::size_t i = 0; i < shares.size(); ++i) {
    // A tap of weight zero may not read past the source: start earlier instead.
    taps.first[i] = std::min(shares[i].first, from - taps.count);
    const std::size_t skip = static_cast<std::size_t>(shares[i].first - taps.first[i]);
    put_weights(&taps.weights[i * static_cast<std::size_t>(taps.count) + skip], shares[i].second);
  }
  return taps;
}

// One pixel made of `count` pixels `step` words apart from `pixel`.
inline std::uint32_t blend(const std::uint32_t* pixel, std::size_t step,
                           const std::uint32_t* weights, int count) {
  std::uint32_t red_blue = 0x00800080u;  // a half, to round
  std::uint32_t green = 0x00008000u;
  for (int k = 0; k < count; ++k, pixel += step) {
    red_blue += (*pixel & 0x00FF00FFu) * weights[k];
    green += (*pixel & 0x0000FF00u) * weights[k];
  }
  return (red_blue >> kShift & 0x00FF00FFu) | (green >> kShift & 0x0000FF00u);
}

}  // namespace

Size fitted_size(Size picture, Size box) {
  if (picture.width <= 0 || picture.height <= 0 || box.width <= 0 || box.height <= 0) return {};
  std::int64_t width = box.width;
  std::int64_t height = box.height;
  // Bound by the tighter side, the other side rounded.
  if (std::int64_t{box.width} * picture.height <= std::int64_t{box.height} * picture.width) {
    height = (std::int64_t{box.width} * picture.height * 2 + picture.width) /
             (2 * std::int64_t{picture.width});
  } else {
    width = (std::int64_t{box.height} * picture.width * 2 + picture.height) /
            (2 * std::int64_t{picture.height});
  }
  return {static_cast<std::int32_t>(std::max<std::int64_t>(width, 1)),
          static_cast<std::int32_t>(std::max<std::int64_t>(height, 1))};
}

Size presented_size(Size picture, Size monitor, int scale_percent) {
  if (picture.width <= 0 || picture.height <= 0) return {};
  const std::int64_t width = (std::int64_t{picture.width} * scale_percent + 50) / 100;
  const std::int64_t height = (std::int64_t{picture.height} * scale_percent + 50) / 100;
  if (monitor.width > 0 && monitor.height > 0 &&
      (width > monitor.width || height > monitor.height)) {
    return fitted_size(picture, monitor);
  }
  return {static_cast<std::int32_t>(std::max<std::int64_t>(width, 1)),
          static_cast<std::int32_t>(std::max<std::int64_t>(height, 1))};
}

// The two passes with `kCount` taps a pixel known when compiled (0: `count`).
template <int kCount>
void scale_with(const PixelView& source, const PixelTarget& target, const AxisTaps& columns,
                const AxisTaps& rows) {
  const int across_count = kCount != 0 ? kCount : columns.count;
  const int down_count = kCount != 0 ? kCount : rows.count;
  const auto width = static_cast<std::size_t>(target.width);
  // Across first, for every source row, then down.
  std::vector<std::uint32_t> across(width * static_cast<std::size_t>(source.height));
  for (int y = 0; y < source.height; ++y) {
    const std::uint32_t* row = source.pixels + static_cast<std::size_t>(y) * source.stride;
    std::uint32_t* out = across.data() + static_cast<std::size_t>(y) * width;
    const std::uint32_t* weights = columns.weights.data();
    for (std::size_t x = 0; x < width; ++x, weights += across_count) {
      out[x] = blend(row + columns.first[x], 1, weights, across_count);
    }
  }
  for (int y = 0; y < target.height; ++y) {
    const std::uint32_t* weights = &rows.weights[static_cast<std::size_t>(y) * down_count];
    const std::uint32_t* column =
        across.data() + static_cast<std::size_t>(rows.first[static_cast<std::size_t>(y)]) * width;
    std::uint32_t* out = target.pixels + static_cast<std::size_t>(y) * target.stride;
    for (std::size_t x = 0; x < width; ++x) out[x] = blend(column + x, width, weights, down_count);
  }
}

void scale_picture(const PixelView& source, const PixelTarget& target) {
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  const AxisTaps columns = taps_along(source.width, target.width);
  const AxisTaps rows = taps_along(source.height, target.height);
  // The common cases (repeats, linear steps, shrinks under a half) unrolled.
  if (columns.count == rows.count && columns.count <= 3) {
    if (columns.count == 1) return scale_with<1>(source, target, columns, rows);
    if (columns.count == 2) return scale_with<2>(source, target, columns, rows);
    return scale_with<3>(source, target, columns, rows);
  }
  scale_with<0>(source, target, columns, rows);
}

PixelImage scaled_picture(const PixelView& source, Size size) {
  PixelImage image{size.width, size.height,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(size.width) * size.height)};
  scale_picture(
      source, {image.pixels.data(), size.width, size.height, static_cast<std::size_t>(size.width)});
  return image;
}

}  // namespace showsaver
