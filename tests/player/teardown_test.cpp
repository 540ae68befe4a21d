#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "support/package_builder.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

using test::bmp_file;
using test::list_folder;
using test::PackageBuilder;
using test::ShowOptions;
using test::ShowRun;
using test::solid_image;

std::vector<std::uint8_t> red_picture() {
  return bmp_file(solid_image(16, 16, 0xFF0000));
}

void expect_error_box(ShowRun& show, const std::string& description_part) {
  const auto& boxes = show.scripted().desktop.message_boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "エラー");
  EXPECT_EQ(boxes[0].style, 0x30u);
  const std::string& text = boxes[0].text;
  const std::string first = "不明のエラーが発生しました。\r\n";
  ASSERT_TRUE(text.starts_with(first)) << text;
  const std::size_t second_break = text.find("\r\n", first.size());
  ASSERT_NE(second_break, std::string::npos);
  EXPECT_NE(text.substr(first.size(), second_break - first.size()).find(description_part),
            std::string::npos)
      << text;
  EXPECT_EQ(text.substr(second_break + 2), "Project1");
}

TEST(ErrorHandler, MissingPictureOnAdvanceReportsThenTearsDown) {
  ShowPackage package = PackageBuilder(16, 16)
                            .music("m.mid", {'M'})
                            .scene("a", red_picture())
                            .display_time(100)
                            .sound("a.wav", {'R'})
                            .scene("")  // a scene whose picture never reaches the folder
                            .build();
  ShowRun show(package);
  show.run();
  expect_error_box(show, "ファイルが見つかりません。");
  EXPECT_TRUE(list_folder(show.windows_folder()).empty());
  // The notice is withdrawn and the cursor given back before the box; the
  // music plays on behind it and is closed after it.
  EXPECT_FALSE(show.scripted().desktop.screen_saver_running());
  EXPECT_EQ(show.scripted().desktop.cursor_count(), 0);
  const auto& commands = show.scripted().media.commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), "close bgm"), 1);
  EXPECT_EQ(commands.back(), "close bgm");
  std::vector<std::string> order;
  for (const auto& event : show.scripted().log.events()) {
    const std::string json = event.to_json();
    if (event.kind == "screen_saver_running" && json.find("false") != std::string::npos) {
      order.push_back("notice withdrawn");
    } else if (event.kind == "cursor" && json.find("\"count\":0") != std::string::npos) {
      order.push_back("cursor shown");
    } else if (event.kind == "message_box") {
      order.push_back("box");
    } else if (event.kind == "mci" && json.find("close bgm") != std::string::npos) {
      order.push_back("music closed");
    }
  }
  EXPECT_EQ(order,
            (std::vector<std::string>{"notice withdrawn", "cursor shown", "box", "music closed"}));
}

// Faults of the program itself, not only the show's runtime failures, reach
// the one error handler with their own text, and the teardown runs.
TEST(ErrorHandler, EveryKindOfExceptionIsReportedAndTornDown) {
  struct Case {
    const char* description;
    std::function<void()> fault;
  };
  const std::vector<Case> cases = {
      {"vector::_M_range_check", [] { std::vector<int>().at(3); }},
      {"too long", [] { throw std::length_error("too long"); }},
      {"no disk", [] { throw std::filesystem::filesystem_error("no disk", std::error_code()); }},
      {"原因不明の例外が発生しました。", [] { throw 42; }},
  };
  for (const Case& c : cases) {
    ShowPackage package = PackageBuilder(16, 16)
                              .music("m.mid", {'M'})
                              .scene("a", red_picture())
                              .display_time(100)
                              .scene("b", red_picture())
                              .build();
    ShowRun show(package);
    int calls = 0;
    show.scripted().desktop.on_process_messages([&] {
      if (++calls == 3) c.fault();
    });
    show.run();
    SCOPED_TRACE(c.description);
    expect_error_box(show, c.description);
    EXPECT_TRUE(list_folder(show.windows_folder()).empty());
    EXPECT_FALSE(show.scripted().desktop.screen_saver_running());
    EXPECT_EQ(show.scripted().log.of_kind("window_destroyed").size(), 1u);
  }
}

TEST(ErrorHandler, UnreadableFirstPictureFailsBeforeTheWindowShows) {
  ShowRun show(PackageBuilder(16, 16).scene("a", {'B', 'M', 'x', 'x'}).build());
  show.run();
  expect_error_box(show, "ピクチャが無効です。");
  EXPECT_FALSE(show.scripted().log.of_kind("window_shown").size());
  EXPECT_TRUE(list_folder(show.windows_folder()).empty());
}

TEST(ErrorHandler, NoScenesAtAllDeletesOnlyTheMusicAndTheFolder) {
  ShowRun show(PackageBuilder(16, 16).music("m.mid", {'M'}).build());
  show.run();
  expect_error_box(show, "SceneCount 0");
  EXPECT_TRUE(list_folder(show.windows_folder()).empty());
  EXPECT_EQ(show.files().deletions, std::vector<std::string>{show.temp_folder() + "m.mid"});
}

// The file system fills up during the extraction (here: a limit on the size
// of files this process writes).  The file that did not fit is not left
// half-written, the show reports the missing picture, and everything
// written is removed.
TEST(Teardown, ADiskThatFillsDuringTheExtractionLeavesNothingBehind) {
  ShowPackage package = PackageBuilder(64, 64)
                            .music("m.mid", {'M'})
                            .scene("small", bmp_file(solid_image(4, 4, 0xFF0000)))
                            .display_time(10)
                            .scene("large", bmp_file(solid_image(64, 64, 0x00FF00)))
                            .build();
  ShowRun show(package);
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto saved_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = saved;
  limited.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  show.run();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, saved_handler);

  const auto& writes = show.files().writes;
  ASSERT_EQ(std::count(writes.begin(), writes.end(), show.temp_folder() + "large"), 1);
  expect_error_box(show, "ファイルが見つかりません。");
  EXPECT_TRUE(list_folder(show.windows_folder()).empty());
}

TEST(Teardown, DeletesEachNameOnceAndKeepsStrangersAndTheirFolder) {
  ShowPackage package = PackageBuilder(16, 16)
                            .scene("a", red_picture())
                            .display_time(10)
                            .scene("b", red_picture())
                            .display_time(10)
                            .sound("s.wav", {'R'})
                            .scene("a")
                            .display_time(10)
                            .build();
  ShowOptions options;
  options.screen_save_use_password = 1;
  options.inputs = {{50, InputKind::Key, {}}};
  ShowRun show(package, options);
  show.scripted().host.during_password_check(
      [&] { test::write_text_file(show.temp_folder() + "stranger.txt", "mine"); });
  show.run();
  EXPECT_TRUE(show.scripted().desktop.message_boxes().empty());
  EXPECT_EQ(show.files().deletions,
            (std::vector<std::string>{show.temp_folder() + "a", show.temp_folder() + "b",
                                      show.temp_folder() + "s.wav"}));
  EXPECT_EQ(list_folder(show.temp_folder()), std::vector<std::string>{"stranger.txt"});
}

TEST(Teardown, FallsBackToTheSecondPlaceWhenTheFirstCannotTakeTheFolder) {
  ShowPackage package = PackageBuilder(16, 16).scene("a", red_picture()).display_time(10).build();
  test::TempDir fallback;
  ShowOptions options;
  options.inputs = {{5, InputKind::Key, {}}};
  ShowRun show(package, options);
  // Replace the Windows folder by a file so no folder can be made in it.
  show.files().remove_folder(show.windows_folder().substr(0, show.windows_folder().size() - 1));
  test::write_text_file(show.windows_folder().substr(0, show.windows_folder().size() - 1), "");
  show.set_fallback_folder(fallback.path());
  show.run();
  EXPECT_TRUE(show.scripted().desktop.message_boxes().empty());
  EXPECT_EQ(show.files().folders_created.back(), fallback.path() + "temp1");
  EXPECT_TRUE(list_folder(fallback.path()).empty());
}

}  // namespace
}  // namespace showsaver
