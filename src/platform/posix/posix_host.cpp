#include "platform/posix/posix_host.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace showsaver {
namespace {

std::string with_separator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Tries at a lock whose file was removed under it; more would mean someone
// keeps removing it, and then the saver runs without a lock.
constexpr int kLockAttempts = 8;

// True when `path` names the open file `fd` (not a file made in its place).
bool names_file(const std::string& path, int fd) {
  struct stat named;
  struct stat open_file;
  return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &open_file) == 0 &&
         named.st_dev == open_file.st_dev && named.st_ino == open_file.st_ino;
}

}  // namespace

PosixHost::PosixHost(std::string program_path, std::string arguments)
    : program_path_(std::move(program_path)), arguments_(std::move(arguments)) {}

PosixHost::~PosixHost() {
  for (const HeldLock& held : locks_) {
    if (held.fd < 0) continue;
    // Removed while still locked, so that no copy can lock it any more: one
    // that opened it meanwhile finds the name gone once it has the lock, and
    // tries again with a new file.
    if (names_file(held.path, held.fd)) ::unlink(held.path.c_str());
    ::close(held.fd);
  }
}

std::string PosixHost::lock_file_path(InstanceGuard guard) const {
  std::string folder = environment("XDG_RUNTIME_DIR");
  if (folder.empty()) folder = "/tmp";
  const std::string name = std::filesystem::path(program_path_).stem().string();
  // The user id's digits keep the two kinds apart whatever the program's name.
  const char* kind = guard == InstanceGuard::Show ? "showsaver-" : "showsaver-settings-";
  return with_separator(folder) + kind + std::to_string(::getuid()) + "-" + name + ".lock";
}

bool PosixHost::another_instance_running(InstanceGuard guard) {
  HeldLock& held = locks_[static_cast<std::size_t>(guard)];
  if (held.fd >= 0) return false;
  const std::string path = lock_file_path(guard);
  // The copy that held the lock may remove the file between our open and
  // our lock: then the lock guards nothing, and a new file is made.
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const int fd = ::open(path.c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0600);
    if (fd < 0) return false;  // no lock to be had: better to run than to refuse
    // In a shared folder someone else may have made the file first to keep
    // the saver from ever starting: only our own ordinary file counts as a lock.
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
      ::close(fd);
      log("The lock file " + path + " is not this user's own; running without it.");
      return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return true;
    }
    if (names_file(path, fd)) {
      held = {fd, path};
      return false;
    }
    ::close(fd);
  }
  return false;
}

std::string PosixHost::extraction_parent() {
  for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
    const std::string folder = environment(name);
    if (!folder.empty()) return with_separator(folder);
  }
  return "/tmp/";
}

std::string PosixHost::user_settings_folder() {
  std::string base = environment("XDG_CONFIG_HOME");
  if (base.empty()) {
    const std::string home = environment("HOME");
    if (home.empty()) return "";
    base = with_separator(home) + ".config";
  }
  return with_separator(base) + "showsaver/";
}

std::string PosixHost::fallback_extraction_parent() {
  const std::string primary = extraction_parent();
  return primary == "/tmp/" ? std::string() : "/tmp/";
}

void PosixHost::log(const std::string& message) {
  std::cerr << "showsaver: " << message << '\n';
}

void PosixHost::change_password(WindowHandle) {
  log("Passwords are the desktop's screen locker's business here; nothing to change.");
}

std::string running_program_path(const std::string& fallback) {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? fallback : path.string();
}

}  // namespace showsaver
