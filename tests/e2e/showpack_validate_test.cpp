// `showpack validate` on good, doubtful and hostile shows: what it finds,
// where it says it is, and its exit status.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/wav_files.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::run_showpack;
using test::RunResult;

const ByteVector kPicture = test::make_bmp_24(test::make_test_picture(8, 6));

struct ValidateCase {
  const char* name;
  std::function<ByteVector()> package;  // empty: the manifest below
  const char* manifest;
  int status;
  const char* expected;  // in the report
  friend void PrintTo(const ValidateCase& c, std::ostream* os) { *os << c.name; }
};

class ShowpackValidate : public ::testing::TestWithParam<ValidateCase> {
 protected:
  test::TempDir dir;
};

TEST_P(ShowpackValidate, ReportsWhatIsWrongAndWhere) {
  test::write_file(dir.file("p.bmp"), kPicture);
  std::string file;
  if (GetParam().package) {
    file = dir.file("show.scr");
    test::write_file(file, GetParam().package());
  } else {
    file = dir.file("show.toml");
    test::write_text_file(file, GetParam().manifest);
  }
  const RunResult text = run_showpack(dir, {"validate", file});
  EXPECT_EQ(text.status, GetParam().status) << text.out << text.err;
  EXPECT_NE(text.out.find(GetParam().expected), std::string::npos) << text.out;
  const RunResult json = run_showpack(dir, {"validate", file, "--json"});
  EXPECT_EQ(json.status, GetParam().status);
  EXPECT_NE(json.out.find("\"status\": " + std::to_string(GetParam().status)), std::string::npos)
      << json.out;
}

constexpr const char* kScene = "[show]\nwidth = 8\nheight = 6\n\n[[scene]]\npicture = \"p.bmp\"\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowpackValidate,
    ::testing::Values(
        ValidateCase{"GoodPackage",
                     [] {
                       return test::program_file_with(
                           test::PackageBuilder(8, 6).scene("p.bmp", kPicture).effect(9).build());
                     },
                     "", 0, "0 errors, 0 warnings"},
        ValidateCase{"GoodManifest",
                     {},
                     "[show]\nwidth = 8\nheight = 6\n\n[[scene]]\n"
                     "picture = \"p.bmp\"\ndisplay_time = \"1.5s\"\neffect = \"spiral-tiles\"\n",
                     0,
                     "0 errors, 0 warnings"},
        ValidateCase{"PictureStoredOnceForTwoScenes",
                     {},
                     "[show]\nwidth = 8\nheight = 6\n\n[[scene]]\npicture = \"p.bmp\"\n"
                     "display_time = 1\n\n[[scene]]\npicture = \"p.bmp\"\ndisplay_time = 1\n"
                     "left = 1\n",
                     1,
                     "show.toml:9:1: warning: scene 2: the 8x6 picture at (1, 0) in the 8x6 area "
                     "is clipped: 1 columns on the right do not show"},
        ValidateCase{"ClippedInManifest",
                     {},
                     "[show]\nwidth = 8\nheight = 6\n\n[[scene]]\n"
                     "picture = \"p.bmp\"\ndisplay_time = 1\nleft = -2\ntop = 3\n",
                     1,
                     "show.toml:5:1: warning: scene 1: the 8x6 picture at (-2, 3) in the 8x6 "
                     "area is clipped: 2 columns on the left and 3 rows at the bottom do not show"},
        ValidateCase{"OffTheArea",
                     [] {
                       return test::package_block(
                           test::PackageBuilder(8, 6).scene("p.bmp", kPicture).at(8, 0).build());
                     },
                     "", 1,
                     "scene 1 PictureLeft at offset 45 (0x2D): warning: scene 1: the 8x6 picture "
                     "at (8, 0) in the 8x6 area does not show at all"},
        ValidateCase{"RecordsBeyondSceneCount",
                     [] {
                       ShowPackage show = test::PackageBuilder(8, 6)
                                              .scene("p.bmp", kPicture)
                                              .scene("p.bmp")
                                              .scene("p.bmp")
                                              .build();
                       show.SceneCount = 1;
                       return test::program_file_with(show);  // the record starts at 4096
                     },
                     "", 1,
                     "SceneCount at offset 4110 (0x100E): warning: SceneCount is 1 but 3 scene "
                     "records are stored: the last 2 are never shown"},
        ValidateCase{"HostileSound",
                     [] {
                       return test::program_file_with(test::PackageBuilder(8, 6)
                                                          .scene("p.bmp", kPicture)
                                                          .sound("cue.wav", test::lying_wav())
                                                          .build());
                     },
                     "", 1,
                     "scene 1 SoundData at offset 4382 (0x111E): warning: scene 1: sound "
                     "\"cue.wav\" cannot be decoded: the RIFF chunk claims 2147483655 bytes, the "
                     "file holds 24"},
        ValidateCase{"MusicOfNoKnownFormat",
                     [] {
                       return test::package_block(test::PackageBuilder(8, 6)
                                                      .music("tune.mid", {'h', 'e', 'l', 'l', 'o'})
                                                      .scene("p.bmp", kPicture)
                                                      .build());
                     },
                     "", 1,
                     "music \"tune.mid\" cannot be decoded: it is none of WAV, MIDI, MP3, Ogg, "
                     "FLAC and WMA"},
        ValidateCase{"MusicOfNoKnownFormatInManifest",
                     {},
                     "[show]\nwidth = 8\nheight = 6\nmusic = \"p.bmp\"\nmusic_name = \"m.mid\"\n\n"
                     "[[scene]]\npicture = \"p.bmp\"\ndisplay_time = 1\n",
                     1,
                     "show.toml:4:9: warning: music \"m.mid\" cannot be decoded"},
        ValidateCase{"OggMusic",
                     [] {
                       return test::package_block(test::PackageBuilder(8, 6)
                                                      .music("tune.ogg", {'O', 'g', 'g', 'S', 0, 2})
                                                      .scene("p.bmp", kPicture)
                                                      .build());
                     },
                     "", 1,
                     "music \"tune.ogg\" is Ogg, which Windows does not play out of the box; the "
                     "formats every Windows plays are WAV, MIDI, MP3 and WMA"},
        ValidateCase{"FlacMusic",
                     [] {
                       return test::package_block(test::PackageBuilder(8, 6)
                                                      .music("tune", {'f', 'L', 'a', 'C', 0, 0})
                                                      .scene("p.bmp", kPicture)
                                                      .build());
                     },
                     "", 1, "is FLAC, which Windows plays only from Windows 10 on"},
        ValidateCase{"Mp3SceneSound",
                     [] {
                       return test::package_block(test::PackageBuilder(8, 6)
                                                      .scene("p.bmp", kPicture)
                                                      .sound("cue.mp3", {'I', 'D', '3', 4, 0})
                                                      .build());
                     },
                     "", 1,
                     "scene 1: sound \"cue.mp3\" is MP3, and the Windows player plays scene "
                     "sounds only as WAV"},
        ValidateCase{"SoundMusicAndCues",
                     [] {
                       return test::package_block(test::PackageBuilder(8, 6)
                                                      .music("tune.mid", test::one_note_midi())
                                                      .scene("p.bmp", kPicture)
                                                      .sound("cue.wav", test::sine_wav(0.1))
                                                      .build());
                     },
                     "", 0, "0 errors, 0 warnings"},
        ValidateCase{"ManifestError",
                     {},
                     "[show]\nwidth = 8\nheight = 6\n\n[[scene]]\n"
                     "picture = \"p.bmp\"\ndisplay_time = \"soon\"\n",
                     2,
                     "show.toml:7:16: error: scene 1: display_time \"soon\" is not a time"},
        ValidateCase{"UnknownEffect",
                     [] {
                       return test::package_block(
                           test::PackageBuilder(8, 6).scene("p.bmp", kPicture).effect(31).build());
                     },
                     "", 2, "scene 1: effect code 31 is not a transition"},
        ValidateCase{"UnsafeName",
                     [] {
                       return test::package_block(
                           test::PackageBuilder(8, 6).scene("../p.bmp", kPicture).build());
                     },
                     "", 2,
                     "scene 1 PictureFileName at offset 32 (0x20): error: scene 1 PictureFileName "
                     "\"../p.bmp\""},
        ValidateCase{"UndecodablePicture",
                     [] {
                       ByteVector bad = kPicture;
                       bad.resize(bad.size() - 7);
                       return test::package_block(
                           test::PackageBuilder(8, 6).scene("p.bmp", bad).build());
                     },
                     "", 2, "scene 1 PictureData at offset 71 (0x47)"},  // where its "BM" starts
        ValidateCase{"Truncated",
                     [] {
                       ByteVector block = test::package_block(
                           test::PackageBuilder(8, 6).scene("p.bmp", kPicture).build());
                       block.erase(block.begin() + 10, block.begin() + 30);
                       return block;
                     },
                     "", 2, "error: malformed show package"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
