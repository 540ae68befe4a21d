// Malformed blocks: each is one error naming the field and its file offset,
// with a default package, no read outside the bytes and no allocation from
// an unchecked count.
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "package/package_reader.h"
#include "package/package_writer.h"
#include "support/package_builder.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::RawPackage;

constexpr std::int64_t kImage = 100;  // program image in front of every block
constexpr std::int32_t kHuge = std::numeric_limits<std::int32_t>::max();

struct MalformedCase {
  std::string name;
  ByteVector file;
  std::string field;
  std::int64_t offset;
  friend void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }
};

ByteVector behind_image(const ByteVector& block) {
  ByteVector file = test::fake_program_image(kImage);
  file.insert(file.end(), block.begin(), block.end());
  return file;
}

// Header, empty music, and the scene array header for `scene_count` scenes.
RawPackage header(std::int32_t scene_count, std::int32_t stored = -1) {
  RawPackage raw;
  raw.fixed_header(64, 48, 0, 0, scene_count).text("").absent_array();
  raw.array_header(1, stored < 0 ? scene_count : stored, 0);
  return raw;
}

// A scene's fields up to PictureData's header, which the caller writes.
RawPackage& scene_fields(RawPackage& raw, std::string_view name) {
  return raw.text(name).text("").i32(500).i32(0).i32(0).i32(0).i16(0).i16(0);
}

MalformedCase located(std::string name, const RawPackage& raw, std::string field,
                      std::size_t record_offset) {
  return {std::move(name), behind_image(raw.block()), std::move(field),
          kImage + std::int64_t(record_offset)};
}

std::vector<MalformedCase> trailer_cases() {
  const ByteVector good = header(1).simple_scene("a", test::fake_bitmap_file(8)).record();
  auto with_length = [&](std::int32_t length) {
    RawPackage raw;
    raw.raw(good);
    return behind_image(raw.block_with_length(length));
  };
  const std::int64_t trailer = kImage + std::int64_t(good.size());
  RawPackage junk_before_trailer;
  junk_before_trailer.raw(good).raw(ByteVector{7, 7, 7});
  return {
      {"FileShorterThanTrailer", {1, 2, 3}, "BlockLength", 0},
      {"BlockLengthBelowFour", with_length(3), "BlockLength", trailer},
      {"BlockLengthZero", with_length(0), "BlockLength", trailer},
      {"BlockLengthNegative", with_length(std::numeric_limits<std::int32_t>::min()), "BlockLength",
       trailer},
      {"BlockLengthBeyondFile", with_length(std::int32_t(trailer + 5)), "BlockLength", trailer},
      located("BytesBetweenRecordAndTrailer", junk_before_trailer, "BlockLength", good.size()),
  };
}

std::vector<MalformedCase> header_cases() {
  RawPackage truncated;
  truncated.i32(250).i16(1);
  RawPackage long_string;
  long_string.fixed_header(1, 1, 0, 0, 0).i16(10).raw(ByteVector{'a', 'b', 'c'});
  RawPackage music_dimension;
  music_dimension.fixed_header(1, 1, 0, 0, 0).text("m").array_header(2, 1, 0).raw(ByteVector{1});
  RawPackage lone_lead_byte;
  lone_lead_byte.fixed_header(1, 1, 0, 0, 0).text("a\x82").absent_array().absent_array();
  RawPackage negative_count;
  negative_count.fixed_header(1, 1, 0, 0, -1).text("").absent_array().absent_array();
  RawPackage absent_scenes;
  absent_scenes.fixed_header(1, 1, 0, 0, 1).text("").absent_array().absent_array();
  RawPackage huge_scenes = header(kHuge);
  RawPackage bound_one;
  bound_one.fixed_header(1, 1, 0, 0, 1).text("").absent_array().array_header(1, 1, 1);
  bound_one.simple_scene("a", test::fake_bitmap_file(8));
  return {
      located("TruncatedHeader", truncated, "PictureHeight", 4),
      located("StringPastTrailer", long_string, "BgmFileName", 0x14),
      located("MusicDimensionTwo", music_dimension, "BgmData", 0x15),
      located("LoneLeadByte", lone_lead_byte, "BgmFileName", 0x14),
      located("SceneCountNegative", negative_count, "SceneCount", 0x0E),
      located("SceneCountWithAbsentArray", absent_scenes, "SceneCount", 0x0E),
      located("SceneCountAboveArray", header(2, 1).simple_scene("a", test::fake_bitmap_file(8)),
              "SceneCount", 0x0E),
      located("HugeSceneArray", huge_scenes, "Scenes", 0x18),
      located("SceneLowerBoundOne", bound_one, "Scenes", 0x1C),
  };
}

std::vector<MalformedCase> scene_cases() {
  std::vector<MalformedCase> cases;
  auto add = [&](std::string name, std::string field, auto write_bad_part) {
    RawPackage raw = header(2);
    raw.simple_scene("first", test::fake_bitmap_file(10));
    const std::size_t offset = write_bad_part(raw);
    cases.push_back(located(std::move(name), raw, std::move(field), offset));
  };
  add("PictureCountNegative", "scene 1 PictureData", [](RawPackage& raw) {
    scene_fields(raw, "b").i16(1);
    const std::size_t at = raw.size();
    raw.i32(-1).i32(0);
    return at;
  });
  add("PictureCountHuge", "scene 1 PictureData", [](RawPackage& raw) {
    scene_fields(raw, "b").i16(1);
    const std::size_t at = raw.size();
    raw.i32(kHuge).i32(0).raw(ByteVector(16, 0));
    return at;
  });
  add("PictureCountPastTrailer", "scene 1 PictureData", [](RawPackage& raw) {
    scene_fields(raw, "b").i16(1);
    const std::size_t at = raw.size();
    raw.i32(20).i32(0).raw(ByteVector(19, 0));
    return at;
  });
  add("PictureLowerBound", "scene 1 PictureData", [](RawPackage& raw) {
    scene_fields(raw, "b").i16(1).i32(1);
    const std::size_t at = raw.size();
    raw.i32(1).raw(ByteVector{0}).absent_array();
    return at;
  });
  add("SoundDimensionNegative", "scene 1 SoundData", [](RawPackage& raw) {
    scene_fields(raw, "b").array(test::fake_bitmap_file(6));
    const std::size_t at = raw.size();
    raw.i16(-1);
    return at;
  });
  add("UndecodableName", "scene 1 PictureFileName", [](RawPackage& raw) {
    const std::size_t at = raw.size() + 2;
    raw.simple_scene("\x85\x40", test::fake_bitmap_file(6));
    return at;
  });
  add("DisplayTimePastTrailer", "scene 1 DisplayTime", [](RawPackage& raw) {
    raw.text("b").text("");
    const std::size_t at = raw.size();
    raw.i16(0);
    return at;
  });
  return cases;
}

std::vector<MalformedCase> all_cases() {
  std::vector<MalformedCase> cases = trailer_cases();
  for (auto& more : {header_cases(), scene_cases()})
    cases.insert(cases.end(), more.begin(), more.end());
  return cases;
}

class MalformedPackage : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedPackage, IsOneErrorNamingFieldAndOffset) {
  const MalformedCase& malformed = GetParam();
  const PackageReadResult result = read_show_package(malformed.file, test::text_codec());
  ASSERT_TRUE(result.error) << "read as a valid package";
  EXPECT_EQ(result.error->field, malformed.field) << result.error->message();
  EXPECT_EQ(result.error->offset, malformed.offset) << result.error->message();
  EXPECT_EQ(result.package, ShowPackage{});
  const std::string message = result.error->message();
  EXPECT_NE(message.find(malformed.field), std::string::npos) << message;
  EXPECT_NE(message.find(std::to_string(malformed.offset)), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedPackage, ::testing::ValuesIn(all_cases()),
                         [](const auto& param_info) { return param_info.param.name; });

TEST(MalformedPackage, MessageGivesOffsetInDecimalAndHex) {
  const PackageError error{"scene 3 PictureData", 0x1A2B, "lower bound 1 is not 0"};
  EXPECT_EQ(error.message(),
            "scene 3 PictureData at file offset 6699 (0x1A2B): lower bound 1 is not 0");
}

TEST(MalformedPackage, FilesWithoutAPackageAreRefused) {
  ByteVector small_length = test::fake_program_image(4096);
  const ByteVector forty{40, 0, 0, 0};  // a plausible BlockLength pointing into code
  std::copy(forty.begin(), forty.end(), small_length.end() - 4);
  const std::string text = "just a text file\n";
  for (const ByteVector& file : {test::fake_program_image(4096), small_length,
                                 ByteVector(text.begin(), text.end()), ByteVector{}}) {
    const PackageReadResult result = read_show_package(file, test::text_codec());
    EXPECT_TRUE(result.error) << file.size();
    EXPECT_EQ(result.package, ShowPackage{});
  }
}

// Valid packages to damage: one of the original layout, one with every kind
// of extension record after its scene list.
std::vector<ShowPackage> damage_targets() {
  const ShowPackage plain = test::PackageBuilder(5, 6)
                                .music("曲.mid", {1, 2, 3, 4})
                                .scene("a")
                                .sound("s.wav", {5, 6})
                                .scene("b")
                                .scene("a")
                                .build();
  ShowPackage extended = plain;
  extended.Extension = ShowExtension{
      {OrderRecord{ShowOrder::Shuffle}, FadeRecord{1, 900}, PanZoomSeedRecord{2, 77},
       PanZoomPathRecord{0, Rect{1, 2, 3, 4}, Rect{0, 0, 5, 6}}, UnknownRecord{40, {9, 9}}}};
  return {plain, extended};
}

// Every way of cutting a valid record short is an error, never a read past
// the cut (the sanitizer build checks the reads).
TEST(MalformedPackage, EveryTruncatedRecordIsRefused) {
  for (const ShowPackage& package : damage_targets()) {
    const ByteVector record = write_package_record(package, test::text_codec()).bytes;
    ShowPackage without_extension = package;
    without_extension.Extension.reset();
    // Cut just before its extension, a package is one of the original layout.
    const std::size_t scene_list_end =
        write_package_record(without_extension, test::text_codec()).bytes.size();
    for (std::size_t length = 0; length < record.size(); ++length) {
      RawPackage raw;
      raw.raw(std::span(record).first(length));
      const PackageReadResult result =
          read_show_package(behind_image(raw.block()), test::text_codec());
      if (length == scene_list_end) {
        EXPECT_EQ(result.package, without_extension);
        continue;
      }
      ASSERT_TRUE(result.error) << "cut at " << length;
      EXPECT_GE(result.error->offset, kImage);
      EXPECT_LE(result.error->offset, kImage + std::int64_t(length));
    }
  }
}

// Random damage to a valid block never leads to a read outside it; what
// still reads is a package the writer stores byte for byte as found.
TEST(MalformedPackage, RandomDamageIsReadSafely) {
  for (const ShowPackage& package : damage_targets()) {
    const ByteVector block = test::package_block(package);
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
      ByteVector damaged = block;
      for (int hits = 1 + int(random() % 3); hits > 0; --hits) {
        damaged[random() % damaged.size()] = std::uint8_t(random());
      }
      const PackageReadResult result = read_show_package(damaged, test::text_codec());
      if (result.ok() && result.record_offset == 0) {
        EXPECT_EQ(write_package_block(result.package, test::text_codec()).bytes, damaged)
            << "round " << round;
      }
    }
  }
}

// A file past 2 GiB cannot be addressed with 32-bit positions.  The bytes
// are only reserved, never touched.
TEST(MalformedPackage, FileBeyondThirtyTwoBitPositions) {
  const std::size_t size = std::size_t{1} << 31;
  void* memory = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (memory == MAP_FAILED) GTEST_SKIP() << "cannot reserve 2 GiB of address space";
  const PackageReadResult result = read_show_package(
      std::span(static_cast<const std::uint8_t*>(memory), size), test::text_codec());
  munmap(memory, size);
  ASSERT_TRUE(result.error);
  EXPECT_EQ(result.error->field, "FileSize");
}

}  // namespace
}  // namespace showsaver
