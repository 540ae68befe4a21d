// Holding whole files mapped: the same bytes read_file reads, from ordinary
// files only, and still valid after the pages are let go.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

void write_bytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(PosixMapFile, HoldsWhatReadFileReads) {
  test::TempDir folder;
  PosixFileSystem files;
  std::mt19937 random(3);
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4096},
                                 std::size_t{3 * 4096 + 17}, std::size_t{1} << 20}) {
    Bytes bytes(size);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    const std::string path = folder.file("file-" + std::to_string(size));
    write_bytes(path, bytes);
    const auto held = files.map_file(path);
    ASSERT_NE(held, nullptr) << size;
    EXPECT_TRUE(std::ranges::equal(held->bytes(), bytes)) << size;
    held->release_pages();
    EXPECT_TRUE(std::ranges::equal(held->bytes(), bytes)) << size << " after release_pages";
    // Through a link, as read_file reads.
    ASSERT_EQ(::symlink(path.c_str(), (path + ".link").c_str()), 0);
    const auto linked = files.map_file(path + ".link");
    ASSERT_NE(linked, nullptr) << size;
    EXPECT_TRUE(std::ranges::equal(linked->bytes(), bytes)) << size;
  }
}

TEST(PosixMapFile, NothingButOrdinaryFilesAndNeverWaits) {
  test::TempDir folder;
  PosixFileSystem files;
  ASSERT_EQ(::mkdir(folder.file("folder").c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
  for (const char* name : {"missing", "folder", "pipe"}) {
    EXPECT_EQ(files.map_file(folder.file(name)), nullptr) << name;
  }
}

}  // namespace
}  // namespace showsaver
