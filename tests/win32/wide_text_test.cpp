#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

namespace showsaver::win32 {
namespace {

constexpr unsigned kUtf8 = 65001;
constexpr unsigned kShiftJis = 932;

TEST(WideText, RoundTripsEveryPlaneOfUnicode) {
  const struct {
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"", L""},
      {"C:\\Windows\\temp1\\dawn.bmp", L"C:\\Windows\\temp1\\dawn.bmp"},
      {"設定項目はありません", L"\u8A2D\u5B9A\u9805\u76EE\u306F\u3042\u308A\u307E\u305B\u3093"},
      {"\xF0\x9F\x8E\xB5 bgm", L"\xD83C\xDFB5 bgm"},  // outside the BMP: a surrogate pair
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_wide(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(to_utf8(c.wide), c.utf8) << c.utf8;
  }
}

TEST(WideText, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(to_wide("a\xFF"
                    "b"),
            L"a\uFFFDb");
  EXPECT_EQ(to_utf8(std::wstring(L"a\xD800"
                                 L"b")),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(WideText, StrictConversionsRefuseWhatTheyCannotCarry) {
  EXPECT_EQ(decode_strictly(kShiftJis, "\x90\xDD\x92\xE8"), std::wstring(L"\u8A2D\u5B9A"));
  EXPECT_FALSE(decode_strictly(kShiftJis, "\x81"));     // a lead byte alone
  EXPECT_FALSE(decode_strictly(kUtf8, "\xC3"));         // a cut sequence
  EXPECT_FALSE(encode_strictly(kShiftJis, L"\u00E9"));  // no best-fit "e"
  EXPECT_FALSE(encode_strictly(kUtf8, std::wstring(L"\xDC00")));
  EXPECT_EQ(encode_strictly(kShiftJis, L"\u8A2D\u5B9A"), std::string("\x90\xDD\x92\xE8"));
}

}  // namespace
}  // namespace showsaver::win32
