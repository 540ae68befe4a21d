// Reading well-formed packages: the layout, the encodings and the placement.
#include "package/package_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "package/package_writer.h"
#include "support/package_builder.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::PackageBuilder;
using test::RawPackage;

ShowPackage read_ok(const ByteVector& file) {
  PackageReadResult result = read_show_package(file, test::text_codec());
  EXPECT_FALSE(result.error) << result.error->message();
  return result.package;
}

// The reference show's header and first scene, from the same field values.
PackageBuilder reference_like_show() {
  PackageBuilder builder(250, 250);
  builder.scene("0", test::fake_bitmap_file(19718)).display_time(5000).at(-1, 49);
  for (int i = 1; i < 42; ++i) {
    builder.scene(std::to_string(i % 26)).display_time(i % 2 ? 500 : 5000).at(-1, 49);
  }
  return builder;
}

TEST(PackageLayout, FirstBytesOfTheReferencePackage) {
  const ByteVector expected = {
      0xFA, 0x00, 0x00, 0x00,                                      // 0x00 PictureWidth 250
      0xFA, 0x00, 0x00, 0x00,                                      // 0x04 PictureHeight 250
      0x00, 0x00, 0x00, 0x00,                                      // 0x08 BackColor
      0x00, 0x00,                                                  // 0x0C HasSettings
      0x2A, 0x00, 0x00, 0x00,                                      // 0x0E SceneCount 42
      0x00, 0x00,                                                  // 0x12 BgmFileName
      0x00, 0x00,                                                  // 0x14 BgmData, D = 0
      0x01, 0x00, 0x2A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 0x16 Scenes header
      0x01, 0x00, 0x30,                                            // 0x20 "0"
      0x00, 0x00,                                                  // 0x23 SoundFileName
      0x88, 0x13, 0x00, 0x00,                                      // 0x25 DisplayTime 5000
      0xFF, 0xFF, 0xFF, 0xFF,                                      // 0x29 PictureLeft -1
      0x31, 0x00, 0x00, 0x00,                                      // 0x2D PictureTop 49
      0x00, 0x00, 0x00, 0x00,                                      // 0x31 EffectCode
      0x00, 0x00, 0x00, 0x00,                                      // 0x35 both flags
      0x01, 0x00, 0x06, 0x4D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 0x39 PictureData header
      0x42, 0x4D, 0x06, 0x4D, 0x00, 0x00,                          // 0x43 the bitmap's bytes
  };
  const PackageWriteResult record =
      write_package_record(reference_like_show().build(), test::text_codec());
  ASSERT_TRUE(record.ok()) << record.error->message();
  ASSERT_GT(record.bytes.size(), expected.size());
  EXPECT_EQ(ByteVector(record.bytes.begin(), record.bytes.begin() + expected.size()), expected);
  // Scene 0's absent SoundData follows the bitmap, then scene 1's name "1".
  const std::size_t after_bitmap = 0x43 + 19718;
  EXPECT_EQ(
      ByteVector(record.bytes.begin() + after_bitmap, record.bytes.begin() + after_bitmap + 5),
      (ByteVector{0x00, 0x00, 0x01, 0x00, '1'}));

  const PackageReadResult read = read_package_record(record.bytes, test::text_codec());
  ASSERT_TRUE(read.ok()) << read.error->message();
  const SceneRecord& first = read.package.Scenes->front();
  EXPECT_EQ(read.package.SceneCount, 42);
  EXPECT_EQ(first.PictureLeft, -1);
  EXPECT_EQ(first.PictureTop, 49);
  EXPECT_EQ(first.DisplayTime, 5000);
  EXPECT_FALSE(read.package.BgmData.present());
  EXPECT_FALSE(first.SoundData.present());
}

// A reference-sized file: the record starts at 0x18000 behind the program
// image and ends exactly where the trailer BA 4A 08 00 (543,418) begins.
TEST(PackagePlacement, ReferenceSizedFileReadsToTheByteBeforeTheTrailer) {
  constexpr std::size_t kImageSize = 0x18000;
  constexpr std::size_t kRecordSize = 543414;
  ShowPackage package = reference_like_show().build();
  auto& last_bitmap = (*package.Scenes)[25].PictureData.bytes;
  const std::size_t without =
      write_package_record(package, test::text_codec()).bytes.size() - last_bitmap->size();
  *last_bitmap = test::fake_bitmap_file(std::uint32_t(kRecordSize - without), 25);

  const ByteVector file = test::program_file_with(package, kImageSize);
  ASSERT_EQ(file.size(), 641722u);
  EXPECT_EQ(ByteVector(file.end() - 4, file.end()), (ByteVector{0xBA, 0x4A, 0x08, 0x00}));
  const PackageReadResult read = read_show_package(file, test::text_codec());
  ASSERT_TRUE(read.ok()) << read.error->message();
  EXPECT_EQ(read.record_offset, 0x18000);
  EXPECT_EQ(read.block_length, 543418);
  EXPECT_EQ(read.package, package);
}

TEST(PackageText, ShiftJisNameIsCountedInBytes) {
  ShowPackage package = PackageBuilder(8, 8).scene("設定").build();
  const ByteVector record = write_package_record(package, test::text_codec()).bytes;
  // Scene 0's name follows the 32 bytes of header and scene-array header.
  EXPECT_EQ(ByteVector(record.begin() + 32, record.begin() + 38),
            (ByteVector{0x04, 0x00, 0x90, 0xDD, 0x92, 0xE8}));
  EXPECT_EQ(read_package_record(record, test::text_codec()).package.Scenes->front().PictureFileName,
            "設定");
}

TEST(PackageText, TrailByteBackslashStaysInsideItsCharacter) {
  // 0x5C, the backslash, is the trail byte of "表" (95 5C).
  const ByteVector block = RawPackage()
                               .fixed_header(1, 1, 0, 0, 1)
                               .text("")
                               .absent_array()
                               .array_header(1, 1, 0)
                               .simple_scene("\x95\x5C", test::fake_bitmap_file(8))
                               .block();
  EXPECT_EQ(read_ok(block).Scenes->front().PictureFileName, "表");
}

TEST(PackageArrays, AbsentAndEmptyArraysAreKeptApart) {
  // BgmData D = 0 is followed directly by the scene array; scene 0's
  // SoundData D = 1, N = 0 by nothing but its 10 header bytes.
  RawPackage raw;
  raw.fixed_header(4, 4, 0, 0, 1).text("").absent_array().array_header(1, 1, 0);
  raw.text("p").text("").i32(1).i32(2).i32(3).i32(4).i16(0).i16(0);
  raw.array(test::fake_bitmap_file(6)).array_header(1, 0, 0);
  const ShowPackage package = read_ok(raw.block());
  EXPECT_FALSE(package.BgmData.present());
  const SceneRecord& scene = package.Scenes->front();
  EXPECT_TRUE(scene.SoundData.present());
  EXPECT_EQ(scene.SoundData.size(), 0u);
  EXPECT_EQ(scene.DisplayTime, 1);
  EXPECT_EQ(scene.EffectCode, 4);
  EXPECT_EQ(write_package_block(package, test::text_codec()).bytes, raw.block());
}

TEST(PackageFlags, FlagStoredAsOneIsTrueAndKeepsItsValue) {
  RawPackage raw;
  raw.fixed_header(4, 4, 0, 1, 1).text("").absent_array().array_header(1, 1, 0);
  raw.text("p").text("").i32(0).i32(0).i32(0).i32(0).i16(1).i16(1);
  raw.array(test::fake_bitmap_file(6)).absent_array();
  const ShowPackage package = read_ok(raw.block());
  EXPECT_NE(package.HasSettings, 0);
  EXPECT_NE(package.Scenes->front().OverPrevious, 0);
  EXPECT_NE(package.Scenes->front().Transparent, 0);
  EXPECT_EQ(write_package_block(package, test::text_codec()).bytes, raw.block());
}

TEST(PackagePlaceholders, RepeatedNamesCarryOneZeroByte) {
  const ShowPackage built = PackageBuilder(8, 8)
                                .scene("8")
                                .sound("s", {1, 2, 3})
                                .scene("9")
                                .scene("8")
                                .sound("s", {1, 2, 3})
                                .scene("9")
                                .build();
  const ShowPackage package = read_ok(test::package_block(built));
  const auto& scenes = *package.Scenes;
  EXPECT_GT(scenes[0].PictureData.size(), 1u);
  EXPECT_GT(scenes[1].PictureData.size(), 1u);
  EXPECT_EQ(scenes[2].PictureData.bytes, kPlaceholderData);
  EXPECT_EQ(scenes[3].PictureData.bytes, kPlaceholderData);
  EXPECT_EQ(scenes[0].SoundData.bytes, (ByteVector{1, 2, 3}));
  EXPECT_EQ(scenes[2].SoundData.bytes, kPlaceholderData);
  EXPECT_FALSE(scenes[1].SoundData.present());
}

TEST(PackagePlaceholders, NamesDifferingInCaseAreBothStored) {
  const ShowPackage package = PackageBuilder(8, 8).scene("A").scene("a").build();
  EXPECT_GT((*package.Scenes)[1].PictureData.size(), 1u);
}

struct EmptySceneList {
  const char* name;
  RawPackage raw;
  bool stored;
  friend void PrintTo(const EmptySceneList& e, std::ostream* os) { *os << e.name; }
};

class PackageSceneCountZero : public ::testing::TestWithParam<EmptySceneList> {};

TEST_P(PackageSceneCountZero, ReadsAsAValidPackage) {
  const ByteVector block = GetParam().raw.block();
  const ShowPackage package = read_ok(block);
  EXPECT_EQ(package.SceneCount, 0);
  EXPECT_EQ(package.Scenes.has_value(), GetParam().stored);
  EXPECT_EQ(package.BgmFileName, "m.mid");
  EXPECT_EQ(write_package_block(package, test::text_codec()).bytes, block);
}

RawPackage header_with_music() {
  const ByteVector music{'M', 'T', 'h', 'd'};
  RawPackage raw;
  raw.fixed_header(10, 20, 0xFF, -1, 0).text("m.mid").array(music);
  return raw;
}

INSTANTIATE_TEST_SUITE_P(
    EmptyArray, PackageSceneCountZero,
    ::testing::Values(EmptySceneList{"Absent", header_with_music().absent_array(), false},
                      EmptySceneList{"Empty", header_with_music().array_header(1, 0, 0), true}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(PackagePlacement, RecordIsFoundBehindAnyProgramImage) {
  const ShowPackage package = PackageBuilder(3, 4).music("bgm", {9}).scene("x").build();
  for (std::size_t image_size : {0u, 1u, 4u, 1000u}) {
    const PackageReadResult read =
        read_show_package(test::program_file_with(package, image_size), test::text_codec());
    ASSERT_TRUE(read.ok()) << image_size << ": " << read.error->message();
    EXPECT_EQ(read.record_offset, std::int64_t(image_size));
    EXPECT_EQ(read.package, package);
  }
}

}  // namespace
}  // namespace showsaver
