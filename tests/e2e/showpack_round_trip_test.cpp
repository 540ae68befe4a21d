// A show taken apart with `extract` and built again is the same show, byte
// for byte: names stored with other code page 932 bytes than their text
// encodes to, and the title of a Windows show.  And the player a show is
// built on when none is named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/run_program.h"
#include "support/string_table.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::run_showpack;
using test::RunResult;

ByteVector read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), {});
}

class ShowpackRoundTrip : public ::testing::Test {
 protected:
  // Extracts `show` and builds it again with `options`; the rebuilt bytes.
  ByteVector rebuilt(const std::string& show, std::vector<std::string> options) {
    const RunResult extracted =
        run_showpack(dir, {"extract", show, "--out", dir.file("out"), "--force"});
    EXPECT_EQ(extracted.status, 0) << extracted.err;
    std::vector<std::string> args{"build", dir.file("out/show.toml"), "-o", dir.file("again")};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult build = run_showpack(dir, args);
    EXPECT_EQ(build.status, 0) << build.err;
    return read_bytes(dir.file("again"));
  }

  test::TempDir dir;
  const ByteVector picture = test::make_bmp_24(test::make_test_picture(4, 2));
};

TEST_F(ShowpackRoundTrip, NamesKeepTheirStoredBytes) {
  // 纊 and ≒ in their NEC forms; their text encodes to FA 5C and 81 E0.
  test::RawPackage raw;
  raw.fixed_header(4, 2, 0, -1, 1).text("\xED\x40\x87\x90.mid").array(ByteVector{'M', 'T'});
  raw.array_header(1, 1, 0);
  raw.simple_scene("\xED\x40\x87\x90.bmp", picture);
  const ByteVector block = raw.block();
  test::write_file(dir.file("nec.pkg"), block);
  EXPECT_EQ(rebuilt(dir.file("nec.pkg"), {"--package-only"}), block);
  const std::string manifest = test::read_text_file(dir.file("out/show.toml"));
  EXPECT_NE(
      manifest.find("picture_name = \"纊≒.bmp\"\npicture_name_bytes = \"ED40 8790 2E62 6D70\""),
      std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find("music_name_bytes = \"ED40 8790 2E6D 6964\""), std::string::npos)
      << manifest;
}

TEST_F(ShowpackRoundTrip, AWindowsShowKeepsItsTitleAndCanBeRetitled) {
  test::write_file(dir.file("player.scr"), test::program_with_block(test::player_string_table()));
  test::write_text_file(dir.file("show.toml"),
                        "[show]\nwidth = 4\nheight = 2\n\n[[scene]]\npicture = \"a.bmp\"\n"
                        "display_time = 5\n");
  test::write_file(dir.file("a.bmp"), picture);
  const RunResult built =
      run_showpack(dir, {"build", dir.file("show.toml"), "-o", dir.file("titled.scr"), "--player",
                         dir.file("player.scr"), "--title", "夕焼け"});
  ASSERT_EQ(built.status, 0) << built.err;
  const ByteVector titled = read_bytes(dir.file("titled.scr"));
  EXPECT_EQ(rebuilt(dir.file("titled.scr"), {"--player", dir.file("player.scr")}), titled);
  // Built on the show itself, its package is replaced, not stacked.
  EXPECT_EQ(rebuilt(dir.file("titled.scr"), {"--player", dir.file("titled.scr")}), titled);
  const RunResult retitled =
      run_showpack(dir, {"build", dir.file("show.toml"), "-o", dir.file("retitled.scr"), "--player",
                         dir.file("titled.scr"), "--title", "朝焼け"});
  ASSERT_EQ(retitled.status, 0) << retitled.err;
  EXPECT_NE(retitled.err.find("titled.scr is a built show: its show package is replaced"),
            std::string::npos)
      << retitled.err;
  const RunResult inspect = run_showpack(dir, {"inspect", dir.file("retitled.scr")});
  EXPECT_NE(inspect.out.find("Title: 朝焼け\n"), std::string::npos) << inspect.out;
  EXPECT_EQ(read_bytes(dir.file("retitled.scr")).size(), titled.size());
}

#ifdef SHOWSAVER_STRIPPED_PLAYER_PATH
// In the build tree, the player without its symbols: the one shows carry.
TEST_F(ShowpackRoundTrip, WithoutAPlayerNamedTheShowIsBuiltOnTheLinuxPlayer) {
  test::write_text_file(dir.file("show.toml"),
                        "[show]\nwidth = 4\nheight = 2\ntitle = \"Holiday\"\n\n[[scene]]\n"
                        "picture = \"a.bmp\"\ndisplay_time = 5\n");
  test::write_file(dir.file("a.bmp"), picture);
  const RunResult built =
      run_showpack(dir, {"build", dir.file("show.toml"), "-o", dir.file("show.scr")});
  ASSERT_EQ(built.status, 0) << built.err;
  const std::string player =
      std::filesystem::path(SHOWSAVER_STRIPPED_PLAYER_PATH).lexically_normal();
  EXPECT_NE(built.out.find("on the Linux player " + player + "\n"), std::string::npos) << built.out;
  EXPECT_NE(built.err.find("warning: the title \"Holiday\" is left out"), std::string::npos)
      << built.err;
  const ByteVector show = read_bytes(dir.file("show.scr"));
  const ByteVector program = read_bytes(SHOWSAVER_STRIPPED_PLAYER_PATH);
  ASSERT_GT(show.size(), program.size());
  EXPECT_TRUE(std::equal(program.begin(), program.end(), show.begin()));
  EXPECT_NE(std::filesystem::status(dir.file("show.scr")).permissions() &
                std::filesystem::perms::owner_exec,
            std::filesystem::perms::none)
      << "the show is a program";
}
#endif

}  // namespace
}  // namespace showsaver
