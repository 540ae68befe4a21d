#include "showpack/title_slot.h"

#include <gtest/gtest.h>

#include "support/string_table.h"

namespace showsaver::showpack {
namespace {

using test::ByteVector;

// Strings 3 and 4 of the block must come through every change untouched.
const std::vector<std::u16string> kLaterStrings{u"three", u"four"};

// A program holding the player's block with `title` as string 1 and the slot
// shortened to match: what a correct write leaves.
ByteVector player_titled(const std::u16string& title) {
  std::u16string slot(kTitleSlotPrefix);
  slot.resize(127 - title.size(), u'.');
  std::vector<std::u16string> strings{u"", title, slot};
  strings.insert(strings.end(), kLaterStrings.begin(), kLaterStrings.end());
  return test::program_with_block(test::string_table_block(strings));
}

TEST(TitleSlot, TheShippedBlockHasRoomFor106CodeUnits) {
  const ByteVector program = test::program_with_block(test::player_string_table(kLaterStrings));
  ASSERT_EQ(program, player_titled(u""));
  const std::vector<TitleSlot> slots = find_title_slots(program);
  ASSERT_EQ(slots.size(), 1u);
  EXPECT_EQ(slots[0].title_offset, 1002u);  // string 0's length is at 1000
  EXPECT_EQ(slots[0].title_length, 0);
  EXPECT_EQ(slots[0].slot_length, 127);
  EXPECT_EQ(slots[0].room(), 106u);
  EXPECT_EQ(read_title(program), std::nullopt);
}

struct TitleCase {
  const char* name;
  std::u16string before;  // the player's title before the write; empty: as shipped
  std::string title;      // UTF-8, as given to showpack
  std::u16string after;   // the title the block holds afterwards
  std::string refusal;    // not empty: the write is refused with this text
  friend void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.name; }
};

class WriteTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(WriteTitle, RewritesStringsOneAndTwoInPlace) {
  const TitleCase& c = GetParam();
  const ByteVector before = player_titled(c.before);
  ByteVector program = before;
  const std::optional<std::string> error = write_title(program, c.title);
  if (!c.refusal.empty()) {
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(c.refusal), std::string::npos) << *error;
    EXPECT_EQ(program, before);
    return;
  }
  ASSERT_FALSE(error) << *error;
  EXPECT_EQ(program, player_titled(c.after));
  EXPECT_EQ(read_title(program), c.title.empty() ? std::nullopt : std::optional(c.title));
}

INSTANTIATE_TEST_SUITE_P(
    Titles, WriteTitle,
    testing::Values(
        TitleCase{"Ascii", u"", "Sunset", u"Sunset", ""},
        // Two-byte, three-byte and four-byte UTF-8; the last one is a surrogate pair.
        TitleCase{"Japanese", u"", "é夕焼け\U00020BB7", u"é夕焼け\U00020BB7", ""},
        TitleCase{"MaximumLength", u"", std::string(106, 'x'), std::u16string(106, u'x'), ""},
        TitleCase{"TooLong", u"", std::string(107, 'x'), u"",
                  "107 UTF-16 code units long; the player has room for 106"},
        TitleCase{"ReplacesALongerTitle", std::u16string(106, u'x'), "夕焼け", u"夕焼け", ""},
        TitleCase{"ReplacesAShorterTitle", u"a", "Sunset", u"Sunset", ""},
        TitleCase{"EmptyRemovesTheTitle", u"夕焼け", "", u"", ""},
        TitleCase{"RoomCountsTheOldTitle", u"夕焼け", std::string(107, 'x'), u"", "room for 106"},
        TitleCase{"ControlCharacter", u"", "a\tb", u"", "control character U+0009"},
        TitleCase{"NotUtf8", u"", "caf\xC3", u"", "not valid UTF-8"},
        TitleCase{"EncodedSurrogate", u"", "\xED\xA0\x80", u"", "not valid UTF-8"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(TitleSlot, RefusesAPlayerWithoutExactlyOneSlot) {
  // The Linux player, and a block whose string 0 is present.
  for (ByteVector program :
       {test::fake_program_image(4096),
        test::program_with_block(test::string_table_block(
            {u"zero", u"", u"showsaver-title-slot:" + std::u16string(106, u'.')}))}) {
    const ByteVector before = program;
    EXPECT_EQ(write_title(program, "Sunset"),
              "the player has no title slot; --title works with the Windows player");
    EXPECT_EQ(program, before);
  }
  ByteVector two = player_titled(u"");
  const ByteVector second = test::player_string_table();
  two.insert(two.end(), second.begin(), second.end());
  EXPECT_EQ(find_title_slots(two).size(), 2u);
  EXPECT_EQ(write_title(two, "Sunset"), "the player has 2 title slots; it should have one");
}

}  // namespace
}  // namespace showsaver::showpack
