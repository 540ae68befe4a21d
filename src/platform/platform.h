// Everything the core needs from the system, handed over as one bundle.
#pragma once

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/gdi.h"
#include "platform/host.h"
#include "platform/media.h"
#include "platform/text_codec.h"

namespace showsaver {

struct Platform {
  Gdi& gdi;
  Desktop& desktop;
  Media& media;
  Host& host;
  FileSystem& files;
  const TextCodec& text;
};

}  // namespace showsaver
