// What showpack says when a manifest cannot make a show, read as the author
// reads it: one row a mistake, the exit status and every line written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bitmap_files.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

struct Mistake {
  const char* name;
  std::string scene_lines;  // after a good [show] and the start of one scene
  int status;
  std::string message;  // all of stderr; "{dir}/" stands for the manifest's folder
  std::string show_lines = "width = 64\nheight = 48\n";
  std::vector<std::string> options = {"--package-only"};
  friend void PrintTo(const Mistake& m, std::ostream* os) { *os << m.name; }
};

class ShowpackMessages : public ::testing::TestWithParam<Mistake> {
 protected:
  void SetUp() override {
    test::write_file(dir.file("a.bmp"), test::make_bmp_24(test::make_test_picture(8, 6)));
    test::write_text_file(dir.file("notes.jpg"), "Shopping: milk, eggs\n");
  }
  test::TempDir dir;
};

TEST_P(ShowpackMessages, SayWhatIsWrongWhereAndWhatIsAllowed) {
  const Mistake& mistake = GetParam();
  test::write_text_file(dir.file("show.toml"), "[show]\n" + mistake.show_lines +
                                                   "\n[[scene]]\ndisplay_time = 5\n" +
                                                   mistake.scene_lines + "\n");
  std::vector<std::string> args{"build", dir.file("show.toml"), "-o", dir.file("show.scr")};
  args.insert(args.end(), mistake.options.begin(), mistake.options.end());
  const test::RunResult build = test::run_showpack(dir, args);
  std::string expected = mistake.message;
  for (std::size_t at; (at = expected.find("{dir}/")) != std::string::npos;) {
    expected.replace(at, 6, dir.path());
  }
  EXPECT_EQ(build.status, mistake.status);
  EXPECT_EQ(build.err, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowpackMessages,
    ::testing::Values(
        Mistake{"AreaTooLargeForMemory", "picture = \"a.bmp\"", 1,
                "{dir}/show.toml:1:1: error: [show]: the picture area 32767x32767 has 1073676289 "
                "pixels; at most 67108864 (such as 8192x8192 or 7680x4320) are allowed, as the "
                "player keeps four surfaces of the area and these would take 16384 MiB of "
                "memory\n",
                "width = 32767\nheight = 32767\n"},
        Mistake{"MisspeltKey", "picture = \"a.bmp\"\nefect = \"cut\"", 1,
                "{dir}/show.toml:8:1: error: scene 1: unknown key 'efect'; did you mean "
                "'effect'?\n"},
        Mistake{"UnknownKeyFarFromAny", "picture = \"a.bmp\"\ncolour = 3", 1,
                "{dir}/show.toml:8:1: error: scene 1: unknown key 'colour'; allowed here: "
                "picture, picture_name, picture_name_bytes, sound, sound_name, sound_name_bytes, "
                "display_time, left, top, effect, fade_time, fallback_effect, fit, motion, "
                "motion_seed, motion_from, motion_to, over_previous, transparent\n"},
        Mistake{"MisspeltTable", "picture = \"a.bmp\"\n[[scen]]\npicture = \"a.bmp\"", 1,
                "{dir}/show.toml:8:3: error: manifest: unknown table [[scen]]; did you mean "
                "[[scene]]?\n"},
        Mistake{"UnknownTransition", "picture = \"a.bmp\"\neffect = \"wipe_lft\"", 1,
                "{dir}/show.toml:8:10: error: scene 1: effect \"wipe_lft\" is not a transition's "
                "name; did you mean \"wipe-left\"? The names are: cut, split-horizontal, "
                "split-vertical, random-tiles, blinds-down, slide-left, slide-right, slide-top, "
                "slide-bottom, spiral-tiles, box-out, pinch-horizontal, pinch-vertical, "
                "flip-horizontal, flip-vertical, squeeze-left, squeeze-top, squeeze-right, "
                "squeeze-bottom, wipe-left, wipe-top, wipe-right, wipe-bottom, zoom-in, zoom-out, "
                "shrink-through-black, push-left, push-top, push-right, push-bottom (or their "
                "codes 0 to 29), or \"fade\" for a cross-fade\n"},
        Mistake{"NameThatCannotBeStored", "picture = \"a.bmp\"\npicture_name = \"그림 ①.bmp\"", 1,
                "{dir}/show.toml:8:16: error: scene 1: picture name \"그림 ①.bmp\" holds "
                "characters a show cannot store: \"그\" (U+ADF8) and \"림\" (U+B9BC); names are "
                "stored in the Japanese Windows character set (code page 932), which has "
                "Japanese and Latin letters, digits and the common signs; give it a name a show "
                "can store, such as picture_name = \"__ ①.bmp\"\n"},
        Mistake{"BytesThatSpellAnotherName",
                "picture = \"a.bmp\"\npicture_name = \"a.bmp\"\npicture_name_bytes = \"ED40\"", 1,
                "{dir}/show.toml:9:22: error: scene 1: picture_name_bytes \"ED40\" spell \"纊\", "
                "not the picture name \"a.bmp\"; leave picture_name_bytes out to store the name "
                "as it is spelt\n"},
        Mistake{"UnclosedText", "picture = \"a.bmp\n", 1,
                "{dir}/show.toml:7:17: error: a text value is not closed on its line, or holds a "
                "control character: close it with \" before the end of the line, and write a tab "
                "or line break as \\t or \\n\n"},
        Mistake{"TextFileNamedJpg", "picture = \"notes.jpg\"", 1,
                "{dir}/show.toml:7:11: error: scene 1: picture {dir}/notes.jpg is not a picture: "
                "its content is not that of a Windows bitmap, PNG, JPEG, GIF, WebP or HEIC file\n"},
        Mistake{"TitleWithoutPlayer",
                "picture = \"a.bmp\"",
                1,
                "showpack build: error: --title needs a player: a bare package has no title\n",
                "width = 64\nheight = 48\n",
                {"--package-only", "--title", "Holiday"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
