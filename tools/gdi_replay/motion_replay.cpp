// The pan and zoom of a hold on any Gdi: the show window's frames as the
// player draws them, paced by the scripted desktop's virtual clock.
#include <algorithm>
#include <cstdio>
#include <random>

#include "canvas.h"
#include "common/runtime_failure.h"
#include "player/hold_motion.h"
#include "player/picture_surface.h"
#include "replay.h"
#include "replay_stage.h"

namespace showsaver::gdi_replay {
namespace {

// A few frames: the first, some between and the last.
constexpr std::int32_t kHoldMs = 6 * kMotionFramePeriodMs;

// From the whole picture to its middle three quarters, so the frames both
// shrink and (at the smallest sizes) enlarge the picture.
PanZoomPath zoom_in(Size size) {
  const Rect whole{0, 0, size.width, size.height};
  const Rect middle{size.width / 8, size.height / 8, std::max(1, size.width * 3 / 4),
                    std::max(1, size.height * 3 / 4)};
  return {whole, middle};
}

void replay_hold(Gdi& gdi, FileSystem& files, Size size, std::mt19937& pictures,
                 const ImageSink& sink) {
  const std::string prefix = animation_prefix("pan-zoom", size);
  ReplayStage stage(gdi, size, prefix, sink);
  stage.record_window_refreshes();
  try {
    PictureSurface screen(gdi, files, &stage.desktop());
    PictureSurface frame(gdi, files);
    screen.resize(size.width, size.height);
    frame.resize(size.width, size.height);
    const Canvas picture = Canvas::color(gdi, random_picture(pictures, size));
    gdi.BitBlt(frame.dc(), 0, 0, size.width, size.height, picture.dc(), 0, 0, rop::SRCCOPY);
    hold_with_motion(gdi, stage.desktop(), screen, frame, zoom_in(size),
                     stage.desktop().tick_count(), kHoldMs, stage.stop_requested());
    stage.end(gdi.ReadImage(frame.dc()).value_or(PixelImage{}));
  } catch (const RuntimeFailure& failure) {
    std::fprintf(stderr, "%sfailed: %s\n", prefix.c_str(), failure.description().c_str());
    sink(prefix + "failed", PixelImage{});
  }
}

}  // namespace

void replay_motion(Gdi& gdi, FileSystem& files, const ImageSink& sink) {
  std::mt19937 pictures(48);
  for (const Size size : kReplaySizes) replay_hold(gdi, files, size, pictures, sink);
}

}  // namespace showsaver::gdi_replay
