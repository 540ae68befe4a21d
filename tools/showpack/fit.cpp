#include "fit.h"

#include <algorithm>
#include <cstdint>

namespace showsaver::showpack {
namespace {

std::int64_t rounded_ratio(std::int64_t a, std::int64_t b, std::int64_t c) {
  return std::max<std::int64_t>(1, (2 * a * b + c) / (2 * c));  // a * b / c, rounded
}

}  // namespace

std::optional<Fit> parse_fit(std::string_view text) {
  if (text == "none") return Fit::none;
  if (text == "contain") return Fit::contain;
  if (text == "cover") return Fit::cover;
  return std::nullopt;
}

const char* fit_name(Fit fit) {
  switch (fit) {
    case Fit::contain:
      return "contain";
    case Fit::cover:
      return "cover";
    default:
      return "none";
  }
}

Size fitted_size(Size picture, Size area, Fit fit) {
  if (fit == Fit::none || picture.width <= 0 || picture.height <= 0) return picture;
  // Width-bound when the area is relatively taller than the picture.
  const bool area_taller =
      std::int64_t(area.height) * picture.width >= std::int64_t(picture.height) * area.width;
  const bool width_bound = (fit == Fit::contain) == area_taller;
  if (width_bound) {
    return {area.width, std::int32_t(rounded_ratio(picture.height, area.width, picture.width))};
  }
  return {std::int32_t(rounded_ratio(picture.width, area.height, picture.height)), area.height};
}

}  // namespace showsaver::showpack
