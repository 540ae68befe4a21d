// The whole scripted platform in one object: software drawing, virtual clock,
// scripted desktop, media and host, and the shared event log.
#pragma once

#include "platform/platform.h"
#include "platform/scripted/event_log.h"
#include "platform/scripted/scripted_desktop.h"
#include "platform/scripted/scripted_host.h"
#include "platform/scripted/scripted_media.h"
#include "platform/scripted/virtual_clock.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {

struct ScriptedPlatform {
  // `files` and `text` are the real ones of the machine the tests run on.
  ScriptedPlatform(FileSystem& files, const TextCodec& text,
                   ScriptedHostSettings host_settings = {}, std::int32_t start_tick = 0)
      : clock(start_tick),
        desktop(gdi, clock, log),
        media(clock, log, files),
        host(std::move(host_settings), clock, log),
        platform{gdi, desktop, desktop, desktop, desktop, media, host, files, text} {}

  EventLog log;
  SoftGdi gdi;
  VirtualClock clock;
  ScriptedDesktop desktop;
  ScriptedMedia media;
  ScriptedHost host;
  Platform platform;
};

}  // namespace showsaver
