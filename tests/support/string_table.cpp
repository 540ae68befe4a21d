#include "support/string_table.h"

#include "formats/byte_writer.h"

namespace showsaver::test {

ByteVector string_table_block(const std::vector<std::u16string>& strings) {
  ByteWriter bytes;
  for (std::size_t i = 0; i < 16; ++i) {
    const std::u16string text = i < strings.size() ? strings[i] : std::u16string();
    bytes.u16(static_cast<std::uint32_t>(text.size()));
    bytes.utf16(text);
  }
  return bytes.take();
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
