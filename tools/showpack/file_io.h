// Whole-file reading and atomic writing for the tool, with messages that
// say what went wrong.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace showsaver::showpack {

struct FileRead {
  std::vector<std::uint8_t> bytes;
  std::optional<std::string> error;  // set when the file could not be read
};

FileRead read_whole_file(const std::filesystem::path& path);

// The path as UTF-8 text, as messages and manifests spell it.
std::string path_text(const std::filesystem::path& path);

// A file written piece by piece beside `path` and renamed over it only when
// committed, so that `path` holds either its old contents or all of the new
// ones.  One left uncommitted (after an error, or never committed) is removed.
class AtomicFile {
 public:
  // Creates the temporary file; a failure is kept and returned by write().
  explicit AtomicFile(const std::filesystem::path& path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends `bytes`.  Returns the error, if any; after one, nothing more is
  // written and every later call returns it again.
  std::optional<std::string> write(std::span<const std::uint8_t> bytes);
  // Gives the file the permission bits `mode`, flushes it to the disk and
  // renames it over the path.  Returns the error, if any.
  std::optional<std::string> commit(unsigned mode);

 private:
  std::filesystem::path path_;
  std::string temporary_;
  int descriptor_ = -1;
  std::optional<std::string> error_;
};

// Writes `bytes` through an AtomicFile with the permission bits `mode`.
// Returns the error, if any.
std::optional<std::string> write_file_atomically(const std::filesystem::path& path,
                                                 std::span<const std::uint8_t> bytes,
                                                 unsigned mode);

}  // namespace showsaver::showpack
