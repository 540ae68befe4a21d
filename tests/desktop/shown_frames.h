// The show's frames as the end-to-end tests expect them on screen: a picture
// that shows a misplaced or mirrored frame, the player's first frame as
// `showpack render` draws it, and where it lands.
#pragma once

#include <string>

#include "package/show_package.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"
#include "support/temp_dir.h"

namespace showsaver::test {

class XServer;

// One scene of `size` (at least 60 x 40) whose every quarter has its own
// colour, none of them black, with a white block in the lower right one:
// held for a minute.
ShowPackage quartered_show(Size size = {60, 40});

// The player's first frame of `show` as `showpack render` draws it (its
// files in `folder`).
PixelImage rendered_frame(const TempDir& folder, const std::string& show);

// The pixels of `image` that are not black.
int lit_pixels(const PixelImage& image);

// True once the area of `expected`'s size centred in `area` shows `expected`.
bool shows_centred(XServer& x, const Rect& area, const PixelImage& expected);

}  // namespace showsaver::test
