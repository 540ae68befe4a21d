// The show's title in the Windows player's string table.
//
// Windows lists a screen saver under string 1 of its file, or under the
// file's name when there is none.  The player ships without string 1 and
// with a slot as string 2: "showsaver-title-slot:" padded with dots
// (src/app/windows/title_slot.rc).  A string table block holds 16 strings,
// each a 16-bit length followed by that many UTF-16LE code units, so the title
// can be written as string 1 by shortening string 2 by as much as the title
// (and its length field) take: the block keeps its size and nothing else in
// the file moves.  String 2 always keeps its prefix, so the title can be
// replaced by building from an already titled player.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace showsaver::showpack {

inline constexpr std::u16string_view kTitleSlotPrefix = u"showsaver-title-slot:";

// Strings 1 and 2 of a block found in a program file.
struct TitleSlot {
  std::size_t title_offset = 0;    // the file offset of string 1's length field
  std::uint16_t title_length = 0;  // string 1's length: 0 when the player has no title
  std::uint16_t slot_length = 0;   // string 2's length, the prefix and the padding

  // The longest title, in UTF-16 code units, that leaves string 2 its prefix.
  std::size_t room() const { return title_length + slot_length - kTitleSlotPrefix.size(); }
};

// Every title slot in `program`: string 2 starting with the prefix, string 1
// just before it and an absent string 0 before that.
std::vector<TitleSlot> find_title_slots(std::span<const std::uint8_t> program);

// Writes `title` (UTF-8) as string 1 of the program's one title slot; an
// empty title removes it.  Returns why it cannot, without changing anything:
// no slot or more than one, a title that is not UTF-8, holds a control
// character or is longer than the slot's room.
std::optional<std::string> write_title(std::vector<std::uint8_t>& program, std::string_view title);

// The title (UTF-8) held in the program's one title slot, control characters
// shown as U+FFFD; nothing when it has no slot or no title.
std::optional<std::string> read_title(std::span<const std::uint8_t> program);

}  // namespace showsaver::showpack
