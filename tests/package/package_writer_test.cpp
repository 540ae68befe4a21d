// Writing packages: round trips in both directions and the writer's refusals.
#include "package/package_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "package/package_reader.h"
#include "support/package_builder.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::PackageBuilder;
using test::RawPackage;

// One record of each kind, a tag from a later writer among them.
ShowPackage with_every_extension_record() {
  ShowPackage package = PackageBuilder(64, 48).scene("a").scene("b").scene("c").build();
  package.Extension = ShowExtension{{
      FadeRecord{2, 250},
      PanZoomSeedRecord{0, 0xDEADBEEF},
      UnknownRecord{0x7777, {1, 2, 3}},
      OrderRecord{ShowOrder::Shuffle},
      PanZoomPathRecord{1, Rect{-3, 4, 50, 30}, Rect{0, 0, 64, 48}},
      UnknownRecord{0x7778, {}},
  }};
  return package;
}

std::vector<ShowPackage> sample_packages() {
  return {
      PackageBuilder(250, 250).scene("0").display_time(5000).at(-1, 49).build(),
      PackageBuilder(640, 480)
          .back_color(ColorRef{0x00FF8040})
          .has_settings()
          .music("曲.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6})
          .scene("背景.bmp")
          .sound("ｶﾀｶﾅ.wav", {'R', 'I', 'F', 'F'})
          .effect(29)
          .scene("sprite")
          .over_previous()
          .transparent()
          .at(-32768, 32767)
          .effect(1)
          .scene("背景.bmp")
          .sound("ｶﾀｶﾅ.wav", {'R', 'I', 'F', 'F'})
          .display_time(0)
          .build(),
      PackageBuilder(1, 1).build(),
      // Flags stored as 1, names from the user-defined area (private use).
      PackageBuilder(2, 2).has_settings(1).scene("\uE000\uE757").over_previous(1).build(),
      with_every_extension_record(),
  };
}

TEST(PackageRoundTrip, ReadOfWrittenPackageIsThePackage) {
  for (const ShowPackage& package : sample_packages()) {
    const ByteVector block = test::package_block(package);
    const PackageReadResult read = read_show_package(block, test::text_codec());
    ASSERT_TRUE(read.ok()) << read.error->message();
    EXPECT_EQ(read.package, package);
    EXPECT_EQ(write_package_block(read.package, test::text_codec()).bytes, block);
  }
}

TEST(PackageRoundTrip, WriteOfReadBytesIsTheBytes) {
  // Layouts the builder does not make: absent scene array, empty arrays,
  // odd flag values, a name with every byte class of code page 932.
  RawPackage raw;
  raw.fixed_header(-5, 0x7FFFFFFF, 0xFFFFFFFF, 0x1234, 2).text("\x81\x60\xA1\xDF~\\").array({});
  raw.array_header(1, 2, 0);
  raw.text("\x90\xDD\x92\xE8").text("s").i32(-1).i32(-2).i32(-3).i32(30).i16(-1).i16(7);
  raw.array_header(1, 0, 0).array(ByteVector{0});
  raw.simple_scene("\xF0\x40\x5C", ByteVector{0});
  const ByteVector block = raw.block();
  const PackageReadResult read = read_show_package(block, test::text_codec());
  ASSERT_TRUE(read.ok()) << read.error->message();
  EXPECT_EQ(read.package.BgmFileName, "～｡ﾟ~\\");
  EXPECT_EQ(read.package.HasSettings, 0x1234);
  EXPECT_EQ(write_package_block(read.package, test::text_codec()).bytes, block);
}

TEST(PackageRoundTrip, NamesWithASecondSpellingAndUnshownRecordsWriteBackUnchanged) {
  // Each of these characters has another, preferred spelling in code page
  // 932 (NEC row 13, the NEC-selected and the IBM extensions).
  const std::vector<std::string> second_spellings = {"\x87\x9A", "\x87\x90", "\xED\x40",
                                                     "\xEE\xF9", "\xFA\x54", "\xFA\x5C"};
  for (const std::string& name : second_spellings) {
    RawPackage raw;
    // SceneCount 1 below two stored records: the second is kept, never shown.
    raw.fixed_header(8, 8, 0, 0, 1).text("m" + name).absent_array().array_header(1, 2, 0);
    raw.simple_scene(name + ".bmp", ByteVector{1}).simple_scene("x" + name, ByteVector{2});
    const ByteVector block = raw.block();
    const PackageReadResult read = read_show_package(block, test::text_codec());
    ASSERT_TRUE(read.ok()) << read.error->message();
    EXPECT_EQ(read.package.SceneCount, 1);
    ASSERT_EQ(read.package.stored_scene_count(), 2u);
    EXPECT_EQ(write_package_block(read.package, test::text_codec()).bytes, block)
        << testing::PrintToString(name);

    // A name changed after reading is written in the preferred spelling.
    ShowPackage renamed = read.package;
    (*renamed.Scenes)[0].PictureFileName = "new.bmp";
    const PackageReadResult again = read_show_package(
        write_package_block(renamed, test::text_codec()).bytes, test::text_codec());
    ASSERT_TRUE(again.ok());
    EXPECT_EQ((*again.package.Scenes)[0].PictureFileName, "new.bmp");
    EXPECT_EQ(again.package.BgmFileName, read.package.BgmFileName);
  }
}

TEST(PackageRoundTrip, RandomFieldValuesSurviveTheRoundTrip) {
  std::mt19937 random(20240229);
  auto any = [&] { return std::int32_t(random()); };
  for (int round = 0; round < 50; ++round) {
    PackageBuilder builder(any(), any());
    builder.back_color(ColorRef{std::uint32_t(random())}).has_settings(std::int16_t(random()));
    const int scenes = int(random() % 6);
    for (int i = 0; i < scenes; ++i) {
      builder.scene(std::to_string(random() % 4), ByteVector(random() % 40 + 1, std::uint8_t(i)))
          .display_time(any())
          .at(any(), any())
          .effect(any())
          .over_previous(std::int16_t(random()))
          .transparent(std::int16_t(random()));
      if (random() % 2) builder.sound("s" + std::to_string(random() % 3), ByteVector(random() % 9));
    }
    const ShowPackage package = builder.build();
    const ByteVector file = test::program_file_with(package, random() % 64);
    const PackageReadResult read = read_show_package(file, test::text_codec());
    ASSERT_TRUE(read.ok()) << read.error->message();
    EXPECT_EQ(read.package, package);
  }
}

TEST(PackageAppend, BlockGoesBehindTheProgramImageUnchanged) {
  const ShowPackage package = PackageBuilder(4, 4).scene("p").build();
  const ByteVector image = test::fake_program_image(300);
  const PackageWriteResult file = append_package_block(image, package, test::text_codec());
  ASSERT_TRUE(file.ok());
  const ByteVector block = test::package_block(package);
  ASSERT_EQ(file.bytes.size(), image.size() + block.size());
  EXPECT_TRUE(std::equal(image.begin(), image.end(), file.bytes.begin()));
  EXPECT_TRUE(std::equal(block.begin(), block.end(), file.bytes.begin() + 300));
}

struct WriteRefusal {
  const char* name;
  ShowPackage package;
  std::string field;
  std::string reason_part;
  friend void PrintTo(const WriteRefusal& r, std::ostream* os) { *os << r.name; }
};

ShowPackage with_scene_name(std::string name) {
  ShowPackage package = PackageBuilder(1, 1).scene("ok").scene("ok2").build();
  (*package.Scenes)[1].PictureFileName = std::move(name);
  return package;
}

std::vector<WriteRefusal> refusals() {
  ShowPackage music_name = PackageBuilder(1, 1).music("bad\xFF", {1}).build();
  ShowPackage miscounted = PackageBuilder(1, 1).scene("a").build();
  miscounted.SceneCount = 2;
  ShowPackage negative = PackageBuilder(1, 1).build();
  negative.SceneCount = -1;
  negative.Scenes.reset();
  ShowPackage sound_name = PackageBuilder(1, 1).scene("a").sound("🎵", {1}).build();
  ShowPackage fade_of_missing_scene = PackageBuilder(1, 1).scene("a").build();
  fade_of_missing_scene.Extension = ShowExtension{{FadeRecord{1, 1000}}};
  return {
      {"Hangul", with_scene_name("그림"), "scene 1 PictureFileName", "U+ADF8"},
      {"Emoji", sound_name, "scene 0 SoundFileName", "U+1F3B5"},
      {"InvalidUtf8", music_name, "BgmFileName", "not valid UTF-8"},
      {"NameTooLong", with_scene_name(std::string(65536, 'n')), "scene 1 PictureFileName",
       "65536 bytes"},
      {"JapaneseNameTooLong", with_scene_name([] {
         std::string name;
         for (int i = 0; i < 32768; ++i) name += "設";
         return name;
       }()),
       "scene 1 PictureFileName", "65536 bytes"},
      {"SceneCountDiffers", miscounted, "SceneCount", "holds 1"},
      {"SceneCountNegative", negative, "SceneCount", "-1"},
      {"FadeOfMissingScene", fade_of_missing_scene, "Extension record 0 scene", "1 stored scene"},
  };
}

class PackageWriteRefusal : public ::testing::TestWithParam<WriteRefusal> {};

TEST_P(PackageWriteRefusal, NamesTheField) {
  for (const PackageWriteResult& result :
       {write_package_record(GetParam().package, test::text_codec()),
        write_package_block(GetParam().package, test::text_codec()),
        append_package_block(ByteVector{1, 2}, GetParam().package, test::text_codec())}) {
    ASSERT_TRUE(result.error);
    EXPECT_TRUE(result.bytes.empty());
    EXPECT_EQ(result.error->field, GetParam().field);
    EXPECT_NE(result.error->reason.find(GetParam().reason_part), std::string::npos)
        << result.error->message();
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PackageWriteRefusal, ::testing::ValuesIn(refusals()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(PackageWrite, LongestNameFitsTheCount) {
  const ShowPackage package = with_scene_name(std::string(65535, 'n'));
  const PackageReadResult read =
      read_show_package(test::package_block(package), test::text_codec());
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.package, package);
}

TEST(PackagePlaceholders, OnlyRepeatsAreReplaced) {
  ShowPackage package = PackageBuilder(1, 1)
                            .scene("x", {1, 2})
                            .sound("", {})
                            .scene("y", {3})
                            .sound("x", {4, 5})
                            .scene("x", {6})
                            .sound("x", {7})
                            .build();
  const auto& scenes = *package.Scenes;
  EXPECT_EQ(scenes[0].PictureData.bytes, (ByteVector{1, 2}));
  EXPECT_EQ(scenes[1].PictureData.bytes, (ByteVector{3}));
  // Picture and sound names are counted apart: the first sound "x" is kept.
  EXPECT_EQ(scenes[1].SoundData.bytes, (ByteVector{4, 5}));
  EXPECT_EQ(scenes[2].PictureData.bytes, kPlaceholderData);
  EXPECT_EQ(scenes[2].SoundData.bytes, kPlaceholderData);
  // An empty sound name is no sound, never a repeat.
  EXPECT_EQ(scenes[0].SoundData.bytes, ByteVector{});
}

}  // namespace
}  // namespace showsaver
