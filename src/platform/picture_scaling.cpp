#include "platform/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace showsaver {
namespace {

// Weights are fixed point: a whole pixel is kOne.
constexpr int kShift = 14;
constexpr std::int32_t kOne = 1 << kShift;

struct Tap {
  int first = 0;                      // the first source index
  std::vector<std::int32_t> weights;  // for first, first + 1, ...; they sum to kOne
};

// Makes the weights sum to exactly kOne by giving the rounding's remainder
// to the heaviest one.
void normalise(Tap& tap, const std::vector<double>& shares) {
  double total = 0;
  for (const double share : shares) total += share;
  std::int32_t sum = 0;
  for (const double share : shares) {
    tap.weights.push_back(static_cast<std::int32_t>(std::lround(share / total * kOne)));
    sum += tap.weights.back();
  }
  *std::max_element(tap.weights.begin(), tap.weights.end()) += kOne - sum;
}

// For each of `to` target indices, the source indices of `from` it is made of.
std::vector<Tap> taps(int from, int to) {
  std::vector<Tap> result(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) {
    Tap& tap = result[static_cast<std::size_t>(i)];
    if (to % from == 0) {  // the same size or a whole multiple: repeated exactly
      tap.first = static_cast<int>(std::int64_t{i} * from / to);
      tap.weights = {kOne};
    } else if (to < from) {  // the area the target pixel covers, averaged
      const double start = double(i) * from / to;
      const double end = double(i + 1) * from / to;
      tap.first = static_cast<int>(start);
      std::vector<double> shares;
      for (int s = tap.first; s < from && s < end; ++s) {
        shares.push_back(std::min<double>(s + 1, end) - std::max<double>(s, start));
      }
      normalise(tap, shares);
    } else {  // between the two nearest source pixels' centres
      const double centre = std::clamp((i + 0.5) * from / to - 0.5, 0.0, double(from - 1));
      tap.first = std::min(static_cast<int>(centre), from - 1);
      const double fraction = centre - tap.first;
      if (tap.first + 1 < from && fraction > 0) {
        normalise(tap, {1 - fraction, fraction});
      } else {
        tap.weights = {kOne};
      }
    }
  }
  return result;
}

// One pixel made of `count` pixels `step` words apart from `pixel`.
std::uint32_t blend(const std::uint32_t* pixel, std::size_t step, const Tap& tap) {
  std::int64_t red = 0;
  std::int64_t green = 0;
  std::int64_t blue = 0;
  for (const std::int32_t weight : tap.weights) {
    red += std::int64_t{(*pixel >> 16) & 0xFF} * weight;
    green += std::int64_t{(*pixel >> 8) & 0xFF} * weight;
    blue += std::int64_t{*pixel & 0xFF} * weight;
    pixel += step;
  }
  const auto channel = [](std::int64_t sum) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>((sum + kOne / 2) >> kShift, 0, 255));
  };
  return channel(red) << 16 | channel(green) << 8 | channel(blue);
}

}  // namespace

Size presented_size(Size picture, Size monitor, int scale_percent) {
  if (picture.width <= 0 || picture.height <= 0) return {};
  std::int64_t width = (std::int64_t{picture.width} * scale_percent + 50) / 100;
  std::int64_t height = (std::int64_t{picture.height} * scale_percent + 50) / 100;
  if (monitor.width > 0 && monitor.height > 0 &&
      (width > monitor.width || height > monitor.height)) {
    // Bound by the side that overflows most, the other side rounded.
    if (std::int64_t{monitor.width} * picture.height <=
        std::int64_t{monitor.height} * picture.width) {
      height = (std::int64_t{monitor.width} * picture.height * 2 + picture.width) /
               (2 * std::int64_t{picture.width});
      width = monitor.width;
    } else {
      width = (std::int64_t{monitor.height} * picture.width * 2 + picture.height) /
              (2 * std::int64_t{picture.height});
      height = monitor.height;
    }
  }
  return {static_cast<std::int32_t>(std::max<std::int64_t>(width, 1)),
          static_cast<std::int32_t>(std::max<std::int64_t>(height, 1))};
}

void scale_picture(const PixelView& source, const PixelTarget& target) {
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  const std::vector<Tap> columns = taps(source.width, target.width);
  const std::vector<Tap> rows = taps(source.height, target.height);
  // Across first, for every source row a target row uses, then down.
  std::vector<std::uint32_t> across(static_cast<std::size_t>(target.width) * source.height);
  for (int y = 0; y < source.height; ++y) {
    const std::uint32_t* row = source.pixels + static_cast<std::size_t>(y) * source.stride;
    std::uint32_t* out = across.data() + static_cast<std::size_t>(y) * target.width;
    for (int x = 0; x < target.width; ++x) {
      const Tap& tap = columns[static_cast<std::size_t>(x)];
      out[x] = blend(row + tap.first, 1, tap);
    }
  }
  for (int y = 0; y < target.height; ++y) {
    const Tap& tap = rows[static_cast<std::size_t>(y)];
    const std::uint32_t* column =
        across.data() + static_cast<std::size_t>(tap.first) * target.width;
    std::uint32_t* out = target.pixels + static_cast<std::size_t>(y) * target.stride;
    for (int x = 0; x < target.width; ++x) {
      out[x] = blend(column + x, static_cast<std::size_t>(target.width), tap);
    }
  }
}

PixelImage scaled_picture(const PixelView& source, Size size) {
  PixelImage image{size.width, size.height,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(size.width) * size.height)};
  scale_picture(
      source, {image.pixels.data(), size.width, size.height, static_cast<std::size_t>(size.width)});
  return image;
}

}  // namespace showsaver
