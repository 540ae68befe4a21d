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

// Writes `bytes` to a new file beside `path` and renames it over `path`, so
// that `path` holds either its old contents or all of the new ones.  The
// file gets the permission bits `mode`.  Returns the error, if any.
std::optional<std::string> write_file_atomically(const std::filesystem::path& path,
                                                 std::span<const std::uint8_t> bytes,
                                                 unsigned mode);

}  // namespace showsaver::showpack
