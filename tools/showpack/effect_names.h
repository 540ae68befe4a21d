// The transitions by name: one name per effect code, for manifests and reports.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace showsaver::showpack {

struct EffectName {
  std::int32_t code;
  std::string_view name;
  std::string_view looks;  // what the transition looks like, in a sentence
};

inline constexpr std::int32_t kLastEffect = 29;

// Codes 0 (the cut) to 29, in order.
std::span<const EffectName> effect_names();

std::optional<std::int32_t> effect_code(std::string_view name);
// The name of `code`; empty for an unknown code.
std::string_view effect_name(std::int32_t code);

// The transitions of `count` scenes: every effect 1..29 once in each run of
// 29 scenes, in an order drawn from a fixed seed, never the same twice in a
// row (the show loops, so the last and the first count as a row too).
std::vector<std::int32_t> varied_effects(std::size_t count);

}  // namespace showsaver::showpack
