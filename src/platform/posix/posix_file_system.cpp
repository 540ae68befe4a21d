#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <utility>

namespace showsaver {
namespace {

// Opens an ordinary file for reading without ever waiting: a FIFO or a
// device in place of the file would hold the start.  -1 for anything else.
int open_plain_file(const std::string& path, struct stat& info) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

class MappedContents final : public FileContents {
 public:
  MappedContents(void* address, std::size_t size) : address_(address), size_(size) {}
  ~MappedContents() override { ::munmap(address_, size_); }
  MappedContents(const MappedContents&) = delete;
  MappedContents& operator=(const MappedContents&) = delete;

  std::span<const std::uint8_t> bytes() const override {
    return {static_cast<const std::uint8_t*>(address_), size_};
  }
  // The pages were never written: dropped, they are read from the file again.
  void release_pages() const override { ::madvise(address_, size_, MADV_DONTNEED); }

 private:
  void* address_;
  std::size_t size_;
};

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

namespace {

// At most `max_bytes` of the open ordinary file `fd` (of `info`), which stays open.
std::optional<Bytes> read_open_file(int fd, const struct stat& info, std::size_t max_bytes) {
  Bytes contents;
  // The file's size as it is now, so that the bytes are not moved as they grow.
  if (info.st_size > 0) {
    contents.reserve(static_cast<std::size_t>(
        std::min<std::uintmax_t>(static_cast<std::uintmax_t>(info.st_size), max_bytes)));
  }
  std::uint8_t buffer[65536];
  while (contents.size() < max_bytes) {
    const std::size_t wanted = std::min(sizeof buffer, max_bytes - contents.size());
    const ssize_t count = ::read(fd, buffer, wanted);
    if (count < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (count == 0) break;
    contents.insert(contents.end(), buffer, buffer + count);
  }
  return contents;
}

// Closes the descriptor however the scope is left.
class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

class LockedMarker final : public HeldMarker {
 public:
  LockedMarker(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  // Deleted while still locked: a copy that opened it meanwhile gets the
  // lock of a file that is gone.
  ~LockedMarker() override {
    ::unlink(path_.c_str());
    ::close(fd_);
  }
  LockedMarker(const LockedMarker&) = delete;
  LockedMarker& operator=(const LockedMarker&) = delete;

 private:
  std::string path_;
  int fd_;
};

}  // namespace

std::optional<Bytes> PosixFileSystem::read_file_prefix(const std::string& path,
                                                       std::size_t max_bytes) {
  struct stat info;
  const OpenFile file(open_plain_file(path, info));
  if (file.fd() < 0) return std::nullopt;
  return read_open_file(file.fd(), info, max_bytes);
}

std::vector<std::string> PosixFileSystem::folder_entries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return names;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(listing);
  return names;
}

bool PosixFileSystem::is_own_folder(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

std::unique_ptr<HeldMarker> PosixFileSystem::hold_new_marker(const std::string& path,
                                                             std::string_view contents) {
  const std::string unfinished = path + ".new";
  OpenFile file(
      ::open(unfinished.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (file.fd() < 0) return nullptr;
  if (::flock(file.fd(), LOCK_EX | LOCK_NB) != 0 || !write_all(file.fd(), contents) ||
      ::rename(unfinished.c_str(), path.c_str()) != 0) {
    ::unlink(unfinished.c_str());
    return nullptr;
  }
  return std::make_unique<LockedMarker>(path, file.release());
}

std::optional<Bytes> PosixFileSystem::take_abandoned_marker(const std::string& path,
                                                            std::size_t max_bytes) {
  struct stat info;
  const OpenFile file(open_plain_file(path, info));
  if (file.fd() < 0 || info.st_uid != ::getuid()) return std::nullopt;
  if (::flock(file.fd(), LOCK_EX | LOCK_NB) != 0) return std::nullopt;  // its holder runs
  return read_open_file(file.fd(), info, max_bytes);
}

std::shared_ptr<const FileContents> PosixFileSystem::map_file(const std::string& path) {
  struct stat info;
  const int fd = open_plain_file(path, info);
  if (fd < 0) return nullptr;
  void* address = MAP_FAILED;
  // An empty file cannot be mapped; it is read (as nothing) below.
  if (info.st_size > 0 &&
      static_cast<std::uintmax_t>(info.st_size) <= std::numeric_limits<std::size_t>::max()) {
    address =
        ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  }
  ::close(fd);
  if (address == MAP_FAILED) return FileSystem::map_file(path);
  return std::make_shared<MappedContents>(address, static_cast<std::size_t>(info.st_size));
}

}  // namespace showsaver
