#include "package/extraction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "package/file_names.h"
#include "platform/posix/posix_file_system.h"
#include "startup/temp_folder.h"
#include "support/package_builder.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

using test::list_folder;
using test::PackageBuilder;
using test::read_text_file;
using Names = std::vector<std::string>;

test::ByteVector bytes_of(const std::string& text) {
  return {text.begin(), text.end()};
}

class ExtractionTest : public testing::Test {
 protected:
  std::string folder() const { return root.path(); }
  ExtractionResult extract(const ShowPackage& package) {
    return extract_show(files, package, folder());
  }

  test::TempDir root;
  PosixFileSystem files;
};

TEST_F(ExtractionTest, TempFolderTakesTheSmallestFreeNumber) {
  const auto first = create_temp_folder(files, folder());
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, folder() + "temp1/");
  struct stat info;
  ASSERT_EQ(::stat(first->c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  test::write_text_file(folder() + "temp2", "an ordinary file blocks the number too");
  ASSERT_EQ(::symlink("/", (folder() + "temp3").c_str()), 0);
  EXPECT_EQ(create_temp_folder(files, folder()), folder() + "temp4/");
  EXPECT_EQ(create_temp_folder(files, folder() + "no-such-parent/"), std::nullopt);
}

TEST_F(ExtractionTest, WritesEachNameOnceFromItsFirstScene) {
  const ShowPackage package = PackageBuilder(10, 10)
                                  .scene("8", bytes_of("BM-eight"))
                                  .scene("9", bytes_of("BM-nine"))
                                  .scene("8")
                                  .scene("9")
                                  .build();
  ASSERT_TRUE(extract(package).ok());
  EXPECT_EQ(list_folder(folder()), (Names{"8", "9"}));
  EXPECT_EQ(read_text_file(folder() + "8"), "BM-eight");
  EXPECT_EQ(read_text_file(folder() + "9"), "BM-nine");
}

TEST_F(ExtractionTest, NamesCompareCaseSensitively) {
  const ShowPackage package = PackageBuilder(10, 10)
                                  .scene("A", bytes_of("BM-upper"))
                                  .scene("a", bytes_of("BM-lower"))
                                  .build();
  ASSERT_TRUE(extract(package).ok());
  EXPECT_EQ(read_text_file(folder() + "A"), "BM-upper");
  EXPECT_EQ(read_text_file(folder() + "a"), "BM-lower");
}

TEST_F(ExtractionTest, LaterGroupsReplaceEarlierFilesOfTheSameName) {
  // Music, then pictures, then sounds: each deletes an existing file first.
  const ShowPackage package = PackageBuilder(10, 10)
                                  .music("x", bytes_of("music"))
                                  .scene("x", bytes_of("BM-picture"))
                                  .scene("y", bytes_of("BM-other"))
                                  .sound("y", bytes_of("RIFF-sound"))
                                  .build();
  ASSERT_TRUE(extract(package).ok());
  EXPECT_EQ(list_folder(folder()), (Names{"x", "y"}));
  EXPECT_EQ(read_text_file(folder() + "x"), "BM-picture");
  EXPECT_EQ(read_text_file(folder() + "y"), "RIFF-sound");
}

TEST_F(ExtractionTest, ReplacesAStaleFileLeftInTheFolder) {
  test::write_text_file(folder() + "0", "stale and much longer than the new picture");
  ASSERT_TRUE(extract(PackageBuilder(10, 10).scene("0", bytes_of("BM-new")).build()).ok());
  EXPECT_EQ(read_text_file(folder() + "0"), "BM-new");
}

TEST_F(ExtractionTest, NoScenesWritesOnlyTheMusic) {
  ShowPackage package = PackageBuilder(10, 10).music("bgm.mid", bytes_of("MThd")).build();
  ASSERT_TRUE(extract(package).ok());
  EXPECT_EQ(list_folder(folder()), Names{"bgm.mid"});
}

TEST_F(ExtractionTest, MusicNameStartingWithNulIsNotAFile) {
  ShowPackage package = PackageBuilder(10, 10).scene("p").build();
  package.BgmFileName = std::string("\0x", 2);
  package.BgmData.bytes = bytes_of("music");
  ASSERT_TRUE(extract(package).ok());
  EXPECT_EQ(list_folder(folder()), Names{"p"});
}

TEST_F(ExtractionTest, ALinkPlantedUnderAFileNameIsNeitherFollowedNorDeleted) {
  const std::string outside = root.file("outside-target");
  ASSERT_EQ(files.create_folder(folder() + "show"), CreateFolderResult::Created);
  ASSERT_EQ(::symlink(outside.c_str(), (folder() + "show/0").c_str()), 0);
  ASSERT_TRUE(
      extract_show(files, PackageBuilder(10, 10).scene("0").build(), folder() + "show/").ok());
  EXPECT_FALSE(files.exists(outside));
}

class HostileName : public testing::TestWithParam<std::string> {};

TEST_P(HostileName, IsRefusedAndNothingIsWritten) {
  test::TempDir root;
  PosixFileSystem files;
  ASSERT_EQ(files.create_folder(root.file("show")), CreateFolderResult::Created);
  const std::string folder = root.file("show/");
  // A harmless first picture proves nothing at all is written.
  const ShowPackage package =
      PackageBuilder(10, 10).scene("fine").scene(GetParam(), bytes_of("BM-evil")).build();
  const ExtractionResult result = extract_show(files, package, folder);
  EXPECT_FALSE(result.ok());
  EXPECT_NE(result.error.find("nothing was extracted"), std::string::npos) << result.error;
  EXPECT_TRUE(list_folder(folder).empty());
  EXPECT_EQ(list_folder(root.path()), Names{"show"});
}

INSTANTIATE_TEST_SUITE_P(Names, HostileName,
                         testing::Values("../escape", "..", ".", "sub/file", "..\\escape", "C:evil",
                                         "c:\\windows\\x", "a:stream", std::string("nul\0byte", 8),
                                         "tab\tname", "bell\x07", "\x7F", "CON", "nul.txt", "Com1",
                                         "LPT9.bmp", "aux "));

TEST(SafeNames, OrdinaryNamesPass) {
  for (const std::string name :
       {"0", "41", "picture.bmp", "設定", "a b", "...x", "CONSOLE", "COM0"}) {
    EXPECT_EQ(unsafe_name_reason(name), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace showsaver
