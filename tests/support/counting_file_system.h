// A file system that forwards to the real one and remembers what was asked.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"

namespace showsaver::test {

class CountingFileSystem final : public FileSystem {
 public:
  std::vector<std::string> reads;
  std::vector<std::string> writes;
  std::vector<std::string> deletions;
  std::vector<std::string> folders_created;
  // Called before each read and each new file, with the path: a test makes
  // the file system fail there by throwing.
  std::function<void(const std::string&)> before_read;
  std::function<void(const std::string&)> before_write;

  bool exists(const std::string& path) override { return real_.exists(path); }
  bool is_plain_file(const std::string& path) override { return real_.is_plain_file(path); }
  CreateFolderResult create_folder(const std::string& path) override {
    folders_created.push_back(path);
    return real_.create_folder(path);
  }
  bool remove_folder(const std::string& path) override { return real_.remove_folder(path); }
  bool delete_file(const std::string& path) override {
    deletions.push_back(path);
    return real_.delete_file(path);
  }
  bool write_new_file(const std::string& path, std::string_view data) override {
    writes.push_back(path);
    if (before_write) before_write(path);
    return real_.write_new_file(path, data);
  }
  bool replace_file(const std::string& path, std::string_view data) override {
    writes.push_back(path);
    return real_.replace_file(path, data);
  }
  std::optional<Bytes> read_file_prefix(const std::string& path, std::size_t max_bytes) override {
    reads.push_back(path);
    if (before_read) before_read(path);
    return real_.read_file_prefix(path, max_bytes);
  }
  std::vector<std::string> folder_entries(const std::string& folder) override {
    return real_.folder_entries(folder);
  }
  bool is_own_folder(const std::string& path) override { return real_.is_own_folder(path); }
  std::unique_ptr<HeldMarker> hold_new_marker(const std::string& path,
                                              std::string_view contents) override {
    return real_.hold_new_marker(path, contents);
  }
  std::optional<Bytes> take_abandoned_marker(const std::string& path,
                                             std::size_t max_bytes) override {
    return real_.take_abandoned_marker(path, max_bytes);
  }
  std::shared_ptr<const FileContents> map_file(const std::string& path) override {
    reads.push_back(path);
    if (before_read) before_read(path);
    return real_.map_file(path);
  }

 private:
  PosixFileSystem real_;
};

}  // namespace showsaver::test
