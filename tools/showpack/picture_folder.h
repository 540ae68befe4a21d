// The pictures of a folder for `new`: every file judged by its content, the
// ones that are no picture this showpack can show listed with the reason,
// in natural order or by the date they were taken.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace showsaver::showpack {

struct FoundPicture {
  std::filesystem::path path;
  std::string name;                       // relative to the folder, '/'-separated
  std::optional<std::string> date_taken;  // EXIF DateTimeOriginal, "YYYY:MM:DD HH:MM:SS"
};

struct SkippedFile {
  std::string name;  // relative to the folder
  std::string reason;
};

struct PictureFolder {
  std::vector<FoundPicture> pictures;
  std::vector<SkippedFile> skipped;
  std::optional<std::string> error;  // the folder cannot be read
};

enum class PictureOrder { name, date };

// The folder's pictures, and its subfolders' with `recursive`.
PictureFolder scan_picture_folder(const std::filesystem::path& folder, bool recursive,
                                  PictureOrder order);

// Sorts by natural order of the names; by date taken, the undated last.
void order_pictures(std::vector<FoundPicture>& pictures, PictureOrder order);

}  // namespace showsaver::showpack
