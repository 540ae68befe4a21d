#include "title_slot.h"

#include <algorithm>
#include <cstdio>

#include "formats/byte_writer.h"
#include "formats/utf8.h"

namespace showsaver::showpack {
namespace {

constexpr std::size_t kLongestString = 0xFFFF;

std::uint16_t u16_at(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return std::uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

std::vector<std::uint8_t> utf16le_bytes(std::u16string_view units) {
  ByteWriter bytes;
  bytes.utf16(units);
  return bytes.take();
}

// The UTF-16 code units of `text`, or nothing when it is not valid UTF-8.
std::optional<std::u16string> utf16_from_utf8(std::string_view text) {
  std::u16string units;
  for (std::size_t i = 0; i < text.size();) {
    const std::optional<char32_t> code_point = next_code_point(text, i);
    if (!code_point) return std::nullopt;
    char32_t c = *code_point;
    if (c >= 0x10000) {
      c -= 0x10000;
      units += char16_t(0xD800 + (c >> 10));
      units += char16_t(0xDC00 + (c & 0x3FF));
    } else {
      units += char16_t(c);
    }
  }
  return units;
}

bool is_control(char16_t unit) {
  return unit < 0x20 || (unit >= 0x7F && unit < 0xA0);
}

// UTF-8 of UTF-16 code units; a lone surrogate and a control character (which
// only a title not written here can hold) become U+FFFD.
std::string utf8_from_utf16(std::u16string_view units) {
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if ((c >= 0xD800 && c <= 0xDFFF) || is_control(char16_t(c))) {
      c = 0xFFFD;
    }
    append_utf8(out, c);
  }
  return out;
}

// The slot whose string 2 text starts at `prefix_offset`, if the bytes
// around it are strings 0 to 2 of a string table block.
std::optional<TitleSlot> slot_at(std::span<const std::uint8_t> program, std::size_t prefix_offset) {
  if (prefix_offset < 2) return std::nullopt;
  const std::uint16_t slot_length = u16_at(program, prefix_offset - 2);
  if (slot_length < kTitleSlotPrefix.size() || (program.size() - prefix_offset) / 2 < slot_length) {
    return std::nullopt;
  }
  // String 1's text ends where string 2's length begins.  Going back one code
  // unit at a time, the first place with a length that matches the distance
  // and an empty string 0 before it is string 1's length: a title never holds
  // U+0000, so no shorter distance can pass for it.
  for (std::size_t length = 0;
       length + slot_length <= kLongestString && 6 + 2 * length <= prefix_offset; ++length) {
    const std::size_t title_offset = prefix_offset - 4 - 2 * length;
    if (u16_at(program, title_offset) == length && u16_at(program, title_offset - 2) == 0) {
      return TitleSlot{title_offset, std::uint16_t(length), slot_length};
    }
  }
  return std::nullopt;
}

std::string hex_code_point(char16_t unit) {
  char text[8];
  std::snprintf(text, sizeof text, "U+%04X", unsigned(unit));
  return text;
}

}  // namespace

std::vector<TitleSlot> find_title_slots(std::span<const std::uint8_t> program) {
  const std::vector<std::uint8_t> prefix = utf16le_bytes(kTitleSlotPrefix);
  std::vector<TitleSlot> slots;
  for (auto at = program.begin();
       (at = std::search(at, program.end(), prefix.begin(), prefix.end())) != program.end(); ++at) {
    if (auto slot = slot_at(program, std::size_t(at - program.begin()))) slots.push_back(*slot);
  }
  return slots;
}

std::optional<std::string> write_title(std::vector<std::uint8_t>& program, std::string_view title) {
  const std::vector<TitleSlot> slots = find_title_slots(program);
  if (slots.empty()) return "the player has no title slot; --title works with the Windows player";
  if (slots.size() > 1) {
    return "the player has " + std::to_string(slots.size()) + " title slots; it should have one";
  }
  const std::optional<std::u16string> units = utf16_from_utf8(title);
  if (!units) return "the title is not valid UTF-8";
  for (char16_t unit : *units) {
    if (is_control(unit)) return "the title holds the control character " + hex_code_point(unit);
  }
  const TitleSlot& slot = slots.front();
  if (units->size() > slot.room()) {
    return "the title is " + std::to_string(units->size()) +
           " UTF-16 code units long; the player has room for " + std::to_string(slot.room());
  }
  // Strings 1 and 2, lengths included, as 16-bit values: as many as before.
  const std::size_t slot_length = slot.title_length + slot.slot_length - units->size();
  std::u16string strings;
  strings += char16_t(units->size());
  strings += *units;
  strings += char16_t(slot_length);
  strings += kTitleSlotPrefix;
  strings.append(slot_length - kTitleSlotPrefix.size(), u'.');
  const std::vector<std::uint8_t> bytes = utf16le_bytes(strings);
  std::copy(bytes.begin(), bytes.end(), program.begin() + std::ptrdiff_t(slot.title_offset));
  return std::nullopt;
}

std::optional<std::string> read_title(std::span<const std::uint8_t> program) {
  const std::vector<TitleSlot> slots = find_title_slots(program);
  if (slots.size() != 1 || slots.front().title_length == 0) return std::nullopt;
  std::u16string units;
  for (std::size_t i = 0; i < slots.front().title_length; ++i) {
    units += char16_t(u16_at(program, slots.front().title_offset + 2 + 2 * i));
  }
  return utf8_from_utf16(units);
}

}  // namespace showsaver::showpack
