#include "effects/effect_module.h"

#include <array>

#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver {
namespace {

struct EffectEntry {
  void (*operation)(Transition&);
  // The squeezes from the top, right and bottom show their final frame
  // themselves instead of leaving that to the caller.
  bool refresh_after_final_frame = false;
};

using namespace EffectModule;

// Indexed by effect code - 1.
constexpr std::array<EffectEntry, 29> kEffects{{
    {SplitApartHorizontal},     // 1
    {SplitApartVertical},       // 2
    {RandomTiles},              // 3
    {BlindsDown},               // 4
    {SlideInFromLeft},          // 5
    {SlideInFromRight},         // 6
    {SlideInFromTop},           // 7
    {SlideInFromBottom},        // 8
    {SpiralTiles},              // 9
    {BoxOut},                   // 10
    {PinchHorizontal},          // 11
    {PinchVertical},            // 12
    {FlipHorizontal},           // 13
    {FlipVertical},             // 14
    {SqueezeFromLeft},          // 15
    {SqueezeFromTop, true},     // 16
    {SqueezeFromRight, true},   // 17
    {SqueezeFromBottom, true},  // 18
    {WipeFromLeft},             // 19
    {WipeFromTop},              // 20
    {WipeFromRight},            // 21
    {WipeFromBottom},           // 22
    {ZoomInFromCentre},         // 23
    {ZoomOutToCentre},          // 24
    {ShrinkThroughBlack},       // 25
    {PushFromLeft},             // 26
    {PushFromTop},              // 27
    {PushFromRight},            // 28
    {PushFromBottom},           // 29
}};

}  // namespace

void run_effect(std::int32_t code, DrawingSurface& destination, DrawingSurface& outgoing,
                DrawingSurface& incoming, EffectEnvironment& environment) {
  if (code < 1 || code > static_cast<std::int32_t>(kEffects.size())) return;
  const EffectEntry& entry = kEffects[static_cast<std::size_t>(code - 1)];
  Transition transition(destination, outgoing, incoming, environment);
  transition.opening_copy();
  entry.operation(transition);
  transition.final_frame();
  if (entry.refresh_after_final_frame) transition.refresh_destination();
}

}  // namespace showsaver
