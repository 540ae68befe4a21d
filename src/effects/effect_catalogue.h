// The transition catalogue: every effect code a scene may carry, with the
// name manifests give it, what it looks like, and the operation that draws it.
// The player, showpack, the demo maker and the benchmarks all read it here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace showsaver {

class Transition;

// The codes by name, for code that picks an effect itself.
enum class EffectCode : std::int32_t {
  cut,
  split_horizontal,
  split_vertical,
  random_tiles,
  blinds_down,
  slide_left,
  slide_right,
  slide_top,
  slide_bottom,
  spiral_tiles,
  box_out,
  pinch_horizontal,
  pinch_vertical,
  flip_horizontal,
  flip_vertical,
  squeeze_left,
  squeeze_top,
  squeeze_right,
  squeeze_bottom,
  wipe_left,
  wipe_top,
  wipe_right,
  wipe_bottom,
  zoom_in,
  zoom_out,
  shrink_through_black,
  push_left,
  push_top,
  push_right,
  push_bottom,
};

inline constexpr std::int32_t kLastEffect = static_cast<std::int32_t>(EffectCode::push_bottom);

struct Effect {
  std::int32_t code;
  std::string_view name;   // as manifests write it
  std::string_view looks;  // what the transition looks like, in a sentence
  // The set-up and frames; `run_effect` adds the opening copy and the final
  // frame.  None for the cut, which the player draws itself.
  void (*operation)(Transition&) = nullptr;
  // The squeezes from the top, right and bottom show their final frame
  // themselves instead of leaving that to the caller.
  bool refresh_after_final_frame = false;
};

// Codes 0 (the cut) to kLastEffect, in order.
std::span<const Effect> effect_catalogue();

// The effect of `code` or of `name` (exactly as manifests spell it), or null.
const Effect* find_effect(std::int32_t code);
const Effect* find_effect(std::string_view name);

std::optional<std::int32_t> effect_code(std::string_view name);
// The name of `code`; empty for an unknown code.
std::string_view effect_name(std::int32_t code);
std::string_view effect_name(EffectCode code);

}  // namespace showsaver
