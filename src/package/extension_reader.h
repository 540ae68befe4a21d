// Reading the package extension, the block after the scene list.  Hostile
// bytes are refused like any other field: one error naming the field and its
// file offset, nothing read outside the given bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "package/package_error.h"
#include "package/show_extension.h"

namespace showsaver {

struct ExtensionReadResult {
  ShowExtension extension;
  std::optional<PackageError> error;
};

// True when `bytes` begin with the extension's magic.
bool starts_extension(std::span<const std::uint8_t> bytes);

// Reads the extension that fills `bytes` exactly; `offset` is its position
// in the file (for error reports) and `scene_count` the number of stored
// scenes its records may name.
ExtensionReadResult read_show_extension(std::span<const std::uint8_t> bytes, std::int64_t offset,
                                        std::int32_t scene_count);

}  // namespace showsaver
