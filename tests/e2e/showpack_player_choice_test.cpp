// Which player `build` puts a show on in an installation's layout: showpack
// and the Linux player in bin/, the Windows players in
// share/showsaver/players/.
#include <gtest/gtest.h>
#include <sys/stat.h>

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

namespace fs = std::filesystem;
using test::ByteVector;

ByteVector read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), {});
}

class ShowpackPlayerChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.file("usr/bin"));
    fs::create_directories(dir.file("usr/share/showsaver/players"));
    fs::copy_file(SHOWPACK_PATH, showpack);
    ::chmod(showpack.c_str(), 0755);
    test::write_file(dir.file("usr/bin/showsaver"), test::fake_program_image(700));
    test::write_file(dir.file("usr/share/showsaver/players/showsaver-x86_64.scr"),
                     test::program_with_block(test::player_string_table()));
    test::write_file(dir.file("a.bmp"), test::make_bmp_24(test::make_test_picture(4, 2)));
    test::write_text_file(dir.file("show.toml"),
                          "[show]\nwidth = 4\nheight = 2\ntitle = \"Dunes\"\n\n[[scene]]\n"
                          "picture = \"a.bmp\"\ndisplay_time = 5\n");
  }

  test::RunResult build(const std::string& output, std::vector<std::string> options) {
    std::vector<std::string> args{"build", dir.file("show.toml"), "-o", dir.file(output)};
    args.insert(args.end(), options.begin(), options.end());
    return test::run_program(dir, showpack, args);
  }

  test::TempDir dir;
  const std::string showpack = dir.file("usr/bin/showpack");
};

TEST_F(ShowpackPlayerChoice, EachKindFromItsPlaceAndTheMessageSaysWhich) {
  const test::RunResult linux_show = build("linux.scr", {});
  ASSERT_EQ(linux_show.status, 0) << linux_show.err;
  EXPECT_NE(linux_show.out.find("on the Linux player " + dir.file("usr/bin/showsaver") + "\n"),
            std::string::npos)
      << linux_show.out;
  const ByteVector linux_bytes = read_bytes(dir.file("linux.scr"));
  EXPECT_TRUE(std::equal(linux_bytes.begin(), linux_bytes.begin() + 700,
                         test::fake_program_image(700).begin()));

  const test::RunResult windows_show = build("windows.scr", {"--for", "windows"});
  ASSERT_EQ(windows_show.status, 0) << windows_show.err;
  EXPECT_NE(windows_show.out.find("on the 64-bit Windows player " +
                                  dir.file("usr/share/showsaver/players/showsaver-x86_64.scr")),
            std::string::npos)
      << windows_show.out;
  EXPECT_EQ(windows_show.err, "") << "the Windows player keeps the title";
  const test::RunResult inspect =
      test::run_program(dir, showpack, {"inspect", dir.file("windows.scr")});
  EXPECT_NE(inspect.out.find("Title: Dunes\n"), std::string::npos) << inspect.out;

  const test::RunResult missing = build("32.scr", {"--for", "windows32"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "showpack build: error: cannot find the 32-bit Windows player (looked for " +
                dir.file("usr/share/showsaver/players/showsaver-i686.scr") +
                "); build it with `make windows` or install a package that carries it, name a "
                "program with --player, or write the bare package with --package-only\n");
  EXPECT_FALSE(fs::exists(dir.file("32.scr")));
}

}  // namespace
}  // namespace showsaver
