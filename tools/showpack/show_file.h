// Writing a built show to its file: the player's bytes, then the package's
// block streamed from the package's own buffers, so that the pictures are
// never held twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "package/show_package.h"
#include "platform/text_codec.h"

namespace showsaver::showpack {

struct ShowFileWritten {
  std::size_t size = 0;              // the file's bytes, when written
  std::optional<std::string> error;  // what went wrong; the path is then untouched
};

// Writes `player` (empty for a bare package) followed by the package's block
// to `path` with the permission bits `mode`, atomically: on any error, a
// package that cannot be stored or a failed write, `path` keeps its old
// contents (or stays absent) and no temporary file is left.
ShowFileWritten write_show_file(const std::filesystem::path& path,
                                std::span<const std::uint8_t> player, const ShowPackage& package,
                                const TextCodec& codec, unsigned mode);

}  // namespace showsaver::showpack
