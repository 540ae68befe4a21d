#include "problem_codes.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "worded_fault.h"

namespace showsaver::showpack {
namespace {

using enum Problem;
using enum ProblemKind;

constexpr std::array kTable{
    ProblemCode{
        PictureClipped, Finding, "picture-clipped",
        "scene width height left top areaWidth areaHeight cutLeft cutRight cutTop "
        "cutBottom",
        // {cut}: the columns and rows cut off, "3 columns on the left and 2 rows at the top"
        "scene {scene}: the {width}x{height} picture at ({left}, {top}) in the "
        "{areaWidth}x{areaHeight} area is clipped: {cut} do not show"},
    ProblemCode{PictureHidden, Finding, "picture-hidden",
                "scene width height left top areaWidth areaHeight cutLeft cutRight cutTop "
                "cutBottom",
                "scene {scene}: the {width}x{height} picture at ({left}, {top}) in the "
                "{areaWidth}x{areaHeight} area does not show at all"},
    ProblemCode{PictureUnreadable, Finding, "picture-unreadable", "scene name reason",
                "scene {scene}: picture \"{name}\" cannot be shown: {reason}"},
    ProblemCode{EffectUnknown, Finding, "effect-unknown", "scene code last",
                "scene {scene}: effect code {code} is not a transition (0 to {last})"},
    ProblemCode{TransparentAlone, Finding, "transparent-alone", "scene",
                "scene {scene}: transparent has no effect without over_previous"},
    // In a package, of the field named; in a manifest, with a name to give instead.
    ProblemCode{NameNotStorable, Finding, "name-not-storable",
                "scene kind name fault reason suggestion", "{field} \"{name}\" {reason}",
                "{owner}: {kind} name \"{name}\" {reason}; give it a name a show can store, "
                "such as {kind}_name = \"{suggestion}\""},
    ProblemCode{NameUsedByOtherKind, Finding, "name-used-by-other-kind",
                "scene kind name otherScene otherKind",
                "{owner}: {kind} name \"{name}\" is also the {otherKind} name of {otherOwner}; "
                "the later file would replace the earlier one when extracted"},
    ProblemCode{NameUsedForOtherFile, Finding, "name-used-for-other-file",
                "scene kind name otherScene otherFile",
                "{owner}: {kind} name \"{name}\" is already used by {otherOwner} for {otherPath}, "
                "a different file"},
    ProblemCode{NameDiffersInCase, Finding, "name-differs-in-case",
                "scene kind name otherScene other",
                "{owner}: {kind} name \"{name}\" differs only in letter case from \"{other}\" "
                "({otherOwner}); Windows would keep one file for both"},
    // The bytes spell another name; or they spell nothing.
    ProblemCode{NameBytesMismatch, Finding, "name-bytes-mismatch", "scene kind name",
                "{owner}: {key} \"{bytes}\" spell \"{spelled}\", not the {kind} name \"{name}\"; "
                "leave {key} out to store the name as it is spelt",
                "{owner}: {key} \"{bytes}\" are not text in code page 932; leave {key} out to "
                "store the name as it is spelt"},
    ProblemCode{FileUnreadable, Finding, "file-unreadable", "scene kind file reason",
                "{owner}: {kind} file: {reason}"},
    ProblemCode{PictureNotImported, Finding, "picture-not-imported", "scene file reason",
                "{owner}: picture {path} {reason}"},
    // {subject}: the sound as the finding names it; {reason}: its fault's wording.
    ProblemCode{SoundWarning, Finding, "sound-warning", "scene name fault reason",
                "{subject} {reason}"},
    ProblemCode{MusicWarning, Finding, "music-warning", "name fault reason", "{subject} {reason}"},

    ProblemCode{NameEmpty, NameFault, "empty", "", "is empty"},
    // These six in the player's own words (package/file_names.h).
    ProblemCode{NameFolder, NameFault, "folder", "", "{reason}"},
    ProblemCode{NameControlCharacter, NameFault, "control-character", "codePoint", "{reason}"},
    ProblemCode{NamePathSeparator, NameFault, "path-separator", "character", "{reason}"},
    ProblemCode{NameDriveSeparator, NameFault, "drive-separator", "", "{reason}"},
    ProblemCode{NameDevice, NameFault, "device", "", "{reason}"},
    ProblemCode{NamePlayerMark, NameFault, "player-mark", "", "{reason}"},
    ProblemCode{NameWindowsCharacter, NameFault, "windows-character", "character",
                "holds '{character}', which Windows does not allow in file names"},
    ProblemCode{NameTrailingDotOrSpace, NameFault, "trailing-dot-or-space", "",
                "ends with a space or '.', which Windows drops from file names"},
    ProblemCode{NameTooLong, NameFault, "too-long", "bytes most",
                "is {bytes} bytes long; a file name holds at most {most}"},
    // In the package writer's words.
    ProblemCode{NameNotUtf8, NameFault, "not-utf8", "", "{reason}"},
    // {count}: "a character" or "characters"; {list}: each quoted, with its code point.
    ProblemCode{NameNotInCodePage, NameFault, "not-in-code-page", "characters codePoints",
                "holds {count} a show cannot store: {list}; names are stored in the Japanese "
                "Windows character set (code page 932), which has Japanese and Latin letters, "
                "digits and the common signs"},

    // {reason}: the WAV structure check's words.
    ProblemCode{SoundWavBroken, SoundFault, "wav-broken", "", "cannot be decoded: {reason}"},
    ProblemCode{SoundMidiCutShort, SoundFault, "midi-cut-short", "",
                "cannot be decoded: the MIDI header is cut short"},
    ProblemCode{SoundMidiNoTracks, SoundFault, "midi-no-tracks", "",
                "cannot be decoded: the MIDI header names no tracks or no time division"},
    ProblemCode{SoundUnknownFormat, SoundFault, "unknown-format", "",
                "cannot be decoded: it is none of WAV, MIDI, MP3, Ogg, FLAC and WMA"},
    ProblemCode{SceneSoundNotWav, SoundFault, "scene-sound-not-wav", "format",
                "is {format}, and the Windows player plays scene sounds only as WAV"},
    ProblemCode{SoundOggOnWindows, SoundFault, "ogg-on-windows", "",
                "is Ogg, which Windows does not play out of the box; the formats every Windows "
                "plays are WAV, MIDI, MP3 and WMA"},
    ProblemCode{SoundFlacOnWindows, SoundFault, "flac-on-windows", "",
                "is FLAC, which Windows plays only from Windows 10 on; the formats every Windows "
                "plays are WAV, MIDI, MP3 and WMA"},
};

constexpr bool in_order() {
  for (std::size_t index = 0; index < kTable.size(); ++index) {
    if (static_cast<std::size_t>(kTable[index].problem) != index) return false;
  }
  return true;
}
static_assert(in_order(), "the table lists the problems in the order of Problem");
static_assert(kTable.back().problem == SoundFlacOnWindows, "every problem is listed");

}  // namespace

std::vector<std::string_view> ProblemCode::value_names() const {
  std::vector<std::string_view> names;
  std::string_view rest = values;
  while (!rest.empty()) {
    const std::size_t end = rest.find(' ');
    names.push_back(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return names;
}

std::span<const ProblemCode> problem_codes() {
  return kTable;
}

const ProblemCode& problem_code(Problem problem) {
  return kTable[static_cast<std::size_t>(problem)];
}

std::string english(Problem problem, const ProblemValues& words, bool other) {
  const ProblemCode& entry = problem_code(problem);
  std::string_view wording = other ? entry.other_english : entry.english;
  std::string text;
  while (!wording.empty()) {
    const std::size_t open = wording.find('{');
    text += wording.substr(0, open);
    if (open == std::string_view::npos) break;
    const std::size_t close = wording.find('}', open);
    const std::string name(wording.substr(open + 1, close - open - 1));
    const auto found = words.find(name);
    if (found == words.end()) {
      throw std::out_of_range(std::string(entry.code) + " is worded without {" + name + "}");
    }
    text += found->second;
    wording.remove_prefix(close + 1);
  }
  return text;
}

WordedFault worded_fault(Problem problem, ProblemValues values, const ProblemValues& parts) {
  ProblemValues words = values;
  words.insert(parts.begin(), parts.end());
  return WordedFault{std::string(problem_code(problem).code), std::move(values),
                     english(problem, words)};
}

}  // namespace showsaver::showpack
