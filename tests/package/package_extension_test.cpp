// The package extension: where it lies, how a reader of the original layout
// passes over it, and the refusal of hostile extension bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/byte_reader.h"
#include "package/package_reader.h"
#include "package/package_writer.h"
#include "support/package_builder.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::PackageBuilder;
using test::RawPackage;

// Two scenes; the second fades in (its EffectCode holds the cut), the
// first pans and zooms, the show is shuffled.
ShowPackage faded_show() {
  ShowPackage package = PackageBuilder(64, 48).scene("a").effect(7).scene("b").effect(0).build();
  package.Extension = ShowExtension{{
      OrderRecord{ShowOrder::Shuffle},
      FadeRecord{1, 1500},
      PanZoomSeedRecord{0, 42},
  }};
  return package;
}

TEST(PackageExtension, LiesAfterTheSceneListInsideBlockLength) {
  ShowPackage plain = faded_show();
  plain.Extension.reset();
  const ByteVector plain_record = write_package_record(plain, test::text_codec()).bytes;
  const ByteVector block = test::package_block(faded_show());

  ASSERT_GT(block.size(), plain_record.size() + 4);
  EXPECT_TRUE(std::equal(plain_record.begin(), plain_record.end(), block.begin()));
  const ByteReader bytes(block);
  const std::size_t at = plain_record.size();
  EXPECT_EQ(ByteVector(block.begin() + at, block.begin() + at + 4),
            ByteVector({'S', 'S', 'X', 'B'}));
  EXPECT_EQ(bytes.u16(at + 4), 1);                                     // version
  EXPECT_EQ(bytes.u32(at + 6), block.size() - 4 - (at + 10));          // records' length
  EXPECT_EQ(bytes.u16(at + 10), 1);                                    // first tag: the order
  EXPECT_EQ(bytes.i32(block.size() - 4), std::int32_t(block.size()));  // BlockLength counts it
}

TEST(PackageExtension, ReadWithTheExtensionOffGivesTheOriginalShow) {
  const ByteVector file = test::program_file_with(faded_show());
  const PackageReadResult off =
      read_show_package(file, test::text_codec(), PackageReadOptions{.read_extension = false});
  ASSERT_TRUE(off.ok()) << off.error->message();
  ShowPackage expected = faded_show();
  expected.Extension.reset();
  EXPECT_EQ(off.package, expected);
  EXPECT_EQ((*off.package.Scenes)[1].EffectCode, 0);

  const PackageReadResult on = read_show_package(file, test::text_codec());
  ASSERT_TRUE(on.ok()) << on.error->message();
  ASSERT_TRUE(on.package.Extension);
  EXPECT_EQ(on.package.Extension->order(), ShowOrder::Shuffle);
  EXPECT_EQ(on.package.Extension->for_scene<FadeRecord>(1), (FadeRecord{1, 1500}));
  EXPECT_FALSE(on.package.Extension->for_scene<FadeRecord>(0));
  EXPECT_EQ(on.package.Extension->for_scene<PanZoomSeedRecord>(0), (PanZoomSeedRecord{0, 42}));
}

// A two-scene record followed by the given extension bytes.
struct HostileExtension {
  std::string name;
  ByteVector records;  // what follows magic, version and length
  std::string field;
  std::size_t offset_in_records;   // of the bytes at fault, from the first record
  std::int64_t length_change = 0;  // added to the true records' length
  std::uint16_t version = 1;
  friend void PrintTo(const HostileExtension& c, std::ostream* os) { *os << c.name; }
};

ByteVector record(std::uint16_t tag, std::vector<std::int32_t> fields) {
  ByteWriter out;
  out.u16(tag);
  out.u32(static_cast<std::uint32_t>(fields.size() * 4));
  for (const std::int32_t field : fields) out.u32(static_cast<std::uint32_t>(field));
  return out.take();
}

ByteVector joined(std::vector<ByteVector> parts) {
  ByteVector all;
  for (const ByteVector& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<HostileExtension> hostile_cases() {
  const ByteVector fade = record(2, {1, 1000});
  const std::size_t after_fade = fade.size();
  return {
      {"UnknownVersion", {}, "Extension version", 0, 0, 2},
      {"LengthPastTrailer", fade, "Extension length", 0, 1},
      {"LengthShort", fade, "Extension length", 0, -1},
      {"RecordLengthPastEnd", {2, 0, 9, 0, 0, 0, 1, 0}, "Extension record 0 length", 2},
      {"TruncatedTag", {2}, "Extension record 0 tag", 0},
      {"OrderOutOfRange", record(1, {2}), "Extension record 0 order", 6},
      {"OrderTwice", joined({record(1, {1}), record(1, {0})}), "Extension record 1 order", 16},
      {"FadeSceneMissing", record(2, {2, 1000}), "Extension record 0 scene", 6},
      {"FadeSceneNegative", record(2, {-1, 1000}), "Extension record 0 scene", 6},
      {"FadeTwice", joined({fade, fade}), "Extension record 1 scene", after_fade + 6},
      {"FadeDurationZero", record(2, {1, 0}), "Extension record 0 duration", 10},
      {"FadeDurationHuge", record(2, {1, 0x7FFFFFFF}), "Extension record 0 duration", 10},
      {"FadeShortPayload", record(2, {1}), "Extension record 0 length", 2},
      {"MotionTwice", joined({record(3, {0, 5}), record(4, {0, 0, 0, 8, 8, 0, 0, 4, 4})}),
       "Extension record 1 scene", 20},
      {"PathWidthZero", record(4, {1, 0, 0, 0, 8, 0, 0, 4, 4}), "Extension record 0 start width",
       18},
      {"PathFarAway", record(4, {1, 0, 0, 8, 8, -70000, 0, 4, 4}), "Extension record 0 end left",
       26},
  };
}

class HostileExtensionBytes : public ::testing::TestWithParam<HostileExtension> {};

TEST_P(HostileExtensionBytes, AreOneErrorNamingFieldAndOffset) {
  const HostileExtension& hostile = GetParam();
  RawPackage raw;
  raw.raw(
      write_package_record(PackageBuilder(8, 8).scene("a").scene("b").build(), test::text_codec())
          .bytes);
  const std::size_t records_at = raw.size() + 10;
  raw.raw(ByteVector{'S', 'S', 'X', 'B'}).i16(std::int16_t(hostile.version));
  raw.i32(std::int32_t(hostile.records.size() + hostile.length_change)).raw(hostile.records);
  const ByteVector block = raw.block();

  const PackageReadResult result = read_show_package(block, test::text_codec());
  ASSERT_TRUE(result.error) << "read as a valid package";
  EXPECT_EQ(result.error->field, hostile.field) << result.error->message();
  const std::int64_t expected_offset =
      hostile.field == "Extension version"  ? std::int64_t(records_at) - 6
      : hostile.field == "Extension length" ? std::int64_t(records_at) - 4
                                            : std::int64_t(records_at + hostile.offset_in_records);
  EXPECT_EQ(result.error->offset, expected_offset) << result.error->message();
  EXPECT_EQ(result.package, ShowPackage{});

  // A reader of the original layout passes over the same bytes.
  EXPECT_TRUE(read_show_package(block, test::text_codec(), {.read_extension = false}).ok());
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileExtensionBytes, ::testing::ValuesIn(hostile_cases()),
                         [](const auto& param_info) { return param_info.param.name; });

}  // namespace
}  // namespace showsaver
