// Every problem showpack gives a code to, listed once: the findings of the
// show's rules (show_rules.h) and of the package assembly (package_assembly.h),
// and the faults of a name (name_rules.h) or a sound (sound_check.h) that
// those findings carry under their "fault" value.  Each has a stable code, the
// values a page words it with in its own language, and showpack's English,
// from which showpack's messages are made.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace showsaver::showpack {

enum class Problem : std::uint8_t {
  // Findings of the show's rules and of the package assembly.
  PictureClipped,
  PictureHidden,
  PictureUnreadable,
  EffectUnknown,
  TransparentAlone,
  NameNotStorable,
  NameUsedByOtherKind,
  NameUsedForOtherFile,
  NameDiffersInCase,
  NameBytesMismatch,
  FileUnreadable,
  PictureNotImported,
  SoundWarning,
  MusicWarning,
  // Why a name cannot be stored: the "fault" of NameNotStorable.
  NameEmpty,
  NameFolder,
  NameControlCharacter,
  NamePathSeparator,
  NameDriveSeparator,
  NameDevice,
  NamePlayerMark,
  NameWindowsCharacter,
  NameTrailingDotOrSpace,
  NameTooLong,
  NameNotUtf8,
  NameNotInCodePage,
  // What is amiss with a sound: the "fault" of SoundWarning and MusicWarning.
  SoundWavBroken,
  SoundMidiCutShort,
  SoundMidiNoTracks,
  SoundUnknownFormat,
  SceneSoundNotWav,
  SoundOggOnWindows,
  SoundFlacOnWindows,
};

enum class ProblemKind : std::uint8_t {
  Finding,     // a problem of its own: RuleFinding::code, ManifestProblem::code
  NameFault,   // the "fault" value of a name-not-storable finding
  SoundFault,  // the "fault" value of a sound-warning or music-warning finding
};

// Named values: those a problem carries, and the parts of showpack's
// English that only its wording needs.
using ProblemValues = std::map<std::string, std::string>;

struct ProblemCode {
  Problem problem;
  ProblemKind kind;
  std::string_view code;  // stable across releases: "transparent-alone"
  // The values the problem carries for a page to word it with, separated by
  // spaces ("scene" counts from 1, and is absent for the show's own).  A
  // finding with a fault carries the fault's values too.
  std::string_view values;
  // showpack's English; each {name} stands for a value or a part.  A fault's
  // is the end of a sentence whose subject the finding names.
  std::string_view english;
  // A second English wording where showpack words the problem two ways
  // (said at each); empty otherwise.
  std::string_view other_english = {};

  std::vector<std::string_view> value_names() const;
};

// The whole table, in the order of Problem.
std::span<const ProblemCode> problem_codes();

const ProblemCode& problem_code(Problem problem);

// showpack's English for `problem` (its other wording when `other`), each
// {name} replaced by `words[name]`.  A name missing from `words` is a fault
// of the caller: std::out_of_range.
std::string english(Problem problem, const ProblemValues& words, bool other = false);

}  // namespace showsaver::showpack
