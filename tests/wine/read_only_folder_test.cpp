// A show run from a folder nobody can write, as a read-only network share
// installed by policy is: a read-only bind mount, which not even root can
// write.  The show plays, and its settings go to the user's own folder and
// are read back from there the next time.  Skipped where no bind mount can be
// made.  (Wine 8 cannot start a program by a UNC path reliably: its loader
// looks for the image under a mangled name, so the UNC forms of the paths
// are tested in the backend's own tests, tests/win32/read_only_share_test.cpp.)
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>
#include <fstream>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

// `source` seen read-only at `target` for the life of this object.
class ReadOnlyMount {
 public:
  ReadOnlyMount(const std::string& source, const std::string& target) : target_(target) {
    std::filesystem::create_directories(target);
    mounted_ = ::mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) == 0;
    if (mounted_) {
      ok_ =
          ::mount(nullptr, target.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
  }
  ~ReadOnlyMount() {
    if (mounted_) ::umount2(target_.c_str(), MNT_DETACH);
  }
  ReadOnlyMount(const ReadOnlyMount&) = delete;
  ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;
  bool ok() const { return ok_; }

 private:
  std::string target_;
  bool mounted_ = false;
  bool ok_ = false;
};

std::string file_bytes_of(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The user's own settings file of the show, wherever the prefix keeps the
// roaming application data; empty when there is none.
std::string users_settings_file(const WineSession& wine) {
  std::error_code error;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(wine.prefix() + "/drive_c/users", error)) {
    const std::filesystem::path& path = entry.path();
    if (path.filename() == "share-show.set" && path.parent_path().filename() == "showsaver") {
      return path.string();
    }
  }
  return "";
}

TEST(ReadOnlyFolderTest, PlaysAndKeepsItsSettingsInTheUsersFolder) {
  const auto build = WineSession::windows_build_folder("x86_64");
  ASSERT_TRUE(build) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no ...-x86_64 tree";
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string shared = wine->work_folder() + "/shared";
  std::filesystem::create_directories(shared);
  install_windows_show(*build + "/showsaver.scr", shared + "/share-show.scr",
                       PackageBuilder(32, 24)
                           .has_settings()
                           .scene("a.bmp", bmp_file(solid_image(32, 24, 0x3050A0)))
                           .display_time(60000)
                           .build());
  const std::string read_only = wine->work_folder() + "/read-only";
  const ReadOnlyMount mount(shared, read_only);
  if (!mount.ok()) GTEST_SKIP() << "no read-only bind mount can be made here";
  const std::string program = read_only + "/share-show.scr";

  // Music off, then the dialog again with Enter: what was read back is kept.
  for (const std::vector<std::string>& keys :
       {std::vector<std::string>{"Right", "Return"}, std::vector<std::string>{"Return"}}) {
    const WineProcess process = wine->start(program, {"/c"});
    const auto dialog = wine->wait_for_window("^設定$", seconds(60));
    ASSERT_TRUE(dialog) << wine->wait(process, seconds(0)).output;
    ASSERT_TRUE(wine->focus(*dialog));
    ASSERT_TRUE(wine->send_keys(keys));
    const WineRun run = wine->wait(process, seconds(30));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string saved = users_settings_file(*wine);
    ASSERT_FALSE(saved.empty()) << "no settings in the user's folder";
    EXPECT_EQ(file_bytes_of(saved), std::string("\x00\x00\xFF\xFF", 4));
  }
  // The cursor where the show starts, so that only the key ends it.
  EXPECT_TRUE(wine->move_mouse(512, 384));
  const WineProcess show = wine->start(program, {"/s"});
  const WineRun shown = wine->end_show_with_a_key(show);
  EXPECT_EQ(shown.status, 0) << shown.output;
  EXPECT_FALSE(std::filesystem::exists(wine->windows_folder() + "/temp1"));

  EXPECT_EQ(list_folder(shared), std::vector<std::string>{"share-show.scr"});
}

}  // namespace
}  // namespace showsaver::test
