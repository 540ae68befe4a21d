#include "player/hold_motion.h"

#include "common/message_wait.h"
#include "effects/frame_bitmap.h"

namespace showsaver {

std::optional<PanZoomPath> motion_path(const std::optional<ShowExtension>& extension,
                                       std::int32_t scene, Size area) {
  if (!extension || area.width <= 0 || area.height <= 0) return std::nullopt;
  if (const auto seeded = extension->for_scene<PanZoomSeedRecord>(scene)) {
    return path_from_seed(seeded->seed, area);
  }
  if (const auto given = extension->for_scene<PanZoomPathRecord>(scene)) {
    return PanZoomPath{given->start, given->end};
  }
  return std::nullopt;
}

bool hold_with_motion(Gdi& gdi, MessageLoop& loop, PictureSurface& screen, PictureSurface& frame,
                      const PanZoomPath& path, std::int32_t hold_start, std::int32_t hold,
                      const std::int16_t& stop_requested) {
  const std::optional<PixelImage> source = gdi.ReadImage(frame.dc());
  if (!source || source->width <= 0 || source->height <= 0) {
    return wait_with_messages(loop, hold_start, hold, stop_requested);
  }
  FrameBitmap bitmap(gdi, {source->width, source->height});
  bool stopped = false;
  for (;;) {
    const std::int32_t now = loop.tick_count();
    // The tick's distance from the start, right across a wrap of the counter.
    const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                                   static_cast<std::uint32_t>(hold_start));
    // Straight into the frame bitmap's pixels: no frame of its own to copy.
    draw_region(*source, region_at(path.start, path.end, elapsed, hold), bitmap.pixels());
    bitmap.show(screen.dc());
    screen.refresh();
    if (elapsed >= hold) break;
    if (wait_with_messages(loop, now, std::min(kMotionFramePeriodMs, hold - elapsed),
                           stop_requested)) {
      stopped = true;
      break;
    }
  }
  bitmap.show(frame.dc());
  return stopped;
}

}  // namespace showsaver
