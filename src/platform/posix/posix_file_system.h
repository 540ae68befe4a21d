// The file system on POSIX systems.
#pragma once

#include "platform/file_system.h"

namespace showsaver {

class PosixFileSystem final : public FileSystem {
 public:
  bool exists(const std::string& path) override;
  bool is_plain_file(const std::string& path) override;
  CreateFolderResult create_folder(const std::string& path) override;
  bool remove_folder(const std::string& path) override;
  bool delete_file(const std::string& path) override;
  bool write_new_file(const std::string& path, std::string_view data) override;
  bool replace_file(const std::string& path, std::string_view data) override;
  std::optional<Bytes> read_file_prefix(const std::string& path, std::size_t max_bytes) override;
  std::vector<std::string> folder_entries(const std::string& folder) override;
  bool is_own_folder(const std::string& path) override;
  // Locked with flock: written under a name of its own, locked, then renamed
  // into place, so that it is never seen unlocked while its holder lives.
  std::unique_ptr<HeldMarker> hold_new_marker(const std::string& path,
                                              std::string_view contents) override;
  std::optional<Bytes> take_abandoned_marker(const std::string& path,
                                             std::size_t max_bytes) override;
  // Mapped with mmap (private, read-only); read when mapping fails.
  std::shared_ptr<const FileContents> map_file(const std::string& path) override;
};

}  // namespace showsaver
