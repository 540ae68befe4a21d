#include "effects/effect_catalogue.h"

#include <array>

#include "effects/effect_operations.h"

namespace showsaver {
namespace {

using namespace transitions;

// A row of the table: the code's name in C++ beside its name in manifests.
constexpr Effect row(EffectCode code, std::string_view name, std::string_view looks,
                     void (*operation)(Transition&) = nullptr,
                     bool refresh_after_final_frame = false) {
  return {static_cast<std::int32_t>(code), name, looks, operation, refresh_after_final_frame};
}

constexpr std::array<Effect, kLastEffect + 1> kCatalogue{{
    row(EffectCode::cut, "cut", "the next picture replaces the last one at once"),
    row(EffectCode::split_horizontal, "split-horizontal",
        "the picture splits down the middle; its halves slide out left and right, uncovering the "
        "next one",
        SplitApartHorizontal),
    row(EffectCode::split_vertical, "split-vertical",
        "the picture splits across the middle; its halves slide out up and down",
        SplitApartVertical),
    row(EffectCode::random_tiles, "random-tiles",
        "5 x 5 tiles turn to the next picture one at a time, in random order", RandomTiles),
    row(EffectCode::blinds_down, "blinds-down",
        "five horizontal blinds close downwards onto the next picture", BlindsDown),
    row(EffectCode::slide_left, "slide-left",
        "the next picture slides in from the left edge over the last one", SlideInFromLeft),
    row(EffectCode::slide_right, "slide-right", "the next picture slides in from the right edge",
        SlideInFromRight),
    row(EffectCode::slide_top, "slide-top", "the next picture slides in from the top edge",
        SlideInFromTop),
    row(EffectCode::slide_bottom, "slide-bottom", "the next picture slides in from the bottom edge",
        SlideInFromBottom),
    row(EffectCode::spiral_tiles, "spiral-tiles",
        "5 x 5 tiles turn one at a time in a clockwise spiral from the top left to the centre",
        SpiralTiles),
    row(EffectCode::box_out, "box-out",
        "the next picture shows in a box that grows out of the centre", BoxOut),
    row(EffectCode::pinch_horizontal, "pinch-horizontal",
        "the picture is pinched to a vertical line over black; the next one widens out of it",
        PinchHorizontal),
    row(EffectCode::pinch_vertical, "pinch-vertical",
        "the picture is pinched to a horizontal line over black; the next one grows out of it",
        PinchVertical),
    row(EffectCode::flip_horizontal, "flip-horizontal",
        "the picture turns over around the vertical centre line, then the next one does",
        FlipHorizontal),
    row(EffectCode::flip_vertical, "flip-vertical", "the same around the horizontal centre line",
        FlipVertical),
    row(EffectCode::squeeze_left, "squeeze-left",
        "the next picture grows from the left edge and squeezes the last one against the right",
        SqueezeFromLeft),
    row(EffectCode::squeeze_top, "squeeze-top",
        "the next picture grows from the top edge and squeezes the last one against the bottom",
        SqueezeFromTop, true),
    row(EffectCode::squeeze_right, "squeeze-right",
        "the next picture grows from the right edge and squeezes the last one against the left",
        SqueezeFromRight, true),
    row(EffectCode::squeeze_bottom, "squeeze-bottom",
        "the next picture grows from the bottom edge and squeezes the last one against the top",
        SqueezeFromBottom, true),
    row(EffectCode::wipe_left, "wipe-left",
        "the next picture is uncovered, unmoving, from the left edge", WipeFromLeft),
    row(EffectCode::wipe_top, "wipe-top",
        "the next picture is uncovered, unmoving, from the top edge", WipeFromTop),
    row(EffectCode::wipe_right, "wipe-right",
        "the next picture is uncovered, unmoving, from the right edge", WipeFromRight),
    row(EffectCode::wipe_bottom, "wipe-bottom",
        "the next picture is uncovered, unmoving, from the bottom edge", WipeFromBottom),
    row(EffectCode::zoom_in, "zoom-in",
        "the next picture grows out of the centre over the last one", ZoomInFromCentre),
    row(EffectCode::zoom_out, "zoom-out",
        "the last picture shrinks into the centre, uncovering the next one", ZoomOutToCentre),
    row(EffectCode::shrink_through_black, "shrink-through-black",
        "the last picture shrinks into the centre over black, then the next one grows out of it",
        ShrinkThroughBlack),
    row(EffectCode::push_left, "push-left",
        "the next picture enters from the left edge and pushes the last one out", PushFromLeft),
    row(EffectCode::push_top, "push-top",
        "the next picture enters from the top edge and pushes the last one out", PushFromTop),
    row(EffectCode::push_right, "push-right",
        "the next picture enters from the right edge and pushes the last one out", PushFromRight),
    row(EffectCode::push_bottom, "push-bottom",
        "the next picture enters from the bottom edge and pushes the last one out", PushFromBottom),
}};

// The rows stand in the order of their codes: `find_effect` indexes the table
// by code, and each row's EffectCode is the code of the name beside it.
constexpr bool codes_in_order() {
  for (std::size_t index = 0; index < kCatalogue.size(); ++index) {
    if (kCatalogue[index].code != static_cast<std::int32_t>(index)) return false;
  }
  return true;
}
static_assert(codes_in_order());

}  // namespace

std::span<const Effect> effect_catalogue() {
  return kCatalogue;
}

const Effect* find_effect(std::int32_t code) {
  if (code < 0 || code > kLastEffect) return nullptr;
  return &kCatalogue[static_cast<std::size_t>(code)];
}

const Effect* find_effect(std::string_view name) {
  for (const Effect& effect : kCatalogue) {
    if (effect.name == name) return &effect;
  }
  return nullptr;
}

std::optional<std::int32_t> effect_code(std::string_view name) {
  const Effect* effect = find_effect(name);
  if (effect == nullptr) return std::nullopt;
  return effect->code;
}

std::string_view effect_name(std::int32_t code) {
  const Effect* effect = find_effect(code);
  return effect != nullptr ? effect->name : std::string_view{};
}

std::string_view effect_name(EffectCode code) {
  return effect_name(static_cast<std::int32_t>(code));
}

}  // namespace showsaver
