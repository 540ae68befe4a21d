// Media for a desktop without a sound backend: nothing plays, and every media
// command fails as it does on a system without the device.
#pragma once

#include <string>

#include "platform/media.h"

namespace showsaver {

// "The specified device is not open or is not recognized by MCI."
inline constexpr unsigned kMciErrorNoDevice = 263;

class SilentMedia final : public Media {
 public:
  unsigned mciSendString(const std::string&, std::string& reply, unsigned) override {
    reply.clear();
    return kMciErrorNoDevice;
  }
  bool PlaySound(const std::string*, unsigned) override { return false; }
};

}  // namespace showsaver
