// Writing a show's embedded files into its folder, and deleting them again.
#pragma once

#include <string>
#include <vector>

#include "package/show_package.h"
#include "platform/file_system.h"

namespace showsaver {

// The files a show holds, in the order the extraction writes them: the
// music, then every picture, then every sound, each name once from the first
// of the shown scenes that carries it.
enum class ExtractedKind { Music, Picture, Sound };
struct ExtractedFile {
  std::string name;
  const PackageBytes* data = nullptr;
  ExtractedKind kind = ExtractedKind::Picture;
};
std::vector<ExtractedFile> files_to_extract(const ShowPackage& package);

struct ExtractionResult {
  // Empty when every file was written; otherwise what stopped the extraction.
  std::string error;
  bool ok() const { return error.empty(); }
};

// Writes the files into `folder` (which ends with the path separator),
// deleting an existing file of the name first.  A name that is not safe stops
// the extraction before anything is written.  A file that cannot be written
// is skipped.
ExtractionResult extract_show(FileSystem& files, const ShowPackage& package,
                              const std::string& folder);

// The inverse: for each shown scene in order its picture, then its sound,
// then the music, deletes the plain file of that name from `folder`; then
// removes the folder, which stays when something else is still in it.
// Unsafe names, which never reached the disk, never lead a deletion.
void delete_extracted_show(FileSystem& files, const ShowPackage& package,
                           const std::string& folder);

}  // namespace showsaver
