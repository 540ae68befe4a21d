#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

std::optional<std::string> write_file_atomically(const std::filesystem::path& path,
                                                 std::span<const std::uint8_t> bytes,
                                                 unsigned mode) {
  std::string temporary = path.string() + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return system_error("cannot create a temporary file beside " + path.string());
  std::optional<std::string> error;
  if (!write_all(fd, bytes)) {
    error = system_error("cannot write " + temporary);
  } else if (::fchmod(fd, mode) != 0) {
    error = system_error("cannot set the permissions of " + temporary);
  } else if (::fsync(fd) != 0) {
    error = system_error("cannot flush " + temporary);
  }
  if (::close(fd) != 0 && !error) error = system_error("cannot close " + temporary);
  if (!error && ::rename(temporary.c_str(), path.c_str()) != 0) {
    error = system_error("cannot rename " + temporary + " to " + path.string());
  }
  if (error) ::unlink(temporary.c_str());
  return error;
}

}  // namespace showsaver::showpack
