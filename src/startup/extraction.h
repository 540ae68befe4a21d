// Writing the show's embedded files into the temp folder.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "startup/show_package.h"

namespace showsaver {

// Why a name from the package may not become a file name, or nothing when it may.
// Refused: path separators, drive or device prefixes, "." and "..", control
// characters, and reserved device names.
std::optional<std::string> unsafe_name_reason(const std::string& name);

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
struct ExtractedFile {
  std::string name;
  const PackageBytes* data = nullptr;
};
std::vector<ExtractedFile> files_to_extract(const ShowPackage& package);

}  // namespace showsaver
