// ROP3 decoding: truth tables, operand use and the row kernels.
#include "platform/soft/rop3.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace showsaver::soft {
namespace {

struct NamedRop {
  const char* name;
  std::uint32_t code;
  bool pattern;
  bool source;
  bool destination;
  std::uint32_t (*expected)(std::uint32_t p, std::uint32_t s, std::uint32_t d);
};

// Each code's documented Boolean expression, with the operands it reads.
const NamedRop kNamedRops[] = {
    {"SRCCOPY", 0x00CC0020, false, true, false, [](auto, auto s, auto) { return s; }},
    {"SRCAND", 0x008800C6, false, true, true, [](auto, auto s, auto d) { return s & d; }},
    {"SRCINVERT", 0x00660046, false, true, true, [](auto, auto s, auto d) { return s ^ d; }},
    {"DEST_AND_NOT_SOURCE", 0x00220326, false, true, true,
     [](auto, auto s, auto d) { return d & ~s; }},
    {"SRCPAINT", 0x00EE0086, false, true, true, [](auto, auto s, auto d) { return s | d; }},
    {"NOTSRCCOPY", 0x00330008, false, true, false, [](auto, auto s, auto) { return ~s; }},
    {"NOTSRCERASE", 0x001100A6, false, true, true, [](auto, auto s, auto d) { return ~(s | d); }},
    {"MERGEPAINT", 0x00BB0226, false, true, true, [](auto, auto s, auto d) { return ~s | d; }},
    {"SRCERASE", 0x00440328, false, true, true, [](auto, auto s, auto d) { return s & ~d; }},
    {"DSTINVERT", 0x00550009, false, false, true, [](auto, auto, auto d) { return ~d; }},
    {"BLACKNESS", 0x00000042, false, false, false, [](auto, auto, auto) { return 0u; }},
    {"WHITENESS", 0x00FF0062, false, false, false, [](auto, auto, auto) { return 0xFFFFFFFFu; }},
    {"PATCOPY", 0x00F00021, true, false, false, [](auto p, auto, auto) { return p; }},
    {"PATINVERT", 0x005A0049, true, false, true, [](auto p, auto, auto d) { return p ^ d; }},
    {"MERGECOPY", 0x00C000CA, true, true, false, [](auto p, auto s, auto) { return p & s; }},
    {"PATPAINT", 0x00FB0A09, true, true, true, [](auto p, auto s, auto d) { return p | ~s | d; }},
};

class NamedRopTest : public ::testing::TestWithParam<NamedRop> {};

TEST_P(NamedRopTest, DecodesOperandsAndMatchesItsExpression) {
  const NamedRop& named = GetParam();
  const Rop3 rop = decode_rop3(named.code);
  EXPECT_EQ(rop.uses_pattern, named.pattern);
  EXPECT_EQ(rop.uses_source, named.source);
  EXPECT_EQ(rop.uses_destination, named.destination);
  std::mt19937 random(7);
  for (int i = 0; i < 200; ++i) {
    // Full 32-bit words: the top byte of a pixel takes part like any other.
    const std::uint32_t p = random(), s = random(), d = random();
    EXPECT_EQ(rop3_reference(rop.table, p, s, d), named.expected(p, s, d));
    std::uint32_t out = d;
    apply_rop_row(rop, p, &s, &out, 1);
    EXPECT_EQ(out, named.expected(p, s, d));
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, NamedRopTest, ::testing::ValuesIn(kNamedRops),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// The truth table itself: with operands that are all ones or all zeros, the
// result is the table bit 4p + 2s + d, for every one of the 256 tables.
TEST(Rop3Test, EveryTableOnEveryBitCombination) {
  for (unsigned table = 0; table < 256; ++table) {
    const Rop3 rop = decode_rop3(table << 16);
    for (unsigned index = 0; index < 8; ++index) {
      const std::uint32_t p = (index & 4) ? ~0u : 0u;
      const std::uint32_t s = (index & 2) ? ~0u : 0u;
      const std::uint32_t d = (index & 1) ? ~0u : 0u;
      const std::uint32_t expected = ((table >> index) & 1) ? ~0u : 0u;
      EXPECT_EQ(rop3_reference(static_cast<std::uint8_t>(table), p, s, d), expected);
      std::uint32_t out = d;
      apply_rop_row(rop, p, &s, &out, 1);
      ASSERT_EQ(out, expected) << "table " << table << " index " << index;
    }
  }
}

TEST(Rop3Test, OnlyBits16To23Matter) {
  const Rop3 plain = decode_rop3(0x00CC0000);
  const Rop3 noisy = decode_rop3(0xFFCCFFFF);
  EXPECT_EQ(plain.table, noisy.table);
  EXPECT_EQ(plain.kernel, noisy.kernel);
}

// The kernels against the bitwise reference on whole rows of random words.
TEST(Rop3Test, RowKernelsMatchReferenceForEveryTable) {
  std::mt19937 random(11);
  std::vector<std::uint32_t> source(37), destination(37);
  for (unsigned table = 0; table < 256; ++table) {
    const Rop3 rop = decode_rop3(table << 16);
    const std::uint32_t pattern = random();
    for (auto& v : source) v = random();
    for (auto& v : destination) v = random();
    std::vector<std::uint32_t> out = destination;
    apply_rop_row(rop, pattern, source.data(), out.data(), out.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
      ASSERT_EQ(out[i], rop3_reference(rop.table, pattern, source[i], destination[i]))
          << "table " << table;
    }
  }
}

}  // namespace
}  // namespace showsaver::soft
