// The figures and paths the README gives a reader hold for the programs this
// build makes: each figure is found by the words around it and compared with
// the thing it describes ("about" allows what rounding allows).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "support/bitmap_files.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace showsaver::test {
namespace {

namespace fs = std::filesystem;

std::string readme() {
  std::ifstream file(SHOWSAVER_SOURCE_DIR "/README.md");
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The number the first group of `pattern` catches in the README, commas
// between thousands dropped; NaN where the README does not say it.
double stated(const std::string& pattern) {
  static const std::string text = readme();
  std::smatch match;
  if (!std::regex_search(text, match, std::regex(pattern))) return std::nan("");
  return std::stod(std::regex_replace(match[1].str(), std::regex(","), ""));
}

// A figure given to its last digit is the thing's size to within that digit.
void expect_about(double stated_value, double real, const std::string& what) {
  ASSERT_FALSE(std::isnan(stated_value)) << "the README gives no figure for " << what;
  EXPECT_NEAR(stated_value, real, std::max(0.08 * real, 0.051)) << what;
}

double kilobytes(const std::string& path) {
  return double(fs::file_size(path)) / 1000;
}
double megabytes(const std::string& path) {
  return double(fs::file_size(path)) / 1e6;
}

TEST(ReadmeFigures, SizesOfTheProgramsTheBuildMakes) {
  expect_about(stated(R"(beside `build/showsaver` \(about\s+([0-9]+) KB)"),
               kilobytes(SHOWSAVER_STRIPPED_PLAYER_PATH), "the stripped player");
  std::stringstream dirs(SHOWSAVER_WINDOWS_BUILD_DIRS);
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::string player = dir + "/showsaver.scr";
    if (!fs::exists(player)) continue;
    const bool wide = dir.ends_with("x86_64");
    expect_about(stated(wide ? R"(about ([0-9]+) KB for 64-bit)" : R"(and ([0-9]+) KB for 32-bit)"),
                 kilobytes(player), player);
  }
  const std::string studio = SHOWSAVER_BINARY_DIR "studio/showsaver-studio.html";
  if (fs::exists(studio)) {
    expect_about(stated(R"(`showsaver-studio.html` \(about ([0-9.]+) MB\))"), megabytes(studio),
                 "the studio's file");
  }
  if (fs::exists(SHOWSAVER_DEMO_SHOW)) {
    expect_about(stated(R"(`build/demo/demo.scr` \(about ([0-9]+) MB\))"),
                 megabytes(SHOWSAVER_DEMO_SHOW), "the demo show");
  }
}

// "A one-picture show of a 1280×720 bitmap is the player plus N bytes": to the byte.
TEST(ReadmeFigures, WhatAOnePictureShowAddsToThePlayer) {
  TempDir work;
  write_file(work.file("one.bmp"), make_bmp_24(make_solid_picture(1280, 720, 0x336699)));
  write_text_file(work.file("show.toml"),
                  "[show]\nwidth = 1280\nheight = 720\n\n"
                  "[[scene]]\npicture = \"one.bmp\"\ndisplay_time = 1000\neffect = \"cut\"\n");
  const RunResult build =
      run_showpack(work, {"build", work.file("show.toml"), "-o", work.file("one.scr"), "--player",
                          SHOWSAVER_STRIPPED_PLAYER_PATH});
  ASSERT_EQ(build.status, 0) << build.err;
  const double added =
      double(fs::file_size(work.file("one.scr")) - fs::file_size(SHOWSAVER_STRIPPED_PLAYER_PATH));
  EXPECT_EQ(stated(R"(the player plus ([0-9,]+) bytes)"), added);
  EXPECT_EQ(stated(R"(the picture's ([0-9,]+) and)"), double(fs::file_size(work.file("one.bmp"))));
}

// Every build-tree path of the tools table names what the build makes.
TEST(ReadmeFigures, TheToolsTableNamesWhatTheBuildMakes) {
  const std::string text = readme();
  const std::regex row(R"(\| `(build[^`]*)` \|)");
  int rows = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), row), end; it != end; ++it) {
    const std::string path = (*it)[1].str();
    ++rows;
    if (path.starts_with("build-windows") && !fs::exists(SHOWSAVER_SOURCE_DIR "/" + path)) {
      continue;  // `make windows` was not run for this tree
    }
    if (path.starts_with("build/studio/") && !fs::exists(SHOWSAVER_BINARY_DIR + path.substr(6))) {
      continue;  // nor `make studio`
    }
    const std::string built = path.starts_with("build/")
                                  ? SHOWSAVER_BINARY_DIR + path.substr(6)
                                  : std::string(SHOWSAVER_SOURCE_DIR "/") + path;
    EXPECT_TRUE(fs::exists(built)) << path << " (" << built << ")";
  }
  EXPECT_GE(rows, 4);
}

}  // namespace
}  // namespace showsaver::test
