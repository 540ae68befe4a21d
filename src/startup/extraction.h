// Writing the show's embedded files into the temp folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "startup/show_package.h"

namespace showsaver {

// Why a name from the package may not become a file name, or nothing when it may.
// Refused: path separators, drive or device prefixes, "." and "..", control
// characters, and reserved device names.
std::optional<std::string> unsafe_name_reason(const std::string& name);

// True for the names Windows opens a device for (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), whatever the case, extension or trailing spaces.
bool is_device_name(std::string_view name);

struct ExtractionResult {
  // Empty when every file was written; otherwise what stopped the extraction.
  std::string error;
  bool ok() const { return error.empty(); }
};

// Writes the music, then every picture, then every sound, each name once from
// its first scene, deleting an existing file of the name first.  A name that
// is not safe stops the extraction before anything is written.  A file that
// cannot be written is skipped.
ExtractionResult extract_show(FileSystem& files, const ShowPackage& package,
                              const std::string& temp_folder);

// The names the extraction writes, in the order it writes them.
enum class ExtractedKind { Music, Picture, Sound };
struct ExtractedFile {
  std::string name;
  const PackageBytes* data = nullptr;
  ExtractedKind kind = ExtractedKind::Picture;
};
std::vector<ExtractedFile> files_to_extract(const ShowPackage& package);

}  // namespace showsaver
