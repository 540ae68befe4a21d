// The studio's code page 932 tables give the same conversions as the iconv
// codec of the Linux programs, so that a name the studio accepts or refuses
// is accepted or refused by showpack and the player alike.
#include "code_page/table_text_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "formats/utf8.h"
#include "platform/posix/iconv_text_codec.h"

namespace showsaver::studio {
namespace {

std::string utf8(char32_t c) {
  std::string text;
  append_utf8(text, c);
  return text;
}

TEST(TableTextCodec, EncodesEveryCharacterAsIconvDoes) {
  const TableTextCodec table;
  const IconvTextCodec iconv;
  for (char32_t c = 0; c < 0x110000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string text = "a" + utf8(c);
    ASSERT_EQ(table.utf8_to_cp932(text), iconv.utf8_to_cp932(text))
        << "U+" << std::hex << std::uint32_t(c);
  }
}

TEST(TableTextCodec, DecodesEveryCodeAsIconvDoes) {
  const TableTextCodec table;
  const IconvTextCodec iconv;
  for (unsigned first = 0; first < 0x100; ++first) {
    const std::string single{'a', char(first)};
    ASSERT_EQ(table.cp932_to_utf8(single), iconv.cp932_to_utf8(single)) << std::hex << first;
    for (unsigned second = 0; second < 0x100; ++second) {
      const std::string pair{char(first), char(second)};
      ASSERT_EQ(table.cp932_to_utf8(pair), iconv.cp932_to_utf8(pair))
          << std::hex << first << ' ' << second;
    }
  }
}

// Sequences: random byte strings (mostly invalid somewhere) and names
// mixing kana, kanji, the NEC and IBM extensions and ASCII.
TEST(TableTextCodec, ConvertsSequencesAsIconvDoes) {
  const TableTextCodec table;
  const IconvTextCodec iconv;
  std::mt19937 random(932);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(random() % 9, '\0');
    for (char& byte : bytes) byte = char(random() % 4 == 0 ? 0x81 + random() % 0x7C : random());
    ASSERT_EQ(table.cp932_to_utf8(bytes), iconv.cp932_to_utf8(bytes));
  }
  const std::string names[] = {"夏の海.jpg", "①②Ⅲ㈱.bmp",  "髙﨑.wav",         "ｶﾀｶﾅ.bmp",
                               "€.bmp",      "a\xC3(.bmp", "\xED\xA0\x80.bmp", "♪.mid"};
  for (const std::string& name : names) {
    ASSERT_EQ(table.utf8_to_cp932(name), iconv.utf8_to_cp932(name)) << name;
    const auto bytes = iconv.utf8_to_cp932(name);
    if (bytes) {
      ASSERT_EQ(table.cp932_to_utf8(*bytes), iconv.cp932_to_utf8(*bytes)) << name;
    }
  }
}

}  // namespace
}  // namespace showsaver::studio
