// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <vector>

namespace showsaver::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending with "/".
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Every entry name in `folder`, sorted.
std::vector<std::string> list_folder(const std::string& folder);
std::string read_text_file(const std::string& path);
void write_text_file(const std::string& path, const std::string& contents);

}  // namespace showsaver::test
