// Copies of the player in a screen locker's windows, as xscreensaver runs one
// per screen: the folder of one killed while it played goes when the next
// one starts, and the folder of one still playing stays.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include "shown_frames.h"
#include "support/show_harness.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

std::string window_id(Window window) {
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", window);
  return id;
}

std::vector<std::string> sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(AbandonedFolder, AKilledCopysFolderGoesAtTheNextStartAndAPlayingCopysStays) {
  TempDir folder;
  TempDir logs;
  XServer x;
  ASSERT_TRUE(x.ok());
  const std::string show = install_show(folder, "show.scr", quartered_show());
  const PixelImage frame = rendered_frame(logs, show);
  const std::vector<std::string> environment = session_environment(x, folder);
  const std::string run = folder.file("run/");
  // Each window made when its copy starts, over the ones before.
  const Window first = x.create_window(300, 200);

  Child playing({show, "-window-id", window_id(first)}, environment, logs.file("playing"));
  ASSERT_TRUE(wait_until([&] { return shows_centred(x, x.geometry(first), frame); }))
      << playing.err();
  {
    const Window second = x.create_window(300, 200);
    Child killed({show, "-window-id", window_id(second)}, environment, logs.file("killed"));
    ASSERT_TRUE(wait_until([&] { return shows_centred(x, x.geometry(second), frame); }))
        << killed.err();
    killed.signal(SIGKILL);
    killed.wait_exit();
  }
  ASSERT_EQ(sorted(temp_folders(run)), (std::vector<std::string>{"temp1", "temp2"}))
      << "the killed copy left its folder";

  const Window third = x.create_window(300, 200);
  Child next({show, "-window-id", window_id(third)}, environment, logs.file("next"));
  ASSERT_TRUE(wait_until([&] { return shows_centred(x, x.geometry(third), frame); })) << next.err();
  next.signal(SIGTERM);
  EXPECT_EQ(next.wait_exit(), 0) << next.err();
  EXPECT_EQ(temp_folders(run), std::vector<std::string>{"temp1"})
      << "the killed copy's folder went, and the next copy took its number";
  EXPECT_TRUE(playing.running());

  playing.signal(SIGTERM);
  EXPECT_EQ(playing.wait_exit(), 0) << playing.err();
  EXPECT_TRUE(temp_folders(run).empty());
}

}  // namespace
}  // namespace showsaver::test
