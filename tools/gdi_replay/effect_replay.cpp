// Every effect on any Gdi, paced by the scripted desktop's virtual clock.
#include <cstdio>
#include <functional>
#include <random>

#include "canvas.h"
#include "common/dc_surface.h"
#include "common/message_wait.h"
#include "common/runtime_failure.h"
#include "effects/run_effect.h"
#include "platform/geometry.h"
#include "platform/scripted/scripted_desktop.h"
#include "player/stop_detector.h"
#include "replay.h"

namespace showsaver::gdi_replay {
namespace {

// A small one, one of odd sizes and one with room for the blinds' frames.
constexpr Size kSizes[] = {{64, 48}, {97, 61}, {200, 120}};

// Caps on an effect that does not end; far above what any effect takes.
constexpr std::int64_t kMaxVirtualMs = 600'000;
constexpr int kMaxRefreshes = 5'000;

// Random pixels (the engine's raw output, the same on every platform), so
// that any misplaced pixel shows.
PixelImage random_picture(std::mt19937& random, Size size) {
  PixelImage image{size.width, size.height, {}};
  for (int i = 0; i < size.width * size.height; ++i) {
    image.pixels.push_back(static_cast<std::uint32_t>(random()) & 0x00FFFFFFu);
  }
  return image;
}

// Returns false when the effect had to be stopped at a cap.
bool replay_effect(Gdi& gdi, int code, Size size, std::mt19937& pictures, const ImageSink& sink) {
  char prefix[48];
  std::snprintf(prefix, sizeof prefix, "effect/%02d/%dx%d/", code, size.width, size.height);
  VirtualClock clock;
  EventLog log;
  ScriptedDesktop desktop(gdi, clock, log);
  StopDetector stop(desktop);
  stop.arm();
  desktop.create_show_window({0, 0, size.width, size.height}, stop);

  const Canvas destination = Canvas::color(gdi, random_picture(pictures, size));
  const Canvas outgoing = Canvas::color(gdi, random_picture(pictures, size));
  const Canvas incoming = Canvas::color(gdi, random_picture(pictures, size));
  int refreshes = 0;
  bool capped = false;
  desktop.on_refresh([&](const PixelImage& image) {
    char name[16];
    std::snprintf(name, sizeof name, "refresh-%04d", refreshes++);
    sink(prefix + std::string(name), image);
  });
  desktop.on_process_messages([&] {
    if (capped || (clock.elapsed() <= kMaxVirtualMs && refreshes <= kMaxRefreshes)) return;
    capped = true;
    desktop.press_key_now();
  });
  DcSurface destination_surface(gdi, destination.dc(), size.width, size.height,
                                [&] { desktop.refresh_picture_area(destination.dc()); });
  DcSurface outgoing_surface(gdi, outgoing.dc(), size.width, size.height);
  DcSurface incoming_surface(gdi, incoming.dc(), size.width, size.height);
  EffectRandom random;
  EffectEnvironment environment{gdi, desktop, stop.StopRequested(), random};
  try {
    run_effect(code, destination_surface, outgoing_surface, incoming_surface, environment);
  } catch (const RuntimeFailure& failure) {
    std::fprintf(stderr, "%sfailed: %s\n", prefix, failure.description().c_str());
    sink(prefix + std::string("failed"), PixelImage{});
  }
  sink(prefix + std::string("end"), destination.image());
  if (capped) std::fprintf(stderr, "%sstopped at the cap\n", prefix);
  return !capped;
}

}  // namespace

bool replay_effects(Gdi& gdi, const ImageSink& sink) {
  std::mt19937 pictures(29);
  bool all_ended = true;
  for (int code = 1; code <= 29; ++code) {
    for (const Size size : kSizes) {
      all_ended = replay_effect(gdi, code, size, pictures, sink) && all_ended;
    }
  }
  return all_ended;
}

}  // namespace showsaver::gdi_replay
