// The code page 932 conversion of package names.
#include "platform/posix/iconv_text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace showsaver {
namespace {

const IconvTextCodec codec;

std::string two_bytes(int lead, int trail) {
  return {char(lead), char(trail)};
}

bool is_lead_byte(int byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Codes that share their character with another code: NEC row 13 symbols
// that JIS X 0208 also has, the NEC-selected IBM extensions and the IBM
// extensions that duplicate NEC row 13 or JIS symbols.
bool is_duplicate_code(int lead, int trail) {
  return lead == 0x87 || lead == 0xED || lead == 0xEE ||
         (lead == 0xFA && trail >= 0x4A && trail <= 0x5B);
}

TEST(Cp932, KnownNamesConvertBothWays) {
  const struct {
    std::string cp932;
    std::string utf8;
  } pairs[] = {
      {"\x90\xDD\x92\xE8", "設定"},
      {"\x95\x5C", "表"},  // trail byte 0x5C is no backslash
      {"\\", "\\"},        // 0x5C alone is the backslash, not the yen sign
      {"~", "~"},
      {"\xB6\xC0\xB6\xC5", "ｶﾀｶﾅ"},
      {"\x81\x60", "～"},  // U+FF5E, as Windows maps it
      {"\xF0\x40", "\uE000"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"", ""},
  };
  for (const auto& pair : pairs) {
    EXPECT_EQ(codec.cp932_to_utf8(pair.cp932), pair.utf8);
    EXPECT_EQ(codec.utf8_to_cp932(pair.utf8), pair.cp932);
  }
}

TEST(Cp932, EverySingleByteCharacterRoundTrips) {
  for (int byte = 0; byte < 0x100; ++byte) {
    const std::string text(1, char(byte));
    const auto utf8 = codec.cp932_to_utf8(text);
    if (is_lead_byte(byte) || byte == 0x80 || byte == 0xA0 || byte >= 0xFD) {
      EXPECT_FALSE(utf8) << std::hex << byte;
      continue;
    }
    ASSERT_TRUE(utf8) << std::hex << byte;
    EXPECT_EQ(codec.utf8_to_cp932(*utf8), text) << std::hex << byte;
  }
}

// Every double-byte code decodes to text that encodes back to the same
// bytes, except the duplicate codes, which encode to their twin: a code that
// round-trips and stands for the same character.
TEST(Cp932, DoubleByteCodesRoundTripOrMapToTheirTwin) {
  int decoded = 0;
  int duplicates = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!is_lead_byte(lead)) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string code = two_bytes(lead, trail);
      const auto utf8 = codec.cp932_to_utf8(code);
      if (!utf8) continue;
      ++decoded;
      const auto back = codec.utf8_to_cp932(*utf8);
      ASSERT_TRUE(back) << std::hex << lead << ' ' << trail;
      if (*back == code) continue;
      ++duplicates;
      EXPECT_TRUE(is_duplicate_code(lead, trail)) << std::hex << lead << ' ' << trail;
      EXPECT_EQ(codec.cp932_to_utf8(*back), utf8);
    }
  }
  EXPECT_GT(decoded, 9000);
  EXPECT_LT(duplicates, 400);
}

TEST(Cp932, DuplicatesEncodeAsWindowsDoes) {
  const struct {
    std::string code;
    std::string twin;
  } pairs[] = {
      {"\x87\x90", "\x81\xE0"},  // ≒
      {"\xED\x40", "\xFA\x5C"},  // 纊
      {"\xFA\x4A", "\x87\x54"},  // Ⅰ
      {"\xFA\x54", "\x81\xCA"},  // ¬
      {"\xEE\xF9", "\x81\xCA"},  // ¬
  };
  for (const auto& pair : pairs) {
    const auto utf8 = codec.cp932_to_utf8(pair.code);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(codec.utf8_to_cp932(*utf8), pair.twin);
  }
}

TEST(Cp932, InvalidInputIsRefused) {
  for (const std::string& bytes : {std::string("a\x82"), std::string("\x85\x40"),
                                   std::string("\x81\x20"), std::string("\xFF")}) {
    EXPECT_FALSE(codec.cp932_to_utf8(bytes)) << bytes;
  }
  for (const std::string& text :
       {std::string("\xC3"), std::string("\xED\xA0\x80"), std::string("그"), std::string("€")}) {
    EXPECT_FALSE(codec.utf8_to_cp932(text)) << text;
  }
}

}  // namespace
}  // namespace showsaver
