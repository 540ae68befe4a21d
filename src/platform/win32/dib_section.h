// 32-bit top-down DIB sections: the surfaces of the show and the show
// window's copy of its picture.  Include after the seam's headers, since
// <windows.h> defines macros named like the seam's constants.
#pragma once

#include <windows.h>

namespace showsaver {

// The description of a 32-bit top-down bitmap of the given size.
BITMAPINFO top_down_32bit(int width, int height);
// A 32-bit top-down DIB section and where its rows are; null when it is
// empty, too large, or cannot be made.
HBITMAP create_dib_section(int width, int height, void** bits);

}  // namespace showsaver
