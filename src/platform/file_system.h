// The file-system seam: the few file operations the start-up, the extraction
// and the teardown make, with the safety each needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace showsaver {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

using Bytes = std::vector<std::uint8_t>;

enum class CreateFolderResult { Created, AlreadyExists, Failed };

// The bytes of a whole file, held read-only for as long as this object lives.
class FileContents {
 public:
  virtual ~FileContents() = default;
  virtual std::span<const std::uint8_t> bytes() const = 0;
  // A hint that the bytes will not be looked at again soon: mapped pages may
  // leave the process's memory (they come back from the file when touched).
  // The bytes stay valid.
  virtual void release_pages() const {}
};

// A marker file held by the process that made it: while this object lives,
// no other process can take it over (see FileSystem::take_abandoned_marker).
// Dropping it deletes the file.
class HeldMarker {
 public:
  virtual ~HeldMarker() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when anything (file, folder, link) of that name exists.
  virtual bool exists(const std::string& path) = 0;
  // True for an ordinary file: not a folder, not hidden, not a system file.
  virtual bool is_plain_file(const std::string& path) = 0;
  // Creates one folder level, private to the user; never reuses an existing one.
  virtual CreateFolderResult create_folder(const std::string& path) = 0;
  // Removes an empty folder.
  virtual bool remove_folder(const std::string& path) = 0;
  virtual bool delete_file(const std::string& path) = 0;
  // Creates a new file (failing when the name exists, never following a link)
  // and writes `data` into it.
  virtual bool write_new_file(const std::string& path, std::string_view data) = 0;
  // Writes `data` to a new file beside `path` and renames it over `path`.
  virtual bool replace_file(const std::string& path, std::string_view data) = 0;
  // The contents of an ordinary file (through links), at most `max_bytes` of
  // them.  Nothing for a file that cannot be opened or is not an ordinary
  // file (a folder, a pipe, a device: opening never waits on one).
  virtual std::optional<Bytes> read_file_prefix(const std::string& path, std::size_t max_bytes) = 0;
  std::optional<Bytes> read_file(const std::string& path) {
    return read_file_prefix(path, kWholeFile);
  }

  // The names in `folder` ("." and ".." left out); empty when it cannot be read.
  virtual std::vector<std::string> folder_entries(const std::string& folder) = 0;
  // True for a folder (not a link to one) of the user running the program.
  virtual bool is_own_folder(const std::string& path) = 0;
  // Creates the new file `path` (never through a link) holding `contents`,
  // and holds it for as long as the result lives; nothing when it cannot be
  // made.  The file appears under its name already held.
  virtual std::unique_ptr<HeldMarker> hold_new_marker(const std::string& path,
                                                      std::string_view contents) = 0;
  // The contents (at most `max_bytes`) of the marker `path` when it is an
  // ordinary file of this user that no running process holds any more: its
  // holder was killed.  Nothing when it is held, or is no such file.
  virtual std::optional<Bytes> take_abandoned_marker(const std::string& path,
                                                     std::size_t max_bytes) = 0;

  // The whole of an ordinary file, like read_file, held as one block that is
  // never copied: mapped into memory where the system can, else read.
  // Nothing where read_file gives nothing.  A mapped file must not be cut
  // short while it is held.
  virtual std::shared_ptr<const FileContents> map_file(const std::string& path);

  static constexpr std::size_t kWholeFile = static_cast<std::size_t>(-1);
};

}  // namespace showsaver
