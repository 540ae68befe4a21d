// The four picture surfaces of the show window.
#pragma once

#include "platform/platform.h"
#include "player/picture_surface.h"

namespace showsaver {

struct ShowSurfaces {
  explicit ShowSurfaces(Platform& platform)
      : Picture1(platform.gdi, platform.files, &platform.windows),
        NowPicture(platform.gdi, platform.files),
        NextPicture(platform.gdi, platform.files),
        MemPicture(platform.gdi, platform.files) {}

  // The visible picture area.
  PictureSurface Picture1;
  // The outgoing and the incoming frame, composed off screen.
  PictureSurface NowPicture;
  PictureSurface NextPicture;
  // The picture file of the scene being composed.
  PictureSurface MemPicture;
};

}  // namespace showsaver
