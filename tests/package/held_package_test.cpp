// Reading a package from a held file: the same package and the same errors
// as the copying read, with the arrays pointing into the file, which the
// package keeps alive.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "package/package_reader.h"
#include "package/package_writer.h"
#include "support/package_builder.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::PackageBuilder;

class HeldBytes final : public FileContents {
 public:
  explicit HeldBytes(ByteVector bytes) : bytes_(std::move(bytes)) {}
  std::span<const std::uint8_t> bytes() const override { return bytes_; }

 private:
  ByteVector bytes_;
};

std::vector<const PackageBytes*> arrays_of(const ShowPackage& package) {
  std::vector<const PackageBytes*> arrays{&package.BgmData};
  if (package.Scenes) {
    for (const SceneRecord& scene : *package.Scenes) {
      arrays.push_back(&scene.PictureData);
      arrays.push_back(&scene.SoundData);
    }
  }
  return arrays;
}

void expect_same_read(const ByteVector& file, const std::string& what) {
  const auto held = std::make_shared<HeldBytes>(file);
  const std::span<const std::uint8_t> whole = held->bytes();
  const PackageReadResult copied = read_show_package(file, test::text_codec());
  const PackageReadResult read = read_show_package(held, test::text_codec());
  ASSERT_EQ(read.error, copied.error) << what;
  EXPECT_EQ(read.package, copied.package) << what;
  EXPECT_EQ(read.record_offset, copied.record_offset) << what;
  EXPECT_EQ(read.block_length, copied.block_length) << what;
  if (!read.ok()) {
    EXPECT_EQ(read.package.file.contents, nullptr) << what;
    return;
  }
  EXPECT_EQ(read.package.file.contents, held) << what;
  for (const PackageBytes* array : arrays_of(read.package)) {
    if (!array->present()) continue;
    ASSERT_FALSE(array->bytes) << what << ": an array was copied";
    EXPECT_GE(array->in_file->data(), whole.data()) << what;
    EXPECT_LE(array->in_file->data() + array->in_file->size(), whole.data() + whole.size()) << what;
  }
}

std::vector<ShowPackage> samples() {
  return {
      PackageBuilder(250, 250).scene("0").display_time(5000).at(-1, 49).build(),
      PackageBuilder(640, 480)
          .has_settings()
          .music("曲.mid", {'M', 'T', 'h', 'd'})
          .scene("背景.bmp")
          .sound("s.wav", {'R', 'I', 'F', 'F'})
          .scene("sprite")
          .sound("empty.wav", {})
          .scene("背景.bmp")
          .sound("s.wav", {'R', 'I', 'F', 'F'})
          .build(),
      PackageBuilder(1, 1).build(),
  };
}

TEST(HeldPackage, ReadsAsTheCopyingReadDoes) {
  const ByteVector image = test::fake_program_image(300);
  for (const ShowPackage& package : samples()) {
    const ByteVector block = test::package_block(package);
    ByteVector file = image;
    file.insert(file.end(), block.begin(), block.end());
    expect_same_read(block, "bare block");
    expect_same_read(file, "behind a program");
    // Every cut and random damage: the same errors, or the same package.
    for (std::size_t length = 0; length < block.size(); length += 3) {
      ByteVector cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
      expect_same_read(cut, "cut at " + std::to_string(length));
    }
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
      ByteVector damaged = file;
      damaged[image.size() + random() % block.size()] = static_cast<std::uint8_t>(random());
      expect_same_read(damaged, "damage round " + std::to_string(round));
    }
  }
  expect_same_read({}, "empty file");
}

TEST(HeldPackage, KeepsItsFileAliveAndWritesBack) {
  const ShowPackage built = samples()[1];
  const ByteVector block = test::package_block(built);
  auto held = std::make_shared<HeldBytes>(block);
  const std::weak_ptr<HeldBytes> watch = held;
  ShowPackage copy;
  {
    const PackageReadResult read = read_show_package(std::move(held), test::text_codec());
    ASSERT_TRUE(read.ok()) << read.error->message();
    copy = read.package;
  }
  EXPECT_FALSE(watch.expired()) << "the package's copy holds the file";
  EXPECT_EQ(copy, built);
  EXPECT_EQ(write_package_block(copy, test::text_codec()).bytes, block);
  copy = ShowPackage{};
  EXPECT_TRUE(watch.expired()) << "the last package let the file go";
  EXPECT_TRUE(read_show_package(std::shared_ptr<const FileContents>{}, test::text_codec()).error);
}

}  // namespace
}  // namespace showsaver
