// The showpack binary end to end: build from a manifest, inspect the result,
// and refuse what an author can get wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "package/package_reader.h"
#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/run_program.h"
#include "support/string_table.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"
#include "support/wav_files.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::run_showpack;
using test::RunResult;

void write_bytes(const std::string& path, const ByteVector& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

ByteVector read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), {});
}

const ByteVector kPictureA = test::make_bmp_24(test::make_test_picture(5, 3, 1));
const ByteVector kPictureB = test::make_bmp_8(test::make_test_picture(4, 2, 2));
const ByteVector kSound{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
const ByteVector kMusic{'M', 'T', 'h', 'd', 0, 0, 0, 6};

class ShowpackBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    write_bytes(dir.file("a.bmp"), kPictureA);
    write_bytes(dir.file("設定.bmp"), kPictureB);
    // A bitmap that ends in the middle of its pixels.
    ByteVector truncated = test::make_bmp_24(test::make_test_picture(4, 4));
    truncated.resize(truncated.size() - 5);
    write_bytes(dir.file("bad.bmp"), truncated);
    write_bytes(dir.file("ding.wav"), kSound);
    write_bytes(dir.file("tune.mid"), kMusic);
  }

  std::string manifest(const std::string& text) {
    test::write_text_file(dir.file("show.toml"), text);
    return dir.file("show.toml");
  }

  test::TempDir dir;
};

const char* const kGoodManifest = R"(
[show]
width = 250
height = 200
back_color = "#102030"
music = "tune.mid"

[[scene]]
picture = "a.bmp"
picture_name = "0"
display_time = 5000
left = -1
top = 49

[[scene]]
picture = "設定.bmp"
sound = "ding.wav"
display_time = 500
effect = 29
over_previous = true
transparent = true

[[scene]]
picture = "a.bmp"
picture_name = "0"
sound = "ding.wav"
display_time = 500
)";

// The same show from field values, as the writer stores it.
ShowPackage expected_show() {
  return test::PackageBuilder(250, 200)
      .back_color(ColorRef{0x00302010})
      .has_settings()
      .music("tune.mid", kMusic)
      .scene("0", kPictureA)
      .display_time(5000)
      .at(-1, 49)
      .scene("設定.bmp", kPictureB)
      .sound("ding.wav", kSound)
      .display_time(500)
      .effect(29)
      .over_previous()
      .transparent()
      .scene("0")
      .sound("ding.wav", kSound)
      .display_time(500)
      .build();
}

TEST_F(ShowpackBuild, BareBlockHoldsTheManifestsShow) {
  const RunResult build = run_showpack(
      dir, {"build", manifest(kGoodManifest), "-o", dir.file("show.pkg"), "--package-only"});
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_NE(build.out.find(": 3 scenes, "), std::string::npos) << build.out;
  const RunResult single = run_showpack(
      dir,
      {"build",
       manifest(
           "[show]\nwidth = 5\nheight = 3\n\n[[scene]]\npicture = \"a.bmp\"\ndisplay_time = 1\n"),
       "-o", dir.file("one.pkg"), "--package-only"});
  EXPECT_NE(single.out.find(": 1 scene, "), std::string::npos) << single.out << single.err;
  const ByteVector block = read_bytes(dir.file("show.pkg"));
  const PackageReadResult read = read_show_package(block, test::text_codec());
  ASSERT_TRUE(read.ok()) << read.error->message();
  EXPECT_EQ(read.record_offset, 0);
  EXPECT_EQ(read.package, expected_show());
  EXPECT_EQ(block, test::package_block(expected_show()));
}

TEST_F(ShowpackBuild, PlayerCopyGetsTheBlockAppended) {
  const ByteVector player = test::fake_program_image(1000);
  write_bytes(dir.file("player.exe"), player);
  const RunResult build =
      run_showpack(dir, {"build", manifest(kGoodManifest), "-o", dir.file("show.scr"), "--player",
                         dir.file("player.exe")});
  ASSERT_EQ(build.status, 0) << build.err;
  const ByteVector file = read_bytes(dir.file("show.scr"));
  EXPECT_EQ(file, test::program_file_with(expected_show(), 1000));
  EXPECT_EQ(read_bytes(dir.file("player.exe")), player);
}

TEST_F(ShowpackBuild, TitleGoesIntoTheWindowsPlayersSlot) {
  write_bytes(dir.file("player.scr"), test::program_with_block(test::player_string_table()));
  std::string titled = kGoodManifest;
  titled.insert(titled.find("[show]\n") + 7, "title = \"From the manifest\"\n");
  const std::string show = manifest(titled);

  // --title wins over the manifest's title.
  const RunResult build = run_showpack(dir, {"build", show, "-o", dir.file("show.scr"), "--player",
                                             dir.file("player.scr"), "--title", "夕焼けの海"});
  ASSERT_EQ(build.status, 0) << build.err;
  std::u16string slot = u"showsaver-title-slot:";
  slot.resize(127 - 5, u'.');
  ByteVector expected =
      test::program_with_block(test::string_table_block({u"", u"夕焼けの海", slot}));
  const ByteVector block = test::package_block(expected_show());
  expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_EQ(read_bytes(dir.file("show.scr")), expected);
  const RunResult inspect = run_showpack(dir, {"inspect", dir.file("show.scr")});
  EXPECT_NE(inspect.out.find("Title: 夕焼けの海\n"), std::string::npos) << inspect.out;

  // The Linux player has no slot: the manifest's title is left out with a
  // warning, and --title, asked for by name, is refused.
  write_bytes(dir.file("linux-player"), test::fake_program_image(1000));
  const RunResult untitled = run_showpack(
      dir, {"build", show, "-o", dir.file("linux.scr"), "--player", dir.file("linux-player")});
  EXPECT_EQ(untitled.status, 0) << untitled.err;
  EXPECT_NE(untitled.err.find("warning: the title \"From the manifest\" is left out: the player " +
                              dir.file("linux-player") + " has no title slot"),
            std::string::npos)
      << untitled.err;
  EXPECT_EQ(read_bytes(dir.file("linux.scr")), test::program_file_with(expected_show(), 1000));
  const RunResult refused =
      run_showpack(dir, {"build", show, "-o", dir.file("titled.scr"), "--player",
                         dir.file("linux-player"), "--title", "x"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("the player has no title slot; --title works with the Windows player"),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("titled.scr")));
}

TEST_F(ShowpackBuild, InspectJsonDescribesTheShow) {
  ASSERT_EQ(run_showpack(dir, {"build", manifest(kGoodManifest), "-o", dir.file("show.pkg"),
                               "--package-only"})
                .status,
            0);
  const RunResult inspect = run_showpack(dir, {"inspect", dir.file("show.pkg"), "--json"});
  ASSERT_EQ(inspect.status, 0) << inspect.err;
  for (
      const char* part : {
          R"("PictureWidth": 250)",
          R"("BackColor": 3153936)",
          R"("HasSettings": -1)",
          R"("SceneCount": 3)",
          R"("BgmFileName": "tune.mid")",
          R"("BgmData": {"size": 8})",
          R"("PictureFileName": "設定.bmp", "SoundFileName": "ding.wav", "DisplayTime": 500)",
          R"("EffectCode": 29, "OverPrevious": -1, "Transparent": -1)",
          R"("PictureData": {"size": 1, "first_scene": 0}, "SoundData": {"size": 1, "first_scene": 1})",
      }) {
    EXPECT_NE(inspect.out.find(part), std::string::npos) << part << "\n" << inspect.out;
  }
  const RunResult text = run_showpack(dir, {"inspect", dir.file("show.pkg")});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("#102030"), std::string::npos) << text.out;
  // Scenes counted from 1, as in every message: the third scene stores its
  // picture as the first does and its sound as the second.
  const std::size_t third = text.out.find("\n    3  ");
  ASSERT_NE(third, std::string::npos) << text.out;
  const std::string row = text.out.substr(third, text.out.find('\n', third + 1) - third);
  EXPECT_NE(row.find(" as 1 "), std::string::npos) << row;
  EXPECT_NE(row.find(" as 2 "), std::string::npos) << row;
}

TEST_F(ShowpackBuild, ExtractGivesFilesAndAManifestThatRebuildsTheSameShow) {
  ASSERT_EQ(run_showpack(dir, {"build", manifest(kGoodManifest), "-o", dir.file("show.scr"),
                               "--package-only"})
                .status,
            0);
  const auto extracted =
      run_showpack(dir, {"extract", dir.file("show.scr"), "--out", dir.file("out")});
  ASSERT_EQ(extracted.status, 0) << extracted.err;
  EXPECT_EQ(read_bytes(dir.file("out/pictures/0")), kPictureA);
  EXPECT_EQ(read_bytes(dir.file("out/pictures/設定.bmp")), kPictureB);
  EXPECT_EQ(read_bytes(dir.file("out/sounds/ding.wav")), kSound);
  EXPECT_EQ(read_bytes(dir.file("out/music/tune.mid")), kMusic);

  const auto rebuilt = run_showpack(
      dir, {"build", dir.file("out/show.toml"), "-o", dir.file("again.scr"), "--package-only"});
  ASSERT_EQ(rebuilt.status, 0) << rebuilt.err;
  EXPECT_EQ(read_bytes(dir.file("again.scr")), read_bytes(dir.file("show.scr")));

  // Nothing is overwritten unless asked for.
  test::write_text_file(dir.file("out/show.toml"), "my edits");
  const auto again = run_showpack(dir, {"extract", dir.file("show.scr"), "--out", dir.file("out")});
  EXPECT_NE(again.status, 0);
  EXPECT_NE(again.err.find("--force"), std::string::npos) << again.err;
  EXPECT_EQ(test::read_text_file(dir.file("out/show.toml")), "my edits");
  EXPECT_EQ(
      run_showpack(dir, {"extract", dir.file("show.scr"), "--out", dir.file("out"), "--force"})
          .status,
      0);
  EXPECT_NE(test::read_text_file(dir.file("out/show.toml")), "my edits");
}

TEST_F(ShowpackBuild, ExtractRefusesAHostileName) {
  ShowPackage package = expected_show();
  (*package.Scenes)[0].PictureFileName = "../escape";
  write_bytes(dir.file("hostile.scr"), test::package_block(package));
  const auto result =
      run_showpack(dir, {"extract", dir.file("hostile.scr"), "--out", dir.file("x")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("../escape"), std::string::npos) << result.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("escape")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("x")));
}

TEST_F(ShowpackBuild, InspectRefusesAFileWithoutPackage) {
  write_bytes(dir.file("player.exe"), test::fake_program_image(1000));
  const RunResult inspect = run_showpack(dir, {"inspect", dir.file("player.exe")});
  EXPECT_NE(inspect.status, 0);
  EXPECT_NE(inspect.err.find("BlockLength at file offset 996"), std::string::npos) << inspect.err;
}

TEST_F(ShowpackBuild, WarnsOfSoundsThatWillNotPlayAndBuildsAnyway) {
  write_bytes(dir.file("tune.ogg"), {'O', 'g', 'g', 'S', 0, 2});
  write_bytes(dir.file("cue.wav"), test::lying_wav());
  const RunResult build = run_showpack(
      dir, {"build",
            manifest("[show]\nwidth = 5\nheight = 3\nmusic = \"tune.ogg\"\n\n[[scene]]\n"
                     "picture = \"a.bmp\"\ndisplay_time = 1\nsound = \"cue.wav\"\n\n[[scene]]\n"
                     "picture = \"a.bmp\"\ndisplay_time = 1\nsound = \"cue.wav\"\n"),
            "-o", dir.file("show.pkg"), "--package-only"});
  EXPECT_EQ(build.status, 0) << build.err;
  EXPECT_NE(build.err.find(
                "show.toml:4:9: warning: [show]: music " + dir.file("tune.ogg") +
                " is Ogg, which Windows does not play out of the box; the formats every Windows "
                "plays are WAV, MIDI, MP3 and WMA"),
            std::string::npos)
      << build.err;
  const std::string cue = "warning: scene 1: sound " + dir.file("cue.wav") +
                          " cannot be decoded: the RIFF chunk claims 2147483655 bytes";
  EXPECT_NE(build.err.find(cue), std::string::npos) << build.err;
  EXPECT_EQ(build.err.find("scene 2: sound"), std::string::npos) << "one warning for one file";
}

struct BadManifest {
  const char* name;
  std::string scene_lines;  // added to a good [show] and the start of one scene
  std::string message;
  friend void PrintTo(const BadManifest& m, std::ostream* os) { *os << m.name; }
};

class ShowpackBadManifest : public ShowpackBuild,
                            public ::testing::WithParamInterface<BadManifest> {};

TEST_P(ShowpackBadManifest, FailsNamingTheProblemAndWritesNothing) {
  test::write_text_file(dir.file("show.pkg"), "old");
  const std::string text = "[show]\nwidth = 10\nheight = 10\n\n[[scene]]\ndisplay_time = 5\n" +
                           GetParam().scene_lines + "\n";
  const RunResult build =
      run_showpack(dir, {"build", manifest(text), "-o", dir.file("show.pkg"), "--package-only"});
  EXPECT_NE(build.status, 0);
  EXPECT_NE(build.err.find(GetParam().message), std::string::npos) << build.err;
  EXPECT_EQ(test::read_text_file(dir.file("show.pkg")), "old");
  for (const std::string& name : test::list_folder(dir.path())) {
    EXPECT_FALSE(name.starts_with("show.pkg.")) << "left behind: " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowpackBadManifest,
    ::testing::Values(
        BadManifest{"UnknownKey", "pictur = \"a.bmp\"\npicture = \"a.bmp\"",
                    "show.toml:7:1: error: scene 1: unknown key 'pictur'"},
        BadManifest{"MissingPicture", "left = 3", "scene 1: picture is missing"},
        BadManifest{"MissingFile", "picture = \"nope.bmp\"", "No such file"},
        BadManifest{"NotABitmap", "picture = \"ding.wav\"",
                    "ding.wav is not a picture: its content is not that of a Windows bitmap"},
        BadManifest{"TruncatedBitmap", "picture = \"bad.bmp\"",
                    "bad.bmp cannot be shown: the pixel data is truncated"},
        BadManifest{"EffectOutOfRange", "picture = \"a.bmp\"\neffect = 30",
                    "effect 30 is out of range 0..29"},
        BadManifest{"UnknownEffectName", "picture = \"a.bmp\"\neffect = \"wiggle\"",
                    "show.toml:8:10: error: scene 1: effect \"wiggle\" is not a transition's name. "
                    "The names are: cut, "},
        BadManifest{"UnknownFit", "picture = \"a.bmp\"\nfit = \"stretch\"",
                    "fit must be \"contain\", \"cover\" or \"none\""},
        BadManifest{"WrongType", "picture = \"a.bmp\"\nover_previous = 1",
                    "over_previous must be true or false"},
        BadManifest{"Separator", "picture = \"a.bmp\"\npicture_name = \"x\\\\y\"",
                    "holds a path separator"},
        BadManifest{"DotDot", "picture = \"a.bmp\"\npicture_name = \"..\"", "names a folder"},
        BadManifest{"ControlCharacter", "picture = \"a.bmp\"\npicture_name = \"a\\tb\"",
                    "control character U+0009"},
        BadManifest{"TooLong",
                    "picture = \"a.bmp\"\npicture_name = \"" + std::string(256, 'n') + "\"",
                    "256 bytes long"},
        BadManifest{"NotInCodePage", "picture = \"a.bmp\"\npicture_name = \"그림\"", "U+ADF8"},
        BadManifest{"DeviceName", "picture = \"a.bmp\"\npicture_name = \"aux.bmp\"", "device name"},
        BadManifest{"SoundNamedLikePicture",
                    "picture = \"a.bmp\"\nsound = \"ding.wav\"\nsound_name = \"a.bmp\"",
                    "is also the picture name of scene 1"},
        BadManifest{"NameReusedForOtherFile",
                    "picture = \"a.bmp\"\n\n[[scene]]\ndisplay_time = 1\npicture = "
                    "\"設定.bmp\"\npicture_name = \"a.bmp\"",
                    "already used by scene 1"},
        BadManifest{"CaseOnlyDifference",
                    "picture = \"a.bmp\"\n\n[[scene]]\ndisplay_time = 1\npicture = "
                    "\"設定.bmp\"\npicture_name = \"A.BMP\"",
                    "differs only in letter case"},
        BadManifest{"SyntaxError", "picture = ", "show.toml:7:"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
