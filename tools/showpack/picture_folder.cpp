#include "picture_folder.h"

#include <Magick++.h>

#include <algorithm>
#include <variant>

#include "file_io.h"
#include "natural_order.h"
#include "picture_import.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

// The EXIF date the picture was taken, read from its header only.
std::optional<std::string> date_taken(std::span<const std::uint8_t> file, PictureFormat format) {
  if (format != PictureFormat::jpeg && format != PictureFormat::heic) return std::nullopt;
  start_image_library();
  try {
    Magick::Image image;
    image.quiet(true);
    image.magick(format == PictureFormat::jpeg ? "JPEG" : "HEIC");
    image.ping(Magick::Blob(file.data(), file.size()));
    const std::string date = image.attribute("exif:DateTimeOriginal");
    if (!date.empty()) return date;
  } catch (const Magick::Exception&) {
    // No date: the picture sorts with the undated ones.
  }
  return std::nullopt;
}

class FolderScanner {
 public:
  FolderScanner(const fs::path& folder, bool recursive, PictureOrder order)
      : folder_(folder), recursive_(recursive), order_(order) {}

  PictureFolder run() {
    scan(folder_);
    order_pictures(result_.pictures, order_);
    std::sort(result_.skipped.begin(), result_.skipped.end(),
              [](const SkippedFile& a, const SkippedFile& b) {
                return naturally_before(a.name, b.name);
              });
    return std::move(result_);
  }

 private:
  void scan(const fs::path& folder) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
      const std::string name = utf8(entry.path().lexically_relative(folder_));
      std::error_code status_error;
      if (entry.is_directory(status_error)) {
        if (recursive_) {
          scan(entry.path());
        } else {
          result_.skipped.push_back({name, "is a folder; --recursive takes its pictures too"});
        }
      } else if (!entry.is_regular_file(status_error)) {
        result_.skipped.push_back({name, "is not a regular file"});
      } else {
        judge(entry.path(), name);
      }
    }
    if (error && folder == folder_) result_.error = utf8(folder) + ": " + error.message();
  }

  // A picture when its content is one showpack decodes.
  void judge(const fs::path& path, const std::string& name) {
    const FileRead file = read_whole_file(path);
    if (file.error) {
      result_.skipped.push_back({name, "cannot be read: " + *file.error});
      return;
    }
    const auto header = read_picture_header(file.bytes);
    if (const auto* reason = std::get_if<std::string>(&header)) {
      result_.skipped.push_back({name, *reason});
      return;
    }
    const PictureFormat format = std::get<PictureHeader>(header).format;
    result_.pictures.push_back(
        {path, name, order_ == PictureOrder::date ? date_taken(file.bytes, format) : std::nullopt});
  }

  const fs::path folder_;
  const bool recursive_;
  const PictureOrder order_;
  PictureFolder result_;
};

}  // namespace

PictureFolder scan_picture_folder(const fs::path& folder, bool recursive, PictureOrder order) {
  return FolderScanner(folder, recursive, order).run();
}

void order_pictures(std::vector<FoundPicture>& pictures, PictureOrder order) {
  std::sort(pictures.begin(), pictures.end(),
            [order](const FoundPicture& a, const FoundPicture& b) {
              if (order == PictureOrder::date && a.date_taken != b.date_taken) {
                if (!a.date_taken || !b.date_taken) return a.date_taken.has_value();
                return *a.date_taken < *b.date_taken;  // "YYYY:MM:DD HH:MM:SS" sorts as text
              }
              return naturally_before(a.name, b.name);
            });
}

}  // namespace showsaver::showpack
