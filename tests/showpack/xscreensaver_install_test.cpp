#include "showpack/xscreensaver_install.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace showsaver::showpack {
namespace {

using Outcome = ProgramsEditOutcome;

const std::string kShow = "/home/me/sunrise.scr";
const std::string kLine = "  \"sunrise\"  /home/me/sunrise.scr --root  \\n\\\n";

// As xscreensaver-settings writes the file: tab-aligned modes, one disabled
// with "-" and a visual, one the user wrapped over two lines that mentions
// the show in its second, and the last without the continuing backslash.
const std::string kHeader = "# XScreenSaver Preferences File\nmode:\t\trandom\n";
const std::string kPrograms = "programs:\t\t\t\t\t\t\t      \\\n";
const std::string kModes =
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "\t\t\t\tqix --root -solid\t\t\t\t\\\n"
    "\t\t\t\t  -segments 100 /home/me/sunrise.scr\t    \\n\\\n"
    "\t\t\t\txanalogtv --root\t\t\t    \\n\n";
const std::string kTrailer = "\n\npointerHysteresis:\t10\n";
const std::string kWritten = kHeader + kPrograms + kModes + kTrailer;
const std::string kListed = kHeader + kPrograms + kLine + kModes + kTrailer;

// The file of a test that wrote it by hand: the whole list on one line.
const std::string kOneLine = "lock:\tFalse\nprograms:\t\"Other\" /x/other.scr --root \\n\n";

struct EditCase {
  const char* name;
  std::optional<std::string> settings;  // nothing: no file
  bool add;                             // else remove
  std::string label;
  std::string show;
  Outcome outcome;
  std::string text;  // the new file when changed
  std::string message;
};

const std::vector<EditCase> kCases = {
    {"AddsAfterTheResourceName", kWritten, true, "sunrise", kShow, Outcome::Changed, kListed,
     "Listed /home/me/sunrise.scr as \"sunrise\" in ~/.xscreensaver."},
    {"AddsOnceOnly", kListed, true, "other name", kShow, Outcome::AlreadyListed, "",
     "/home/me/sunrise.scr is listed already, as \"sunrise\" in line 4 of ~/.xscreensaver."},
    {"RemovesItsLine", kListed, false, "", kShow, Outcome::Changed, kWritten,
     "Removed /home/me/sunrise.scr from ~/.xscreensaver."},
    {"RemovesItsLineWhenDisabled",
     kHeader + kPrograms + "-\t\"sunrise\"\t/home/me/sunrise.scr --root  \\n\\\n" + kModes +
         kTrailer,
     false, "", kShow, Outcome::Changed, kWritten,
     "Removed /home/me/sunrise.scr from ~/.xscreensaver."},
    {"LeavesAModeThatOnlyMentionsTheShow", kWritten, false, "", kShow, Outcome::NotListed, "",
     "/home/me/sunrise.scr is not listed in ~/.xscreensaver; nothing to remove."},
    // "\\n" is a backslash and an n: the mode goes on in the next line.
    {"LeavesAModeGoingOnAfterAnEscapedBackslash",
     kHeader + kPrograms + "\t\tphosphor --root --program printf\\\\n\\\n" +
         "\t\t  /home/me/sunrise.scr --root  \\n\\\n" + kModes + kTrailer,
     false, "", kShow, Outcome::NotListed, "",
     "/home/me/sunrise.scr is not listed in ~/.xscreensaver; nothing to remove."},
    {"AddsBelowAListOnOneLine", kOneLine, true, "sunrise", kShow, Outcome::Changed,
     "lock:\tFalse\nprograms:\t\"Other\" /x/other.scr --root \\n\\\n"
     "  \"sunrise\"  /home/me/sunrise.scr --root  \\n\n",
     "Listed /home/me/sunrise.scr as \"sunrise\" in ~/.xscreensaver."},
    {"AddsToAnEmptyListAtTheEndOfTheFile", "programs:", true, "sunrise", kShow, Outcome::Changed,
     "programs:\\\n  \"sunrise\"  /home/me/sunrise.scr --root  \\n",
     "Listed /home/me/sunrise.scr as \"sunrise\" in ~/.xscreensaver."},
    {"QuotesAPathWithSpaces", kWritten, true, "Mt. Fuji at dawn", "/home/me/my shows/fuji.scr",
     Outcome::Changed,
     kHeader + kPrograms + "  \"Mt. Fuji at dawn\"  '/home/me/my shows/fuji.scr' --root  \\n\\\n" +
         kModes + kTrailer,
     "Listed /home/me/my shows/fuji.scr as \"Mt. Fuji at dawn\" in ~/.xscreensaver."},
    {"RefusesWithoutTheFile", std::nullopt, true, "sunrise", kShow, Outcome::Refused, "",
     "~/.xscreensaver does not exist: xscreensaver keeps each user's settings there once they "
     "are first changed. Start xscreensaver-settings (from the xscreensaver package), change any "
     "setting, close it, and try again."},
    {"RefusesToRemoveWithoutTheFile", std::nullopt, false, "", kShow, Outcome::Refused, "",
     "~/.xscreensaver does not exist: xscreensaver keeps each user's settings there once they "
     "are first changed. Start xscreensaver-settings (from the xscreensaver package), change any "
     "setting, close it, and try again."},
    {"RefusesAFileWithoutTheList", kHeader + kTrailer, true, "sunrise", kShow, Outcome::Refused, "",
     "~/.xscreensaver has no programs: resource, the list of display modes; let "
     "xscreensaver-settings write the file again (change any setting) and try again."},
    {"RefusesTwoLists", kWritten + kOneLine, true, "sunrise", kShow, Outcome::Refused, "",
     "~/.xscreensaver sets programs: twice, in lines 3 and 13; xscreensaver-settings writes it "
     "once, so it has been edited by hand: keep one and try again."},
    {"RefusesAListCutShort", "programs:\t\\\n\tmaze --root \\n\\", true, "sunrise", kShow,
     Outcome::Refused, "",
     "~/.xscreensaver ends inside its programs: resource (its last line ends with a backslash); "
     "it looks cut short."},
    {"RefusesANameWithAQuote", kWritten, true, "the \"best\" show", kShow, Outcome::Refused, "",
     "The name \"the \"best\" show\" cannot be listed: give one without quotes, backslashes or "
     "control characters."},
    {"RefusesAPathWithAQuote", kWritten, true, "sunrise", "/home/me/it's.scr", Outcome::Refused, "",
     "The show's path /home/me/it's.scr holds a quote, a backslash or a control character, which "
     "xscreensaver's list cannot hold; move or rename the show."},
};

class ProgramsEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(ProgramsEditTest, ChangesOnlyTheShowsLine) {
  const EditCase& test = GetParam();
  const ProgramsEdit edit = test.add ? add_show_to_programs(test.settings, test.label, test.show)
                                     : remove_show_from_programs(test.settings, test.show);
  EXPECT_EQ(edit.outcome, test.outcome);
  EXPECT_EQ(edit.text, test.text);
  EXPECT_EQ(edit.message, test.message);
  if (test.add && edit.outcome == Outcome::Changed) {
    // Taking the show off again gives the file back byte for byte.
    const ProgramsEdit removed = remove_show_from_programs(edit.text, test.show);
    EXPECT_EQ(removed.outcome, Outcome::Changed);
    EXPECT_EQ(removed.text, *test.settings);
  }
}

INSTANTIATE_TEST_SUITE_P(Xscreensaver, ProgramsEditTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace showsaver::showpack
