#include "platform/win32/registry_number.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/byte_writer.h"

namespace showsaver::win32 {
namespace {

using namespace std::literals;

constexpr std::uint32_t kText = 1;        // REG_SZ
constexpr std::uint32_t kExpandText = 2;  // REG_EXPAND_SZ
constexpr std::uint32_t kBinary = 3;      // REG_BINARY
constexpr std::uint32_t kNumber = 4;      // REG_DWORD

std::vector<std::uint8_t> utf16(std::u16string_view text) {
  ByteWriter bytes;
  bytes.utf16(text);
  return bytes.take();
}

TEST(RegistryNumber, ReadsTheDesktopsPasswordSettingInEveryForm) {
  const struct {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::optional<std::uint32_t> expected;
  } cases[] = {
      {"number on", kNumber, {1, 0, 0, 0}, 1},
      {"number off", kNumber, {0, 0, 0, 0}, 0},
      {"number, all bytes count", kNumber, {0, 0, 0, 1}, 0x01000000u},
      {"short binary", kBinary, {0x34, 0x12}, 0x1234u},
      {"empty binary", kBinary, {}, 0},
      {"binary too long for 4 bytes", kBinary, {1, 0, 0, 0, 0}, std::nullopt},
      {"text as Windows writes it, on", kText, utf16(u"1\0"sv), 1},
      {"text as Windows writes it, off", kText, utf16(u"0\0"sv), 0},
      {"text with blanks and digits after", kExpandText, utf16(u" 12x3\0"sv), 12},
      {"text without a digit", kText, utf16(u"yes\0"sv), 0},
      {"long text is still read", kText, utf16(u"00000001\0"sv), 1},
      {"text beyond 32 bits saturates", kText, utf16(u"99999999999\0"sv), 0xFFFFFFFFu},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(registry_number(c.type, c.data), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace showsaver::win32
