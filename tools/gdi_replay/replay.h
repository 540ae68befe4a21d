// The drawing replay: the GDI cases of the software GDI's tests and every
// effect, played on any Gdi, each result read back as an image, so that the
// software GDI and the real one can be compared case by case.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"
#include "platform/gdi.h"
#include "platform/pixel_image.h"

namespace showsaver::gdi_replay {

// Receives each case's name and resulting image, in a fixed order.  An image
// that could not be read back is 0 x 0.
using ImageSink = std::function<void(const std::string& name, const PixelImage& image)>;

// BitBlt and StretchBlt cases (raster operations, enlarging, shrinking,
// mirroring, clipping, monochrome conversions), filled boxes and the
// transparent sprite blit, on memory bitmaps made through `gdi`.
void replay_drawing(Gdi& gdi, const ImageSink& sink);

// Every effect 1 to 29 and the cross-fade at each canvas size of
// replay_stage.h on the scripted desktop's virtual clock: the destination's
// image at its refreshes (a sample of them at the largest size) and at the
// end.  Returns false when one had to be stopped at the frame or time cap.
bool replay_effects(Gdi& gdi, const ImageSink& sink);

// The pan and zoom of a hold at each canvas size: the show window's frames
// and the last frame the hold leaves.  `files` is the surfaces' file system
// (no picture file is read).
void replay_motion(Gdi& gdi, FileSystem& files, const ImageSink& sink);

// The program: "gdi_replay OUTPUT" writes every case played on `gdi` to
// OUTPUT (see replay_file.h).  Returns the exit status.
int replay_main(Gdi& gdi, FileSystem& files, int argc, char** argv);

}  // namespace showsaver::gdi_replay
