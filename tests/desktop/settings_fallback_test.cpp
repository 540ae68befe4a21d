// "/c" for a show installed in a folder its user cannot write: the settings go
// to the user's own folder, and the next start reads them from there.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/package_builder.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

constexpr const char* kCaption = "設定";

TEST(SettingsFallbackTest, AReadOnlyProgramFolderKeepsTheSettingsInTheUsersFolder) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to hand the program folder to another owner than the player's";
  }
  TempDir folder;
  TempDir logs;
  XServer x;
  ASSERT_TRUE(x.ok());
  const std::string show =
      install_show(folder, "show.scr",
                   PackageBuilder(32, 24).has_settings().scene("a.bmp").display_time(1000).build());
  const std::vector<std::string> environment = session_environment(x, folder);
  // The program's folder is root's and read-only; the player runs as nobody,
  // whose own folders are writable.
  for (const char* own : {"home", "config", "run", "tmp"}) hand_to_ordinary_user(folder.file(own));
  ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
  const std::string user_settings = folder.file("config/showsaver/show.set");

  struct Start {
    std::vector<std::string> keys;
    std::string settings_after;
  };
  // Music off; then, read back from the user's file, sounds off as well.
  const Start starts[] = {{{"Right", "Return"}, std::string("\x00\x00\xFF\xFF", 4)},
                          {{"Tab", "Right", "Return"}, std::string(4, '\0')}};
  for (const Start& start : starts) {
    SCOPED_TRACE(start.keys.size());
    Child player(as_ordinary_user({show, "/c"}), environment, logs.file("player"));
    const Window dialog = x.wait_for_window(kCaption);
    ASSERT_NE(dialog, 0u) << player.err();
    ASSERT_TRUE(wait_until([&] { return x.has_focus(dialog); }));
    x.press_keys(start.keys);
    ASSERT_EQ(player.wait_exit(), 0) << player.err();
    EXPECT_EQ(file_bytes(user_settings), start.settings_after);
    EXPECT_EQ(file_bytes(folder.file("show.set")), std::nullopt);
  }
  ::chmod(folder.path().c_str(), 0755);
}

}  // namespace
}  // namespace showsaver::test
