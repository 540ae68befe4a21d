// `showpack render` end to end: the real player on the scripted platform,
// frames checked against pictures composed here independently.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "support/package_builder.h"
#include "support/png_files.h"
#include "support/run_program.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

using test::bmp_file;
using test::PackageBuilder;
using test::run_showpack;
using test::solid_image;
using test::with_rectangle;

using test::read_png;

void write_show(const std::string& path, const ShowPackage& package) {
  const test::ByteVector file = test::program_file_with(package);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

std::string frame_path(const test::TempDir& dir, const std::string& folder, int index) {
  char name[32];
  std::snprintf(name, sizeof name, "/frame-%06d.png", index);
  return dir.file(folder + name);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST(ShowpackRender, FramesMatchPicturesComposedIndependently) {
  test::TempDir dir;
  // A checkered picture placed partly outside the area on a coloured background.
  PixelImage first = solid_image(24, 16, 0x3366CC);
  first = with_rectangle(first, 0, 0, 12, 8, 0xFFCC00);
  first = with_rectangle(first, 12, 8, 12, 8, 0x00AA55);
  const ShowPackage package = PackageBuilder(40, 30)
                                  .back_color(rgb(0x20, 0x10, 0x00))
                                  .scene("first", bmp_file(first))
                                  .at(-4, 20)
                                  .display_time(200)
                                  .scene("second", bmp_file(solid_image(40, 30, 0xABCDEF)))
                                  .display_time(200)
                                  .effect(19)
                                  .build();
  write_show(dir.file("show.scr"), package);

  const auto result = run_showpack(
      dir, {"render", dir.file("show.scr"), "--out", dir.file("frames"), "--transitions", "2"});
  ASSERT_EQ(result.status, 0) << result.err;

  PixelImage expected = solid_image(40, 30, 0x201000);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) {
      if (x - 4 >= 0 && y + 20 < 30) {
        expected.pixels[static_cast<std::size_t>((y + 20) * 40 + x - 4)] = test::pixel(first, x, y);
      }
    }
  }
  const auto frame0 = read_png(dir.file("frames/frame-000000.png"));
  ASSERT_TRUE(frame0);
  EXPECT_EQ(frame0->width, 40);
  EXPECT_EQ(frame0->height, 30);
  EXPECT_EQ(frame0->pixels, expected.pixels);

  // After the cut the second picture; after effect 19 (which ends on its final
  // frame) the first again.
  const auto frame1 = read_png(dir.file("frames/frame-000001.png"));
  ASSERT_TRUE(frame1);
  EXPECT_EQ(frame1->pixels, solid_image(40, 30, 0xABCDEF).pixels);
  const auto events = lines_of(test::read_text_file(dir.file("frames/events.jsonl")));
  int refreshes = 0;
  for (const std::string& line : events)
    refreshes += line.find("\"event\":\"refresh\"") != std::string::npos;
  const auto last = read_png(frame_path(dir, "frames", refreshes - 1));
  ASSERT_TRUE(last);
  EXPECT_EQ(last->pixels, expected.pixels);
  EXPECT_FALSE(read_png(frame_path(dir, "frames", refreshes)));  // one PNG per refresh
  EXPECT_NE(events.front().find("\"event\":\"screen_saver_running\""), std::string::npos);
}

TEST(ShowpackRender, StopsAtScriptedInputAndLogsIt) {
  test::TempDir dir;
  write_show(dir.file("show.scr"), PackageBuilder(8, 8)
                                       .scene("a", bmp_file(solid_image(8, 8, 0xFF0000)))
                                       .display_time(1000)
                                       .scene("b", bmp_file(solid_image(8, 8, 0x0000FF)))
                                       .display_time(1000)
                                       .build());
  const auto result =
      run_showpack(dir, {"render", dir.file("show.scr"), "--out", dir.file("out"), "--move-at",
                         "2500", "--start-tick", "-100", "--screen", "320x200"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string events = test::read_text_file(dir.file("out/events.jsonl"));
  EXPECT_NE(events.find("{\"t\":2400,\"ms\":2500,\"event\":\"input\",\"kind\":\"mouse_move\""),
            std::string::npos)
      << events;
  EXPECT_NE(events.find("\"left\":156,\"top\":96,\"width\":8,\"height\":8"), std::string::npos);
  // Transitions at 1001 and 2002 ms; the move at 2500 ends the show in the third hold.
  std::size_t transitions = 0;
  for (std::size_t at = events.find("\"event\":\"transition\""); at != std::string::npos;
       at = events.find("\"event\":\"transition\"", at + 1)) {
    ++transitions;
  }
  EXPECT_EQ(transitions, 3u);
}

// Four scenes, shuffled: red fades (its fallback a slide) into the next,
// the second zooms into its blue half during its hold.
ShowPackage fading_moving_shuffled_show() {
  const PixelImage halves = with_rectangle(solid_image(40, 30, 0xFF0000), 20, 0, 20, 30, 0x0000FF);
  ShowPackage package = PackageBuilder(40, 30)
                            .scene("red", bmp_file(solid_image(40, 30, 0xFF0000)))
                            .display_time(200)
                            .effect(5)
                            .scene("halves", bmp_file(halves))
                            .display_time(400)
                            .effect(19)
                            .scene("green", bmp_file(solid_image(40, 30, 0x00FF00)))
                            .display_time(200)
                            .scene("grey", bmp_file(solid_image(40, 30, 0x808080)))
                            .display_time(200)
                            .build();
  package.Extension = ShowExtension{{OrderRecord{ShowOrder::Shuffle}, FadeRecord{0, 100},
                                     PanZoomPathRecord{1, Rect{0, 0, 40, 30}, Rect{24, 8, 12, 9}}}};
  return package;
}

// The lines of `events` that hold `text`, by index.
std::vector<std::size_t> lines_with(const std::vector<std::string>& events,
                                    const std::string& text) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].find(text) != std::string::npos) found.push_back(i);
  }
  return found;
}

TEST(ShowpackRender, LogsFadesMovingHoldsAndTheShuffleSeedAndRepeatsUnderOneStartTick) {
  test::TempDir dir;
  write_show(dir.file("show.scr"), fading_moving_shuffled_show());
  const auto render = [&](const std::string& folder, const std::string& start_tick) {
    const auto result =
        run_showpack(dir, {"render", dir.file("show.scr"), "--out", dir.file(folder),
                           "--transitions", "4", "--start-tick", start_tick});
    EXPECT_EQ(result.status, 0) << result.err;
    return result;
  };
  const auto first = render("a", "77");
  const std::string log = test::read_text_file(dir.file("a/events.jsonl"));
  render("b", "77");
  EXPECT_EQ(test::read_text_file(dir.file("b/events.jsonl")), log);

  // The seed is printed as it is logged (the player's tests check that it
  // is the tick counter at the show's start and draws the order played).
  const auto events = lines_of(log);
  const auto shuffles = lines_with(events, "\"event\":\"shuffle\",\"seed\":");
  ASSERT_EQ(shuffles.size(), 1u) << log;
  const std::string seed_field = "\"seed\":";
  const std::string& shuffle = events[shuffles[0]];
  const long long seed = std::stoll(shuffle.substr(shuffle.find(seed_field) + seed_field.size()));
  EXPECT_NE(first.err.find("shuffled from seed " + std::to_string(seed)), std::string::npos)
      << first.err;

  // The fade is logged with the fallback stored for it; the other
  // transitions without a fade.
  EXPECT_EQ(lines_with(events, "\"from\":0,").size(), 1u);
  EXPECT_EQ(lines_with(events, "\"effect\":5,\"fade_ms\":100}").size(), 1u) << log;
  EXPECT_EQ(lines_with(events, "\"fade_ms\"").size(), 1u) << log;

  // The moving hold's frames come between its hold and its transition (the
  // contact sheet's test sees them move); still holds are logged as such.
  const auto holds = lines_with(events, "\"event\":\"hold\",\"scene\":1,\"moving\":true");
  ASSERT_EQ(holds.size(), 1u) << log;
  const auto out_of_it = lines_with(events, "\"from\":1,");
  ASSERT_EQ(out_of_it.size(), 1u);
  std::vector<std::size_t> refreshes;
  for (const std::size_t line : lines_with(events, "\"event\":\"refresh\"")) {
    if (line > holds[0] && line < out_of_it[0]) refreshes.push_back(line);
  }
  ASSERT_GE(refreshes.size(), 5u) << log;
  EXPECT_GE(lines_with(events, "\"moving\":false").size(), 2u) << log;
}

TEST(ShowpackRender, RefusesWhatItCannotPlay) {
  test::TempDir dir;
  test::write_text_file(dir.file("garbage.scr"), "no show in here, just text");
  const auto unreadable =
      run_showpack(dir, {"render", dir.file("garbage.scr"), "--out", dir.file("o")});
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_NE(unreadable.err.find("malformed show package"), std::string::npos) << unreadable.err;

  write_show(dir.file("broken.scr"),
             PackageBuilder(8, 8).scene("a", {'B', 'M', 0, 0, 0, 0}).display_time(10).build());
  const auto failed = run_showpack(dir, {"render", dir.file("broken.scr"), "--out", dir.file("b")});
  EXPECT_EQ(failed.status, 2);
  EXPECT_NE(failed.err.find("不明のエラーが発生しました。"), std::string::npos) << failed.err;

  const auto bad_screen = run_showpack(
      dir, {"render", dir.file("broken.scr"), "--out", dir.file("c"), "--screen", "wide"});
  EXPECT_EQ(bad_screen.status, 1);
  EXPECT_NE(bad_screen.err.find("--screen"), std::string::npos);
}

}  // namespace
}  // namespace showsaver
