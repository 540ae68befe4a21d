// The show as the page describes it, assembled into a package by showpack's
// own assembly, so that the studio stores what `showpack build` stores and
// finds the problems `showpack validate` finds.  The page keeps each file in
// the engine's file system and names it by its path here.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "package/show_package.h"
#include "platform/color.h"
#include "showpack/manifest.h"

namespace showsaver::studio {

struct DraftScene {
  std::string picture_path;
  std::string picture_name;
  std::string sound_path;  // empty: no sound
  std::string sound_name;
  std::int32_t display_time = 0;
  std::optional<std::int32_t> left;  // not given: centred
  std::optional<std::int32_t> top;
  std::int32_t effect = 0;
  bool over_previous = false;
  bool transparent = false;
  // The show's extension, as the manifest's keys give it (manifest.h).
  std::optional<std::int32_t> fade_time;            // milliseconds; set: a cross-fade
  std::optional<showpack::Motion> motion;           // not given: the show's
  std::optional<std::uint32_t> motion_seed;         // not given: the scene's index
  std::optional<showpack::MotionPath> motion_path;  // not given: one from the seed
};

struct DraftShow {
  std::int32_t width = 0;
  std::int32_t height = 0;
  ColorRef back_color{};
  std::optional<bool> has_settings;  // not given: when there is music or a sound
  std::string music_path;            // empty: no music
  std::string music_name;
  bool shuffle = false;
  std::optional<showpack::Motion> motion;  // every scene's, unless the scene has its own
  std::vector<DraftScene> scenes;
};

struct DraftProblem {
  std::optional<std::size_t> scene;  // nothing: the show's own
  bool error = true;
  std::string message;  // in English
  // The rule's code and values, for the page's own wording; no code: the
  // message is the only wording.
  std::string code;
  std::map<std::string, std::string> values;
};

struct AssembledDraft {
  ShowPackage package;  // usable only when no problem is an error
  std::vector<DraftProblem> problems;

  bool ok() const;
};

AssembledDraft assemble_draft(const DraftShow& show);

}  // namespace showsaver::studio
