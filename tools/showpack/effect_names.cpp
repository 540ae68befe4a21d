#include "effect_names.h"

#include <algorithm>
#include <array>
#include <random>

namespace showsaver::showpack {
namespace {

constexpr std::array<EffectName, kLastEffect + 1> kEffects{{
    {0, "cut", "the next picture replaces the last one at once"},
    {1, "split-horizontal",
     "the picture splits down the middle; its halves slide out left and right, uncovering the "
     "next one"},
    {2, "split-vertical", "the picture splits across the middle; its halves slide out up and down"},
    {3, "random-tiles", "5 x 5 tiles turn to the next picture one at a time, in random order"},
    {4, "blinds-down", "five horizontal blinds close downwards onto the next picture"},
    {5, "slide-left", "the next picture slides in from the left edge over the last one"},
    {6, "slide-right", "the next picture slides in from the right edge"},
    {7, "slide-top", "the next picture slides in from the top edge"},
    {8, "slide-bottom", "the next picture slides in from the bottom edge"},
    {9, "spiral-tiles",
     "5 x 5 tiles turn one at a time in a clockwise spiral from the top left to the centre"},
    {10, "box-out", "the next picture shows in a box that grows out of the centre"},
    {11, "pinch-horizontal",
     "the picture is pinched to a vertical line over black; the next one widens out of it"},
    {12, "pinch-vertical",
     "the picture is pinched to a horizontal line over black; the next one grows out of it"},
    {13, "flip-horizontal",
     "the picture turns over around the vertical centre line, then the next one does"},
    {14, "flip-vertical", "the same around the horizontal centre line"},
    {15, "squeeze-left",
     "the next picture grows from the left edge and squeezes the last one against the right"},
    {16, "squeeze-top",
     "the next picture grows from the top edge and squeezes the last one against the bottom"},
    {17, "squeeze-right",
     "the next picture grows from the right edge and squeezes the last one against the left"},
    {18, "squeeze-bottom",
     "the next picture grows from the bottom edge and squeezes the last one against the top"},
    {19, "wipe-left", "the next picture is uncovered, unmoving, from the left edge"},
    {20, "wipe-top", "the next picture is uncovered, unmoving, from the top edge"},
    {21, "wipe-right", "the next picture is uncovered, unmoving, from the right edge"},
    {22, "wipe-bottom", "the next picture is uncovered, unmoving, from the bottom edge"},
    {23, "zoom-in", "the next picture grows out of the centre over the last one"},
    {24, "zoom-out", "the last picture shrinks into the centre, uncovering the next one"},
    {25, "shrink-through-black",
     "the last picture shrinks into the centre over black, then the next one grows out of it"},
    {26, "push-left", "the next picture enters from the left edge and pushes the last one out"},
    {27, "push-top", "the next picture enters from the top edge and pushes the last one out"},
    {28, "push-right", "the next picture enters from the right edge and pushes the last one out"},
    {29, "push-bottom", "the next picture enters from the bottom edge and pushes the last one out"},
}};

}  // namespace

std::span<const EffectName> effect_names() {
  return kEffects;
}

std::optional<std::int32_t> effect_code(std::string_view name) {
  for (const EffectName& effect : kEffects) {
    if (effect.name == name) return effect.code;
  }
  return std::nullopt;
}

std::string_view effect_name(std::int32_t code) {
  if (code < 0 || code > kLastEffect) return {};
  return kEffects[std::size_t(code)].name;
}

std::vector<std::int32_t> varied_effects(std::size_t count) {
  std::mt19937 random(20240611u);  // fixed: the same folder gives the same show
  std::vector<std::int32_t> effects;
  while (effects.size() < count) {
    std::vector<std::int32_t> round;
    for (std::int32_t code = 1; code <= kLastEffect; ++code) round.push_back(code);
    for (std::size_t i = round.size() - 1; i > 0; --i) {
      std::swap(round[i], round[random() % (i + 1)]);
    }
    if (!effects.empty() && round.front() == effects.back()) std::swap(round.front(), round.back());
    effects.insert(effects.end(), round.begin(), round.end());
  }
  effects.resize(count);
  // The show loops: the last transition is followed by the first.  A swap
  // inside the last run mends that without losing an effect of the run.
  const auto repeats = [&] {
    for (std::size_t i = 0; i < count; ++i) {
      if (effects[i] == effects[(i + 1) % count]) return true;
    }
    return false;
  };
  if (count > 2 && effects.back() == effects.front()) {
    const std::size_t run_start = (count - 1) / std::size_t(kLastEffect) * kLastEffect;
    for (std::size_t j = count - 1; j-- > std::max<std::size_t>(run_start, 1);) {
      std::swap(effects[j], effects.back());
      if (!repeats()) break;
      std::swap(effects[j], effects.back());
    }
    // A last run of one: any other effect will do there.
    for (std::int32_t code = 1; repeats() && code <= kLastEffect; ++code) {
      if (code != effects.front() && code != effects[count - 2]) effects.back() = code;
    }
  }
  return effects;
}

}  // namespace showsaver::showpack
