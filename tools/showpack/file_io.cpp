#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace showsaver::showpack {
namespace {

std::string system_error(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

bool write_all(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

FileRead read_whole_file(const std::filesystem::path& path) {
  FileRead result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.error = system_error("cannot open " + path.string());
    return result;
  }
  struct stat status {};
  if (::fstat(fd, &status) == 0 && !S_ISREG(status.st_mode)) {
    ::close(fd);
    result.error = path.string() + " is not an ordinary file";
    return result;
  }
  std::uint8_t buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      result.error = system_error("cannot read " + path.string());
      break;
    }
    if (count == 0) break;
    result.bytes.insert(result.bytes.end(), buffer, buffer + count);
  }
  ::close(fd);
  if (result.error) result.bytes.clear();
  return result;
}

std::string path_text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

AtomicFile::AtomicFile(const std::filesystem::path& path)
    : path_(path), temporary_(path.string() + ".XXXXXX") {
  descriptor_ = ::mkstemp(temporary_.data());
  if (descriptor_ < 0) {
    error_ = system_error("cannot create a temporary file beside " + path_.string());
  }
}

AtomicFile::~AtomicFile() {
  if (descriptor_ < 0) return;
  ::close(descriptor_);
  ::unlink(temporary_.c_str());
}

std::optional<std::string> AtomicFile::write(std::span<const std::uint8_t> bytes) {
  if (!error_ && !write_all(descriptor_, bytes))
    error_ = system_error("cannot write " + temporary_);
  return error_;
}

std::optional<std::string> AtomicFile::commit(unsigned mode) {
  if (error_) return error_;
  if (::fchmod(descriptor_, mode) != 0) {
    error_ = system_error("cannot set the permissions of " + temporary_);
  } else if (::fsync(descriptor_) != 0) {
    error_ = system_error("cannot flush " + temporary_);
  }
  const int descriptor = std::exchange(descriptor_, -1);
  if (::close(descriptor) != 0 && !error_) error_ = system_error("cannot close " + temporary_);
  if (!error_ && ::rename(temporary_.c_str(), path_.c_str()) != 0) {
    error_ = system_error("cannot rename " + temporary_ + " to " + path_.string());
  }
  if (error_) ::unlink(temporary_.c_str());
  return error_;
}

std::optional<std::string> write_file_atomically(const std::filesystem::path& path,
                                                 std::span<const std::uint8_t> bytes,
                                                 unsigned mode) {
  AtomicFile file(path);
  if (auto error = file.write(bytes)) return error;
  return file.commit(mode);
}

}  // namespace showsaver::showpack
