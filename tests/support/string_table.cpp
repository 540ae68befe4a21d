#include "support/string_table.h"

namespace showsaver::test {

ByteVector string_table_block(const std::vector<std::u16string>& strings) {
  ByteVector bytes;
  const auto put = [&bytes](char16_t unit) {
    bytes.push_back(std::uint8_t(unit & 0xFF));
    bytes.push_back(std::uint8_t(unit >> 8));
  };
  for (std::size_t i = 0; i < 16; ++i) {
    const std::u16string text = i < strings.size() ? strings[i] : std::u16string();
    put(char16_t(text.size()));
    for (char16_t unit : text) put(unit);
  }
  return bytes;
}

ByteVector player_string_table(const std::vector<std::u16string>& more) {
  std::u16string slot = u"showsaver-title-slot:";
  slot.resize(127, u'.');
  std::vector<std::u16string> strings{u"", u"", slot};
  strings.insert(strings.end(), more.begin(), more.end());
  return string_table_block(strings);
}

ByteVector program_with_block(const ByteVector& block, std::size_t before, std::size_t after) {
  ByteVector bytes = fake_program_image(before + after);
  bytes.insert(bytes.begin() + std::ptrdiff_t(before), block.begin(), block.end());
  return bytes;
}

}  // namespace showsaver::test
