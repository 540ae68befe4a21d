// The file system on Windows, through the wide calls: UTF-8 paths become
// UTF-16, so any name the package holds reaches the disk as it is.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace showsaver {

// Paths are taken as they are written: a 32-bit program on 64-bit Windows
// reads and writes the system folder itself, not SysWOW64.
class Win32FileSystem final : public FileSystem {
 public:
  bool exists(const std::string& path) override;
  bool is_plain_file(const std::string& path) override;
  // The new folder is the user's alone (and the system's): see
  // private_folder.h.
  CreateFolderResult create_folder(const std::string& path) override;
  bool remove_folder(const std::string& path) override;
  bool delete_file(const std::string& path) override;
  // CREATE_NEW, which fails on any existing name, a link among them.
  bool write_new_file(const std::string& path, std::string_view data) override;
  // Writes "<path>.new", then MoveFileExW over `path` (replacing, written through).
  bool replace_file(const std::string& path, std::string_view data) override;
  std::optional<Bytes> read_file_prefix(const std::string& path, std::size_t max_bytes) override;
  std::vector<std::string> folder_entries(const std::string& folder) override;
  // A folder that is no reparse point.  Nobody else can make one where the
  // program looks (the Windows folder, the user's own temp folder).
  bool is_own_folder(const std::string& path) override;
  // Opened for no sharing at all: nobody else opens it while it is held.
  std::unique_ptr<HeldMarker> hold_new_marker(const std::string& path,
                                              std::string_view contents) override;
  std::optional<Bytes> take_abandoned_marker(const std::string& path,
                                             std::size_t max_bytes) override;

  // Removes every file and folder this object made and has not removed
  // since: files first, then the marks it holds, then folders, the newest
  // first.  For the end of the session, which may not wait for the show's
  // own teardown.
  void remove_what_it_made();

 private:
  std::vector<std::string> made_files_;
  std::vector<std::string> made_folders_;
  // The marks held now, each registered by itself for as long as it lives.
  std::vector<HeldMarker*> held_markers_;
};

}  // namespace showsaver
