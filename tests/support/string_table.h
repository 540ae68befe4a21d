// String table blocks as a resource compiler lays them out in a program file,
// for the tests of the title slot.
#pragma once

#include <string>
#include <vector>

#include "support/package_builder.h"

namespace showsaver::test {

// One block of 16 strings: each a 16-bit length and that many UTF-16LE code
// units; strings beyond `strings` are absent (length 0).
ByteVector string_table_block(const std::vector<std::u16string>& strings);

// The Windows player's block as it ships: strings 0 and 1 absent, string 2 the
// title slot (its prefix and dots, 127 code units in all), and `more` after it.
ByteVector player_string_table(const std::vector<std::u16string>& more = {});

// A program image of `before` bytes, `block`, and `after` bytes of junk.
ByteVector program_with_block(const ByteVector& block, std::size_t before = 1000,
                              std::size_t after = 600);

}  // namespace showsaver::test
