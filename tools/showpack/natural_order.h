// The order people expect of file names: runs of digits compare as numbers,
// so that IMG_2 comes before IMG_10, and letters compare without regard to
// case.
#pragma once

#include <string_view>

namespace showsaver::showpack {

// Whether `a` comes before `b`; names that compare equal that way (IMG_02
// and img_2) are ordered by their bytes, so the order is total.
bool naturally_before(std::string_view a, std::string_view b);

}  // namespace showsaver::showpack
