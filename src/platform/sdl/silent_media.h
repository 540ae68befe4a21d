// Media for a desktop without a sound backend: nothing plays, and every media
// command fails as it does on a system without the device.
#pragma once

#include <string>

#include "platform/media.h"

namespace showsaver {

class SilentMedia final : public Media {
 public:
  unsigned send_media_command(const std::string&, std::string& reply, unsigned) override {
    reply.clear();
    return media_error::kInvalidDeviceName;
  }
  bool play_sound(const std::string*, unsigned) override { return false; }
};

}  // namespace showsaver
