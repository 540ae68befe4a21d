// The Wine session on Wine's own notepad, 64-bit and 32-bit: no program of
// ours is needed to show that programs start, windows are found, input
// arrives, the screen can be read and the end of a program is seen.
#include "wine_session.h"

#include <gtest/gtest.h>

#include <fstream>

namespace showsaver::test {
namespace {

// The machine field of a PE file: 0x8664 for x86-64, 0x14C for 32-bit x86.
unsigned pe_machine(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char bytes[4] = {};
  in.seekg(0x3C);
  in.read(reinterpret_cast<char*>(bytes), 4);
  const unsigned header = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | unsigned{bytes[3]} << 24;
  in.seekg(header + 4);
  in.read(reinterpret_cast<char*>(bytes), 2);
  return in ? bytes[0] | bytes[1] << 8 : 0;
}

// Screenshots until the screen differs from `before` or the deadline passes.
std::optional<PixelImage> wait_for_screen_change(WineSession& wine, const PixelImage& before,
                                                 seconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (std::chrono::steady_clock::now() < end) {
    auto now = wine.screenshot();
    if (!now || now->pixels != before.pixels) return now;
  }
  return std::nullopt;
}

struct NotepadCase {
  const char* folder;
  unsigned machine;
};

class WineNotepadTest : public ::testing::TestWithParam<NotepadCase> {};

TEST_P(WineNotepadTest, ShowsTypedTextAndEndsWhenClosedWithoutSaving) {
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string program = wine->windows_folder() + "/" + GetParam().folder + "/notepad.exe";
  ASSERT_EQ(pe_machine(program), GetParam().machine) << program;

  const WineProcess notepad = wine->start(program, {});
  const auto window = wine->wait_for_window("^Untitled - Notepad$", seconds(60));
  ASSERT_TRUE(window) << wine->wait(notepad, seconds(0)).output;
  ASSERT_TRUE(wine->focus(*window));
  ASSERT_TRUE(wine->move_mouse(200, 200));  // over the text area
  ASSERT_TRUE(wine->click(1));
  const auto before = wine->screenshot();
  ASSERT_TRUE(before);
  EXPECT_EQ(before->width, 1024);
  EXPECT_EQ(before->height, 768);
  ASSERT_TRUE(wine->type_text("showsaver"));
  EXPECT_TRUE(wait_for_screen_change(*wine, *before, seconds(20))) << "the text never showed";

  // The unsaved text makes Alt+F4 ask first; "No" ends the program.
  ASSERT_TRUE(wine->send_keys({"alt+F4"}));
  const auto question = wine->wait_for_window("^Notepad$", seconds(30));
  ASSERT_TRUE(question);
  ASSERT_TRUE(wine->focus(*question));
  ASSERT_TRUE(wine->send_keys({"n"}));
  EXPECT_EQ(wine->wait(notepad, seconds(60)).status, 0);
}

INSTANTIATE_TEST_SUITE_P(Architectures, WineNotepadTest,
                         ::testing::Values(NotepadCase{"system32", 0x8664},
                                           NotepadCase{"syswow64", 0x14C}),
                         [](const auto& param_info) {
                           return std::string(param_info.param.machine == 0x14C ? "i686"
                                                                                : "x86_64");
                         });

}  // namespace
}  // namespace showsaver::test
