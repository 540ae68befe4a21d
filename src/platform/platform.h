// Everything the core needs from the system, handed over as one bundle: each
// contract on its own, so that a part of the core takes only the ones it
// uses.  One desktop backend usually implements several of them.
#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/gdi.h"
#include "platform/host.h"
#include "platform/media.h"
#include "platform/message_loop.h"
#include "platform/power_events.h"
#include "platform/text_codec.h"
#include "platform/window_system.h"

namespace showsaver {

struct Platform {
  Gdi& gdi;
  WindowSystem& windows;
  MessageLoop& loop;
  Dialogs& dialogs;
  PowerEvents& power;
  Media& media;
  Host& host;
  FileSystem& files;
  const TextCodec& text;
};

}  // namespace showsaver
