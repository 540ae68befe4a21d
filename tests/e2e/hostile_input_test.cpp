// Hostile files through the real programs: `showpack inspect`, `showpack
// render` and the player.  Each gives a clear error or plays, never crashes
// (nor trips the sanitizers in a sanitized build), writes nothing outside its
// folders, and removes its extraction folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <optional>

#include "formats/byte_writer.h"
#include "package/extension_writer.h"
#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/run_program.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::RawPackage;

constexpr std::int32_t kHuge = std::numeric_limits<std::int32_t>::max();

struct HostileCase {
  std::string name;
  ByteVector file;
  // What `showpack inspect` says; empty: the package is well-formed.
  std::string refusal;
  // What the rendered show ends with; empty: it plays.
  std::string show_error;
};

ByteVector behind_image(const ByteVector& block) {
  ByteVector file = test::fake_program_image(64);
  file.insert(file.end(), block.begin(), block.end());
  return file;
}

ByteVector picture() {
  return test::bmp_file(test::solid_image(4, 2, 0x336699));
}

// A well-formed record: music, then two scenes (the second with a sound).
RawPackage good_record() {
  RawPackage raw;
  raw.fixed_header(4, 2, 0, -1, 2).text("m.mid").array(ByteVector{'M', 'T'});
  raw.array_header(1, 2, 0);
  raw.simple_scene("a.bmp", picture());
  raw.text("b.bmp").text("s.wav").i32(10).i32(0).i32(0).i32(3).i16(0).i16(0);
  raw.array(picture()).array(ByteVector{'R', 'I'});
  return raw;
}

// The good record followed by an extension: the show is shuffled and its
// second scene fades in and pans (its EffectCode, 3, is the fallback).
RawPackage extended_record() {
  ByteWriter extension;
  write_show_extension(
      ShowExtension{{OrderRecord{ShowOrder::Shuffle}, FadeRecord{1, 500}, PanZoomSeedRecord{1, 3}}},
      extension);
  RawPackage raw = good_record();
  raw.raw(extension.bytes());
  return raw;
}

// The extended record with bytes from `offset` of its extension (counted
// from the magic) overwritten.
ByteVector damaged_extension(std::size_t offset, const ByteVector& bytes) {
  ByteVector record = extended_record().record();
  std::copy(bytes.begin(), bytes.end(),
            record.begin() + std::ptrdiff_t(good_record().size() + offset));
  RawPackage raw;
  raw.raw(record);
  return behind_image(raw.block());
}

// The header up to the scene array, with the given music name.
RawPackage named(std::string_view picture_name) {
  RawPackage raw;
  raw.fixed_header(4, 2, 0, 0, 1).text("").absent_array().array_header(1, 1, 0);
  raw.simple_scene(picture_name, picture());
  return raw;
}

ByteVector with_scene_array(std::int16_t dimensions, std::int32_t count, std::int32_t lower) {
  RawPackage raw;
  raw.fixed_header(4, 2, 0, 0, 1).text("").absent_array().array_header(dimensions, count, lower);
  raw.simple_scene("a", picture());
  return behind_image(raw.block());
}

ByteVector with_picture_array(std::int16_t dimensions, std::int32_t count, std::int32_t lower) {
  RawPackage raw;
  raw.fixed_header(4, 2, 0, 0, 1).text("").absent_array().array_header(1, 1, 0);
  raw.text("a").text("").i32(10).i32(0).i32(0).i32(0).i16(0).i16(0);
  raw.array_header(dimensions, count, lower).raw(picture()).absent_array();
  return behind_image(raw.block());
}

// A 4 x 2 picture of 8 bits a pixel with one header field (at `offset`)
// overwritten.
ByteVector lying_picture(std::size_t offset, std::uint32_t value) {
  ByteWriter bmp(test::make_bmp(test::solid_image(4, 2, 0x336699), {.bit_count = 8}));
  bmp.patch_u32(offset, value);
  RawPackage raw;
  raw.fixed_header(4, 2, 0, 0, 1).text("").absent_array().array_header(1, 1, 0);
  raw.simple_scene("a", bmp.bytes());
  return behind_image(raw.block());
}

std::vector<HostileCase> hostile_cases() {
  std::vector<HostileCase> cases;
  const RawPackage good = good_record();
  // Cut at every byte of the record, the trailer telling the cut length, so
  // that every field is cut at each of its boundaries and inside.
  for (std::size_t length = 0; length < good.size(); ++length) {
    RawPackage cut;
    cut.raw(std::span(good.record()).first(length));
    cases.push_back(
        {"cut at " + std::to_string(length), behind_image(cut.block()), "malformed", ""});
  }
  // The same for the extension after it; cut before its first byte, the
  // record is one of the original layout and plays.
  const RawPackage extended = extended_record();
  for (std::size_t length = good.size(); length < extended.size(); ++length) {
    RawPackage cut;
    cut.raw(std::span(extended.record()).first(length));
    cases.push_back({"cut at extension byte " + std::to_string(length - good.size()),
                     behind_image(cut.block()), length == good.size() ? "" : "malformed", ""});
  }
  // Extension fields out of their bounds (offsets from the magic: version
  // at 4, the records' length at 6; the first record's tag at 10 and length
  // at 12; the second's tag at 20, its scene at 26 and duration at 30).
  const ByteVector all_ones{0xFF, 0xFF, 0xFF, 0xFF};
  cases.push_back({"extension version 2", damaged_extension(4, {2, 0}), "Extension version", ""});
  cases.push_back(
      {"extension length 2^32-1", damaged_extension(6, all_ones), "Extension length", ""});
  cases.push_back({"extension record length 2^32-1", damaged_extension(12, all_ones),
                   "Extension record 0 length", ""});
  cases.push_back({"extension fade retagged as an order", damaged_extension(20, {1, 0}),
                   "Extension record 1 length", ""});
  cases.push_back({"extension fade of scene 7", damaged_extension(26, {7, 0, 0, 0}),
                   "Extension record 1 scene", ""});
  cases.push_back({"extension fade of 0 ms", damaged_extension(30, {0, 0, 0, 0}),
                   "Extension record 1 duration", ""});
  const ByteVector record = good.record();
  auto with_length = [&](std::int32_t length) {
    RawPackage raw;
    raw.raw(record);
    return behind_image(raw.block_with_length(length));
  };
  const auto file_size = static_cast<std::int32_t>(with_length(0).size());
  cases.push_back({"BlockLength 0", with_length(0), "BlockLength", ""});
  cases.push_back({"BlockLength 3", with_length(3), "BlockLength", ""});
  cases.push_back({"BlockLength -1", with_length(-1), "BlockLength", ""});
  cases.push_back({"BlockLength minimum", with_length(std::numeric_limits<std::int32_t>::min()),
                   "BlockLength", ""});
  cases.push_back({"BlockLength past the file", with_length(file_size + 1), "BlockLength", ""});
  cases.push_back({"BlockLength maximum", with_length(kHuge), "BlockLength", ""});
  cases.push_back({"not a program at all", ByteVector{'M', 'Z'}, "BlockLength", ""});

  cases.push_back({"scene count 2^31-1", with_scene_array(1, kHuge, 0), "Scenes", ""});
  cases.push_back({"picture count 2^31-1", with_picture_array(1, kHuge, 0), "PictureData", ""});
  cases.push_back({"scene array D = 2", with_scene_array(2, 1, 0), "Scenes", ""});
  cases.push_back({"picture D = 2", with_picture_array(2, 1, 0), "PictureData", ""});
  cases.push_back({"scene lower bound 1", with_scene_array(1, 1, 1), "Scenes", ""});
  cases.push_back({"picture lower bound -1", with_picture_array(1, 1, -1), "PictureData", ""});
  {
    RawPackage raw;
    raw.fixed_header(4, 2, 0, 0, kHuge).text("").absent_array().array_header(1, 1, 0);
    raw.simple_scene("a", picture());
    cases.push_back({"SceneCount 2^31-1", behind_image(raw.block()), "SceneCount", ""});
  }
  {
    RawPackage raw;
    raw.fixed_header(4, 2, 0, 0, 0).i16(-1).raw(ByteVector{'a'});
    cases.push_back({"name length 65535", behind_image(raw.block()), "BgmFileName", ""});
  }

  // Names the reader takes but no file may carry: the show cannot run.
  for (const std::string& name :
       std::vector<std::string>{"..", "../up", "a\\b", "a/b", "C:x", "c:\\windows\\x", "CON",
                                "nul.txt", "com1", std::string("a\x01z")}) {
    cases.push_back({"name " + testing::PrintToString(name), behind_image(named(name).block()), "",
                     "実行できません"});
  }
  // Names no file system takes, or no file at all: the picture is missing.
  for (const std::string& name : {std::string(300, 'n'), std::string()}) {
    cases.push_back({"name of " + std::to_string(name.size()) + " bytes",
                     behind_image(named(name).block()), "", "ファイルが見つかりません。"});
  }
  for (const std::string& bytes :
       std::vector<std::string>{"\x82", "a\x81\x7F", "\xFF", "\x85\x40", "\xFC\xFD"}) {
    cases.push_back({"code page 932 " + testing::PrintToString(bytes),
                     behind_image(named(bytes).block()), "code page 932", ""});
  }

  // Pictures whose headers lie: the show reports an invalid picture, or for
  // the lies the decoder tolerates (a colour count past the table's room
  // reads the room there is; run-length data that ends early leaves the rest
  // of the picture at its start colour) plays.
  struct Lie {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    bool tolerated;
  };
  const Lie lies[] = {
      {"pixel offset past the file", 10, 100000, false},
      {"width 2^31-1", 18, 0x7FFFFFFF, false},
      {"height -2^31", 22, 0x80000000, false},
      {"width 0", 18, 0, false},
      {"header size 2^31", 14, 0x80000000, false},
      {"bit count 7", 28, 7, false},
      {"compression 9", 30, 9, false},
      {"palette of 2^31 colours", 46, 0x80000000, true},
      {"palette of 257 colours", 46, 257, true},
      {"raw pixels read as run-length data", 30, 1, true},
  };
  for (const Lie& lie : lies) {
    cases.push_back({std::string("picture ") + lie.what, lying_picture(lie.offset, lie.value), "",
                     lie.tolerated ? "" : "ピクチャが無効です。"});
  }
  return cases;
}

// The folders a run may write into: its output and the temporary folders,
// each checked to be left as it should be.
class HostileInput : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR"}) {
      if (const char* old = std::getenv(name)) saved_.emplace_back(name, old);
      ::setenv(name, temp_.path().c_str(), 1);
    }
  }
  void TearDown() override {
    for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR"}) ::unsetenv(name);
    for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
  }

  void expect_clean_run(const test::RunResult& result, const std::string& what) {
    EXPECT_NE(result.status, -1) << what << " ended on a signal\n" << result.err;
    EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << what << "\n" << result.err;
    EXPECT_EQ(result.err.find("runtime error"), std::string::npos) << what << "\n" << result.err;
  }

  test::TempDir logs_;  // the programs' captured output
  test::TempDir work_;  // the hostile file, and the render's frames
  test::TempDir temp_;  // TMPDIR and the runtime folder
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(HostileInput, ClearErrorsNoCrashNothingLeftBehind) {
  const std::vector<HostileCase> cases = hostile_cases();
  const std::string show = work_.file("hostile.scr");
  int refused = 0;
  int failed_shows = 0;
  for (std::size_t index = 0; index < cases.size(); ++index) {
    const HostileCase& c = cases[index];
    SCOPED_TRACE(c.name);
    std::ofstream(show, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(c.file.data()),
               static_cast<std::streamsize>(c.file.size()));

    const test::RunResult inspect = test::run_showpack(logs_, {"inspect", show});
    expect_clean_run(inspect, "inspect");
    if (c.refusal.empty()) {
      EXPECT_EQ(inspect.status, 0) << inspect.err;
    } else {
      ++refused;
      EXPECT_EQ(inspect.status, 1);
      EXPECT_NE(inspect.err.find(c.refusal), std::string::npos) << inspect.err;
    }
    // Every hostile form, but only a sample of the cuts, which all end in
    // the reader that inspect has just run.
    const bool cut = c.name.starts_with("cut at ");
    if (cut && index % 9 != 0) continue;

    const std::string frames = work_.file("frames");
    const test::RunResult render =
        test::run_showpack(logs_, {"render", show, "--out", frames, "--transitions", "2"});
    expect_clean_run(render, "render");
    if (!c.refusal.empty()) {
      EXPECT_EQ(render.status, 1);
      EXPECT_NE(render.err.find(c.refusal), std::string::npos) << render.err;
    } else if (!c.show_error.empty()) {
      ++failed_shows;
      EXPECT_EQ(render.status, 2) << render.err;
      EXPECT_NE(render.err.find(c.show_error), std::string::npos) << render.err;
    } else {
      EXPECT_EQ(render.status, 0) << render.err;
    }
    std::filesystem::remove_all(frames);
    EXPECT_EQ(test::list_folder(work_.path()), std::vector<std::string>{"hostile.scr"});
    EXPECT_TRUE(test::list_folder(temp_.path()).empty()) << "an extraction folder stayed";
  }
  // The table holds what it claims to.
  EXPECT_GT(refused, 200);
  EXPECT_GT(failed_shows, 15);
  std::cout << cases.size() << " hostile files: " << refused << " refused by the reader, "
            << failed_shows << " shows that end in their error box\n";
}

#ifdef SHOWSAVER_PLAYER_PATH
// The player reads its show from its own name: a copy named after the file.
TEST_F(HostileInput, ThePlayerReadsEachAndEndsCleanly) {
  const std::string player = work_.file("hostile");
  std::filesystem::copy_file(SHOWSAVER_PLAYER_PATH, player);
  ::chmod(player.c_str(), 0755);
  for (const HostileCase& c : hostile_cases()) {
    if (c.name.starts_with("cut at ") && c.file.size() % 5 != 0) continue;
    SCOPED_TRACE(c.name);
    std::ofstream(work_.file("hostile.scr"), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(c.file.data()),
               static_cast<std::streamsize>(c.file.size()));
    const test::RunResult preview = test::run_program(logs_, player, {"/p"});
    expect_clean_run(preview, "player");
    EXPECT_EQ(preview.status, 0) << preview.err;
    if (!c.refusal.empty() && c.refusal != "malformed") {
      EXPECT_NE(preview.err.find(c.refusal), std::string::npos) << preview.err;
    }
    EXPECT_EQ(test::list_folder(work_.path()),
              (std::vector<std::string>{"hostile", "hostile.scr"}));
  }
  // Nothing stays in the runtime folder, the single-instance lock included.
  EXPECT_TRUE(test::list_folder(temp_.path()).empty());
}
#endif

// Every file of the corpus that `validate` accepts (with warnings at most)
// comes back byte for byte from `extract` and `build --package-only`.
TEST_F(HostileInput, WhatValidateAcceptsRebuildsByteForByte) {
  const std::string show = work_.file("hostile.scr");
  const std::string out = work_.file("out");
  int accepted = 0;
  std::vector<HostileCase> cases = hostile_cases();
  cases.push_back({"the whole good record", behind_image(good_record().block()), "", ""});
  cases.push_back({"the good record extended", behind_image(extended_record().block()), "", ""});
  for (const HostileCase& c : cases) {
    if (c.name.starts_with("cut at ")) continue;  // each refused by the reader
    SCOPED_TRACE(c.name);
    test::write_file(show, c.file);
    if (test::run_showpack(logs_, {"validate", show}).status > 1) continue;
    ++accepted;
    const test::RunResult extract =
        test::run_showpack(logs_, {"extract", show, "--out", out, "--force"});
    ASSERT_EQ(extract.status, 0) << extract.err;
    const std::string again = work_.file("again.pkg");
    const test::RunResult build =
        test::run_showpack(logs_, {"build", out + "/show.toml", "-o", again, "--package-only"});
    ASSERT_EQ(build.status, 0) << build.err;
    std::ifstream in(again, std::ios::binary);
    const ByteVector rebuilt(std::istreambuf_iterator<char>(in), {});
    // The program image the corpus puts before each package stays behind.
    ASSERT_GE(c.file.size(), rebuilt.size());
    EXPECT_TRUE(
        std::equal(rebuilt.begin(), rebuilt.end(), c.file.end() - std::ptrdiff_t(rebuilt.size())))
        << "the rebuilt package differs";
    std::filesystem::remove_all(out);
  }
  // The good record, with and without its extension, and the picture lies
  // the decoder tolerates.
  EXPECT_EQ(accepted, 5);
  std::cout << accepted << " accepted packages rebuilt byte for byte\n";
}

}  // namespace
}  // namespace showsaver
