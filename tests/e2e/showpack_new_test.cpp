// `showpack new` on a folder of photos in several formats, and the show it
// describes built, extracted and built again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/bmp/bmp_decoder.h"
#include "package/package_reader.h"
#include "support/bitmap_files.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using ByteVector = std::vector<std::uint8_t>;
using test::run_showpack;
using test::RunResult;

ByteVector read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), {});
}

class ShowpackNew : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir.file("photos"));
    // Each photo written as a bitmap, then turned into its format by ImageMagick.
    const struct {
      const char* name;
      int width, height;
    } photos[] = {{"e.bmp", 40, 30},
                  {"b.png", 30, 40},
                  {"a.jpg", 50, 20},
                  {"d.webp", 20, 20},
                  {"c.gif", 16, 12}};
    for (const auto& photo : photos) {
      const std::string bmp = dir.file("source.bmp");
      test::write_file(bmp, test::make_bmp_24(test::make_test_picture(photo.width, photo.height)));
      const RunResult made = test::run_program(
          dir, "/usr/bin/convert", {bmp, dir.file("photos/" + std::string(photo.name))});
      ASSERT_EQ(made.status, 0) << made.err;
    }
    test::write_text_file(dir.file("photos/notes.txt"), "not a picture");
    test::write_file(dir.file("tune.mid"), {'M', 'T', 'h', 'd', 0, 0, 0, 6});
  }

  test::TempDir dir;
};

TEST_F(ShowpackNew, FolderBecomesAFittedShowThatRebuildsFromItsExtraction) {
  const RunResult made =
      run_showpack(dir, {"new", dir.file("photos"), "-o", dir.file("show.toml"), "--size", "100x80",
                         "--hold", "2.5s", "--music", dir.file("tune.mid")});
  ASSERT_EQ(made.status, 0) << made.err;
  const RunResult built = run_showpack(
      dir, {"build", dir.file("show.toml"), "-o", dir.file("show.pkg"), "--package-only"});
  ASSERT_EQ(built.status, 0) << built.err;
  const ByteVector block = read_bytes(dir.file("show.pkg"));
  const PackageReadResult read = read_show_package(block, test::text_codec());
  ASSERT_TRUE(read.ok()) << read.error->message();
  const ShowPackage& show = read.package;
  EXPECT_EQ(show.PictureWidth, 100);
  EXPECT_EQ(show.PictureHeight, 80);
  EXPECT_EQ(show.BgmFileName, "tune.mid");
  ASSERT_EQ(show.SceneCount, 5);

  // Name order; each picture fitted inside 100x80 and centred.
  const struct {
    const char* name;
    int width, height;
  } expected[] = {{"a.bmp", 100, 40},
                  {"b.bmp", 60, 80},
                  {"c.bmp", 100, 75},
                  {"d.bmp", 80, 80},
                  {"e.bmp", 100, 75}};
  for (int i = 0; i < 5; ++i) {
    const SceneRecord& scene = (*show.Scenes)[std::size_t(i)];
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(scene.PictureFileName, expected[i].name);
    EXPECT_EQ(scene.DisplayTime, 2500);
    const auto picture = decode_bmp(*scene.PictureData.bytes);
    ASSERT_TRUE(std::holds_alternative<PixelImage>(picture));
    EXPECT_EQ(std::get<PixelImage>(picture).width, expected[i].width);
    EXPECT_EQ(std::get<PixelImage>(picture).height, expected[i].height);
    EXPECT_EQ(scene.PictureLeft, (100 - expected[i].width) / 2);
    EXPECT_EQ(scene.PictureTop, (80 - expected[i].height) / 2);
    EXPECT_GE(scene.EffectCode, 1);
    EXPECT_NE(scene.EffectCode, (*show.Scenes)[std::size_t((i + 1) % 5)].EffectCode);
  }

  // The extracted manifest names the converted bitmaps and builds the same bytes.
  ASSERT_EQ(run_showpack(dir, {"extract", dir.file("show.pkg"), "--out", dir.file("out")}).status,
            0);
  const RunResult again = run_showpack(
      dir, {"build", dir.file("out/show.toml"), "-o", dir.file("again.pkg"), "--package-only"});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(read_bytes(dir.file("again.pkg")), block);
}

TEST_F(ShowpackNew, RefusesWhatCannotMakeAShow) {
  std::filesystem::create_directory(dir.file("empty"));
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"new", dir.file("empty"), "-o", dir.file("x.toml")}, "holds no PNG, JPEG"},
      {{"new", dir.file("photos"), "-o", dir.file("x.toml"), "--size", "100"}, "--size 100"},
      {{"new", dir.file("photos"), "-o", dir.file("x.toml"), "--hold", "soon"}, "--hold soon"},
      {{"new", dir.file("photos"), "-o", dir.file("tune.mid")}, "already exists"},
  };
  for (const auto& c : cases) {
    const RunResult result = run_showpack(dir, c.args);
    EXPECT_NE(result.status, 0) << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

// A folder as a camera and a person leave it: pictures judged by content,
// every file left out named with the reason, numbers in names counted.
TEST_F(ShowpackNew, TakesPicturesByContentAndSaysWhatItLeftOut) {
  const std::string holiday = dir.file("holiday");
  std::filesystem::create_directories(holiday + "/later");
  const std::string bmp = dir.file("source.bmp");
  test::write_file(bmp, test::make_bmp_24(test::make_test_picture(40, 30)));
  for (const char* name : {"IMG_2.jpg", "IMG_10.jpg", "later/IMG_3.png"}) {
    ASSERT_EQ(test::run_program(dir, "/usr/bin/convert", {bmp, holiday + "/" + name}).status, 0);
  }
  test::write_text_file(holiday + "/list.jpg", "sun cream, hat\n");
  // A HEIC photo where the image library writes one; else its first bytes.
  const bool heic =
      test::run_program(dir, "/usr/bin/convert", {bmp, holiday + "/sea.heic"}).status == 0;
  if (!heic)
    test::write_file(holiday + "/sea.heic", {0, 0, 0, 24, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c'});
  const std::string not_a_picture =
      ": it is not a picture: its content is not that of a Windows bitmap, PNG, JPEG, GIF, WebP "
      "or HEIC file\n";

  const RunResult flat = run_showpack(dir, {"new", holiday, "-o", dir.file("flat.toml")});
  ASSERT_EQ(flat.status, 0) << flat.err;
  std::string skipped =
      "skipped later: it is a folder; --recursive takes its pictures too\n"
      "skipped list.jpg" +
      not_a_picture;
  if (!heic)
    skipped +=
        "skipped sea.heic: it is a HEIC picture, which this build's image library cannot decode\n";
  EXPECT_TRUE(flat.out.starts_with(skipped)) << flat.out;
  const std::string area = std::getenv("DISPLAY") ? "" : "picture area 1920x1080 (no display found";
  EXPECT_NE(flat.out.find(area), std::string::npos) << flat.out;
  const std::string manifest = test::read_text_file(dir.file("flat.toml"));
  const std::size_t two = manifest.find("\"holiday/IMG_2.jpg\"");
  const std::size_t ten = manifest.find("\"holiday/IMG_10.jpg\"");
  ASSERT_NE(ten, std::string::npos) << manifest;
  EXPECT_LT(two, ten) << manifest;
  EXPECT_EQ(manifest.find("sea.heic") != std::string::npos, heic) << manifest;

  const RunResult deep = run_showpack(
      dir, {"new", holiday, "-o", dir.file("deep.toml"), "--recursive", "--size", "80x60"});
  ASSERT_EQ(deep.status, 0) << deep.err;
  EXPECT_EQ(deep.out.find("skipped later"), std::string::npos) << deep.out;
  const std::string scenes = std::to_string(heic ? 4 : 3) + " scenes in name order";
  EXPECT_NE(deep.out.find(scenes), std::string::npos) << deep.out;
  const std::string deep_manifest = test::read_text_file(dir.file("deep.toml"));
  EXPECT_LT(deep_manifest.find("IMG_10.jpg"), deep_manifest.find("\"holiday/later/IMG_3.png\""));
  const RunResult built = run_showpack(
      dir, {"build", dir.file("deep.toml"), "-o", dir.file("deep.pkg"), "--package-only"});
  EXPECT_EQ(built.status, 0) << built.err;
}

}  // namespace
}  // namespace showsaver
