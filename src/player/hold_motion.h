// The hold of a scene that pans and zooms: frames drawn with the core's
// filter (effects/pan_zoom.h) at a steady pace until the hold is over or a
// stop comes.  A hold without motion is a plain wait and sleeps throughout.
#pragma once

#include <cstdint>
#include <optional>

#include "effects/pan_zoom.h"
#include "package/show_extension.h"
#include "platform/gdi.h"
#include "platform/message_loop.h"
#include "player/picture_surface.h"

namespace showsaver {

// Milliseconds between the frames of a pan and zoom.
inline constexpr std::int32_t kMotionFramePeriodMs = 40;

// The path scene `scene` moves along over a picture area of `area`, in the
// area's pixels; nothing when the extension gives it no motion.
std::optional<PanZoomPath> motion_path(const std::optional<ShowExtension>& extension,
                                       std::int32_t scene, Size area);

// Shows `frame` (the scene's composed picture) moving along `path` on
// `screen` from `hold_start` for `hold` milliseconds, then leaves the last
// frame in `frame` too, so the transition out starts where the motion ended.
// Returns true when a stop ended it.
bool hold_with_motion(Gdi& gdi, MessageLoop& loop, PictureSurface& screen, PictureSurface& frame,
                      const PanZoomPath& path, std::int32_t hold_start, std::int32_t hold,
                      const std::int16_t& stop_requested);

}  // namespace showsaver
