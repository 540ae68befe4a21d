#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace showsaver {
namespace {

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Creates `path` exclusively (never through a link) and fills it.
bool create_and_write(const std::string& path, std::string_view data, mode_t mode) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return false;
  const bool written = write_all(fd, data);
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(path.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool PosixFileSystem::exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::is_plain_file(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

CreateFolderResult PosixFileSystem::create_folder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) == 0) return CreateFolderResult::Created;
  return errno == EEXIST ? CreateFolderResult::AlreadyExists : CreateFolderResult::Failed;
}

bool PosixFileSystem::remove_folder(const std::string& path) {
  return ::rmdir(path.c_str()) == 0;
}

bool PosixFileSystem::delete_file(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

bool PosixFileSystem::write_new_file(const std::string& path, std::string_view data) {
  return create_and_write(path, data, 0600);
}

bool PosixFileSystem::replace_file(const std::string& given_path, std::string_view data) {
  // A link the user made stays a link: its target is what gets replaced.  A
  // link that leads nowhere is not followed.
  std::string path = given_path;
  struct stat link_info;
  if (::lstat(given_path.c_str(), &link_info) == 0 && S_ISLNK(link_info.st_mode)) {
    char* target = ::realpath(given_path.c_str(), nullptr);
    if (target == nullptr) return false;
    path = target;
    std::free(target);
    struct stat target_info;
    if (::stat(path.c_str(), &target_info) != 0 || !S_ISREG(target_info.st_mode)) return false;
  }
  const std::string temporary = path + ".new";
  ::unlink(temporary.c_str());
  if (!create_and_write(temporary, data, 0644)) return false;
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::optional<Bytes> PosixFileSystem::read_file_prefix(const std::string& path,
                                                       std::size_t max_bytes) {
  // Non-blocking, so that a FIFO or a device in place of the file never
  // holds the start; only an ordinary file is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  Bytes contents;
  std::uint8_t buffer[65536];
  while (contents.size() < max_bytes) {
    const std::size_t wanted = std::min(sizeof buffer, max_bytes - contents.size());
    const ssize_t count = ::read(fd, buffer, wanted);
    if (count < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (count == 0) break;
    try {
      contents.insert(contents.end(), buffer, buffer + count);
    } catch (...) {
      ::close(fd);
      throw;
    }
  }
  ::close(fd);
  return contents;
}

}  // namespace showsaver
