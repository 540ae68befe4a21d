#include "platform/posix/posix_host.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "support/temp_dir.h"

namespace showsaver {
namespace {

// Points the runtime folder at a fresh folder for the life of the test.
class RuntimeFolder {
 public:
  RuntimeFolder() {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) saved_ = old;
    ::setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1);
  }
  ~RuntimeFolder() {
    if (saved_) {
      ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_RUNTIME_DIR");
    }
  }
  const test::TempDir& folder() const { return folder_; }

 private:
  test::TempDir folder_;
  std::optional<std::string> saved_;
};

TEST(PosixHost, OnlyOneCopyOfAProgramRunsAtATime) {
  RuntimeFolder runtime;
  PosixHost first("/opt/shows/sunset.scr", "/s");
  EXPECT_FALSE(first.another_instance_running(InstanceGuard::Show));
  EXPECT_FALSE(
      first.another_instance_running(InstanceGuard::Show));  // asking again changes nothing

  PosixHost second("/home/me/sunset.exe", "/s");  // same base name, other folder
  EXPECT_TRUE(second.another_instance_running(InstanceGuard::Show));

  PosixHost other("/opt/shows/harbour.scr", "/s");
  EXPECT_FALSE(other.another_instance_running(InstanceGuard::Show));
}

TEST(PosixHost, AShowAndASettingsDialogHoldGuardsOfTheirOwn) {
  RuntimeFolder runtime;
  PosixHost show("/opt/shows/sunset.scr", "/s");
  ASSERT_FALSE(show.another_instance_running(InstanceGuard::Show));
  PosixHost dialog("/opt/shows/sunset.scr", "/c");
  EXPECT_FALSE(dialog.another_instance_running(InstanceGuard::Settings));
  PosixHost second_dialog("/opt/shows/sunset.scr", "");
  EXPECT_TRUE(second_dialog.another_instance_running(InstanceGuard::Settings));
  EXPECT_TRUE(second_dialog.another_instance_running(InstanceGuard::Show));
  // A program named like the other guard's file is still another program.
  PosixHost look_alike("/opt/shows/settings-" + std::to_string(::getuid()) + "-sunset.scr", "/s");
  EXPECT_FALSE(look_alike.another_instance_running(InstanceGuard::Show));
}

TEST(PosixHost, ALockFileThatIsNotOurOwnNeverKeepsTheSaverFromStarting) {
  // Someone else made the name first, and holds a lock on what it names.
  RuntimeFolder runtime;
  const std::string lock =
      runtime.folder().file("showsaver-" + std::to_string(::getuid()) + "-sunset.lock");
  const std::string decoy = runtime.folder().file("decoy");
  test::write_text_file(decoy, "");
  const int held = ::open(decoy.c_str(), O_RDWR);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  std::vector<std::pair<const char*, std::function<bool()>>> squatters = {
      {"a link to a locked file", [&] { return ::symlink(decoy.c_str(), lock.c_str()) == 0; }},
      {"a pipe", [&] { return ::mkfifo(lock.c_str(), 0666) == 0; }},
      {"a folder", [&] { return ::mkdir(lock.c_str(), 0777) == 0; }},
  };
  if (::geteuid() == 0) {
    squatters.emplace_back("another user's locked file", [&] {
      return ::link(decoy.c_str(), lock.c_str()) == 0 && ::chown(decoy.c_str(), 65534, 65534) == 0;
    });
  }
  for (const auto& [what, make] : squatters) {
    ASSERT_TRUE(make()) << what;
    PosixHost host("/opt/shows/sunset.scr", "/s");
    EXPECT_FALSE(host.another_instance_running(InstanceGuard::Show)) << what;
    std::filesystem::remove(lock);
  }
  ::close(held);
}

TEST(PosixHost, TheLockEndsWithTheProgramAndLeavesNoFile) {
  RuntimeFolder runtime;
  {
    PosixHost first("/opt/shows/sunset.scr", "/s");
    ASSERT_FALSE(first.another_instance_running(InstanceGuard::Show));
    EXPECT_EQ(test::list_folder(runtime.folder().path()),
              std::vector<std::string>{"showsaver-" + std::to_string(::getuid()) + "-sunset.lock"});
    PosixHost refused("/opt/shows/sunset.scr", "/s");
    EXPECT_TRUE(refused.another_instance_running(InstanceGuard::Show));
  }
  EXPECT_TRUE(test::list_folder(runtime.folder().path()).empty())
      << "neither the holder nor the copy it kept from running leaves the file";
  PosixHost later("/opt/shows/sunset.scr", "/s");
  EXPECT_FALSE(later.another_instance_running(InstanceGuard::Show));
  PosixHost refused_again("/opt/shows/sunset.scr", "/s");
  EXPECT_TRUE(refused_again.another_instance_running(InstanceGuard::Show))
      << "the new file locks as the old one did";
}

TEST(PosixHost, ExtractionGoesToTheRuntimeFolderThenTmpdirThenTmp) {
  RuntimeFolder runtime;
  PosixHost host("/opt/sunset.scr", "");
  EXPECT_EQ(host.extraction_parent(), runtime.folder().path());
  EXPECT_EQ(host.fallback_extraction_parent(), "/tmp/");

  ::unsetenv("XDG_RUNTIME_DIR");
  const char* old_tmpdir = std::getenv("TMPDIR");
  const std::string saved_tmpdir = old_tmpdir != nullptr ? old_tmpdir : "";
  ::setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(host.extraction_parent(), "/var/tmp/");
  ::unsetenv("TMPDIR");
  EXPECT_EQ(host.extraction_parent(), "/tmp/");
  EXPECT_EQ(host.fallback_extraction_parent(), "");
  if (old_tmpdir != nullptr) ::setenv("TMPDIR", saved_tmpdir.c_str(), 1);
}

TEST(PosixHost, NoPasswordServiceOfItsOwn) {
  PosixHost host("/opt/sunset.scr", "");
  EXPECT_EQ(host.screen_save_use_password(), std::nullopt);
  EXPECT_EQ(host.verify_screen_saver_password(0), PasswordCheck::Unavailable);
}

}  // namespace
}  // namespace showsaver
