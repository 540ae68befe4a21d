// The names of a show manifest's tables and keys, for the reader and the
// writer alike (manifest.h describes what each holds).
#pragma once

#include <string_view>

namespace showsaver::showpack::manifest_keys {

inline constexpr std::string_view kShow = "show";    // the [show] table
inline constexpr std::string_view kScene = "scene";  // the [[scene]] tables

// [show]
inline constexpr std::string_view kWidth = "width";
inline constexpr std::string_view kHeight = "height";
inline constexpr std::string_view kBackColor = "back_color";
inline constexpr std::string_view kHasSettings = "has_settings";
inline constexpr std::string_view kMusic = "music";
inline constexpr std::string_view kMusicName = "music_name";
inline constexpr std::string_view kMusicNameBytes = "music_name_bytes";
inline constexpr std::string_view kTitle = "title";
inline constexpr std::string_view kOrder = "order";

// [[scene]]
inline constexpr std::string_view kPicture = "picture";
inline constexpr std::string_view kPictureName = "picture_name";
inline constexpr std::string_view kPictureNameBytes = "picture_name_bytes";
inline constexpr std::string_view kSound = "sound";
inline constexpr std::string_view kSoundName = "sound_name";
inline constexpr std::string_view kSoundNameBytes = "sound_name_bytes";
inline constexpr std::string_view kDisplayTime = "display_time";
inline constexpr std::string_view kLeft = "left";
inline constexpr std::string_view kTop = "top";
inline constexpr std::string_view kEffect = "effect";
inline constexpr std::string_view kOverPrevious = "over_previous";
inline constexpr std::string_view kTransparent = "transparent";
inline constexpr std::string_view kFadeTime = "fade_time";
inline constexpr std::string_view kFallbackEffect = "fallback_effect";
inline constexpr std::string_view kMotionSeed = "motion_seed";
inline constexpr std::string_view kMotionFrom = "motion_from";
inline constexpr std::string_view kMotionTo = "motion_to";

// The value of kEffect that asks for a cross-fade, and those of kOrder and
// kMotion.
inline constexpr std::string_view kFade = "fade";
inline constexpr std::string_view kShuffle = "shuffle";
inline constexpr std::string_view kStoredOrder = "stored";
inline constexpr std::string_view kPanZoom = "pan-zoom";
inline constexpr std::string_view kNoMotion = "none";

// In both: how pictures are fitted, and how they move during the hold.
inline constexpr std::string_view kFit = "fit";
inline constexpr std::string_view kMotion = "motion";

}  // namespace showsaver::showpack::manifest_keys
