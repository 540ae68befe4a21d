// The package extension: what a show adds to the original layout (the show
// order, cross-fades, pan and zoom), stored after the scene list and inside
// BlockLength.  A reader of the original layout stops after the scene list
// and never sees it; each scene's EffectCode then holds the transition it
// plays instead.  docs/PACKAGE_EXTENSION.md describes the bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "platform/geometry.h"

namespace showsaver {

inline constexpr std::array<std::uint8_t, 4> kExtensionMagic{'S', 'S', 'X', 'B'};
inline constexpr std::uint16_t kExtensionVersion = 1;

// The longest cross-fade a package holds, and the one an author who names
// none gets, in milliseconds.
inline constexpr std::int32_t kLongestFadeMs = 60'000;
inline constexpr std::int32_t kDefaultFadeMs = 1000;

// A pan-and-zoom rectangle's left and top lie within -kLargestCoordinate..
// kLargestCoordinate, its width and height within 1..kLargestCoordinate:
// they stay well inside 32-bit arithmetic once scaled.
inline constexpr std::int32_t kLargestCoordinate = 65'535;

enum class ShowOrder : std::int32_t { AsStored = 0, Shuffle = 1 };

// The order the scenes play in, each round.
struct OrderRecord {
  ShowOrder order = ShowOrder::AsStored;
  friend bool operator==(const OrderRecord&, const OrderRecord&) = default;
};

// The transition out of scene `scene` is a cross-fade into the next one; the
// scene's EffectCode holds the transition players without one show instead.
struct FadeRecord {
  std::int32_t scene = 0;
  std::int32_t duration_ms = kDefaultFadeMs;
  friend bool operator==(const FadeRecord&, const FadeRecord&) = default;
};

// Scene `scene` pans and zooms during its hold, along a path that the
// player picks from `seed` and the picture area's size.
struct PanZoomSeedRecord {
  std::int32_t scene = 0;
  std::uint32_t seed = 0;
  friend bool operator==(const PanZoomSeedRecord&, const PanZoomSeedRecord&) = default;
};

// Scene `scene` pans and zooms during its hold from the part `start` of the
// picture area (the scene as composed there, in the area's pixels) to the
// part `end`.
struct PanZoomPathRecord {
  std::int32_t scene = 0;
  Rect start;
  Rect end;
  friend bool operator==(const PanZoomPathRecord&, const PanZoomPathRecord&) = default;
};

// A record of a tag this reader does not know: kept, so that the package
// writes back as it was read, and otherwise ignored.
struct UnknownRecord {
  std::uint16_t tag = 0;
  std::vector<std::uint8_t> payload;
  friend bool operator==(const UnknownRecord&, const UnknownRecord&) = default;
};

using ExtensionRecord =
    std::variant<OrderRecord, FadeRecord, PanZoomSeedRecord, PanZoomPathRecord, UnknownRecord>;

// The tags on file, one per kind of record.
enum class ExtensionTag : std::uint16_t {
  Order = 1,
  Fade = 2,
  PanZoomSeed = 3,
  PanZoomPath = 4,
};

// The records in file order, so that a package writes back byte for byte.
// The reader refuses a second record of a kind for the same scene (or a
// second order), so the look-ups below find at most one.
struct ShowExtension {
  std::vector<ExtensionRecord> records;

  ShowOrder order() const {
    for (const auto& record : records) {
      if (const auto* found = std::get_if<OrderRecord>(&record)) return found->order;
    }
    return ShowOrder::AsStored;
  }

  template <typename Record>
  std::optional<Record> for_scene(std::int32_t scene) const {
    for (const auto& record : records) {
      const auto* found = std::get_if<Record>(&record);
      if (found && found->scene == scene) return *found;
    }
    return std::nullopt;
  }

  friend bool operator==(const ShowExtension&, const ShowExtension&) = default;
};

}  // namespace showsaver
