// Every effect and the cross-fade on any Gdi, paced by the scripted desktop's
// virtual clock.
#include <cstdio>
#include <functional>
#include <random>

#include "canvas.h"
#include "common/dc_surface.h"
#include "common/runtime_failure.h"
#include "effects/cross_fade_transition.h"
#include "effects/run_effect.h"
#include "replay.h"
#include "replay_stage.h"

namespace showsaver::gdi_replay {
namespace {

// Eight frames: enough that the refresh written at the largest size (the
// sixth) is one inside the fade, not its last.
constexpr std::int32_t kFadeMs = 8 * kFadeFramePeriodMs;

using TransitionRun = std::function<void(DrawingSurface& destination, DrawingSurface& outgoing,
                                         DrawingSurface& incoming, EffectEnvironment&)>;

// Plays one transition from one random picture to another over a third.
// Returns false when it had to be stopped at a cap.
bool replay_transition(Gdi& gdi, const std::string& prefix, Size size, std::mt19937& pictures,
                       const ImageSink& sink, const TransitionRun& run) {
  ReplayStage stage(gdi, size, prefix, sink);
  const Canvas destination = Canvas::color(gdi, random_picture(pictures, size));
  const Canvas outgoing = Canvas::color(gdi, random_picture(pictures, size));
  const Canvas incoming = Canvas::color(gdi, random_picture(pictures, size));
  DcSurface destination_surface(gdi, destination.dc(), size.width, size.height,
                                [&] { stage.refreshed(destination.dc()); });
  DcSurface outgoing_surface(gdi, outgoing.dc(), size.width, size.height);
  DcSurface incoming_surface(gdi, incoming.dc(), size.width, size.height);
  EffectRandom random;
  EffectEnvironment environment{gdi, stage.desktop(), stage.stop_requested(), random};
  try {
    run(destination_surface, outgoing_surface, incoming_surface, environment);
  } catch (const RuntimeFailure& failure) {
    std::fprintf(stderr, "%sfailed: %s\n", prefix.c_str(), failure.description().c_str());
    sink(prefix + "failed", PixelImage{});
  }
  stage.end(destination.image());
  return !stage.capped();
}

}  // namespace

bool replay_effects(Gdi& gdi, const ImageSink& sink) {
  std::mt19937 pictures(29);
  bool all_ended = true;
  for (int code = 1; code <= 29; ++code) {
    char kind[16];
    std::snprintf(kind, sizeof kind, "effect/%02d", code);
    for (const Size size : kReplaySizes) {
      all_ended = replay_transition(gdi, animation_prefix(kind, size), size, pictures, sink,
                                    [code](DrawingSurface& destination, DrawingSurface& outgoing,
                                           DrawingSurface& incoming, EffectEnvironment& e) {
                                      run_effect(code, destination, outgoing, incoming, e);
                                    }) &&
                  all_ended;
    }
  }
  for (const Size size : kReplaySizes) {
    all_ended = replay_transition(gdi, animation_prefix("fade", size), size, pictures, sink,
                                  [](DrawingSurface& destination, DrawingSurface& outgoing,
                                     DrawingSurface& incoming, EffectEnvironment& e) {
                                    run_cross_fade(destination, outgoing, incoming, e, kFadeMs);
                                  }) &&
                all_ended;
  }
  return all_ended;
}

}  // namespace showsaver::gdi_replay
