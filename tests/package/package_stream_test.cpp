// Writing a block into a sink as it goes: the same bytes as in memory, the
// package's arrays handed over where they lie, and every refusal or sink
// failure stopping the writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "package/package_reader.h"
#include "package/package_sink.h"
#include "package/package_writer.h"
#include "support/package_builder.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::ByteVector;
using test::PackageBuilder;
using test::RawPackage;

// Keeps every piece it is given, and fails the `fail_at`-th write (1-based)
// when that is set.
class RecordingSink final : public PackageSink {
 public:
  explicit RecordingSink(std::size_t fail_at = 0) : fail_at_(fail_at) {}

  void expect(std::size_t count) override { expected.push_back(count); }
  std::optional<std::string> write(std::span<const std::uint8_t> bytes) override {
    pieces.push_back(bytes);
    if (pieces.size() == fail_at_) return "the disk is full";
    joined.insert(joined.end(), bytes.begin(), bytes.end());
    return std::nullopt;
  }

  std::vector<std::size_t> expected;
  std::vector<std::span<const std::uint8_t>> pieces;
  ByteVector joined;

 private:
  std::size_t fail_at_;
};

struct StreamCase {
  const char* name;
  ShowPackage package;
  ByteVector stored = {};  // for a package read from stored bytes: those bytes
  friend void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }
};

ShowPackage read_back(const ByteVector& block) {
  PackageReadResult read = read_show_package(block, test::text_codec());
  EXPECT_TRUE(read.ok()) << read.error->message();
  return read.package;
}

std::vector<StreamCase> stream_cases() {
  RawPackage empty_arrays;
  // An empty music array, then a scene array of one scene whose picture and
  // sound arrays are empty.
  empty_arrays.fixed_header(1, 1, 0, 0, 1).text("").array({}).array_header(1, 1, 0);
  empty_arrays.text("p").text("s").i32(0).i32(0).i32(0).i32(0).i16(0).i16(0).array({}).array({});
  RawPackage absent_arrays;
  absent_arrays.fixed_header(1, 1, 0, 0, 0).text("").absent_array().absent_array();
  const std::string longest(65535, 'n');
  return {
      {"ScenesMusicAndSounds", PackageBuilder(640, 480)
                                   .music("曲.mid", {'M', 'T', 'h', 'd'})
                                   .scene("背景.bmp")
                                   .sound("ｶﾀｶﾅ.wav", {'R', 'I', 'F', 'F'})
                                   .scene("sprite", test::fake_bitmap_file(70000, 3))
                                   .scene("背景.bmp")
                                   .build()},
      {"NoScenes", PackageBuilder(1, 1).build()},
      {"EmptyArrays", read_back(empty_arrays.block()), empty_arrays.block()},
      {"AbsentArrays", read_back(absent_arrays.block()), absent_arrays.block()},
      {"LongestNames",
       PackageBuilder(2, 2).music(longest, {1}).scene(longest).sound(longest, {2}).build()},
  };
}

class PackageStream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(PackageStream, GivesTheBlockWithTheArraysHandedOverWhereTheyLie) {
  const ShowPackage& package = GetParam().package;
  RecordingSink sink;
  const PackageStreamResult result = stream_package_block(package, test::text_codec(), sink);
  ASSERT_TRUE(result.ok());
  const PackageWriteResult in_memory = write_package_block(package, test::text_codec());
  ASSERT_TRUE(in_memory.ok());
  EXPECT_EQ(sink.joined, in_memory.bytes);
  EXPECT_EQ(result.size, sink.joined.size());
  EXPECT_EQ(sink.expected, std::vector<std::size_t>{sink.joined.size()});
  EXPECT_EQ(read_back(sink.joined), package);
  if (!GetParam().stored.empty()) {
    EXPECT_EQ(sink.joined, GetParam().stored);
  }

  // Each non-empty array reached the sink as one piece, from its own buffer.
  const auto handed_over = [&](const PackageBytes& array) {
    return array.size() == 0 ||
           std::any_of(sink.pieces.begin(), sink.pieces.end(), [&](const auto& piece) {
             return piece.data() == array.data() && piece.size() == array.size();
           });
  };
  EXPECT_TRUE(handed_over(package.BgmData));
  if (!package.Scenes) return;
  for (const SceneRecord& scene : *package.Scenes) {
    EXPECT_TRUE(handed_over(scene.PictureData) && handed_over(scene.SoundData));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PackageStream, ::testing::ValuesIn(stream_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(PackageStreamFailure, TheSinksErrorStopsTheWritingWherever) {
  const ShowPackage package =
      PackageBuilder(8, 8).music("m", {1, 2}).scene("a").sound("s", {3}).scene("b").build();
  RecordingSink whole;
  ASSERT_TRUE(stream_package_block(package, test::text_codec(), whole).ok());
  ASSERT_GT(whole.pieces.size(), 3u);
  for (std::size_t fail_at = 1; fail_at <= whole.pieces.size(); ++fail_at) {
    RecordingSink failing(fail_at);
    const PackageStreamResult result = stream_package_block(package, test::text_codec(), failing);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.sink_error, "the disk is full") << fail_at;
    EXPECT_FALSE(result.error);
    EXPECT_EQ(failing.pieces.size(), fail_at) << "written after the failure";
  }
}

TEST(PackageStreamFailure, ARefusedPackageReachesNoSink) {
  // Behind a program image that leaves the block no room in 32-bit positions.
  const std::size_t image = std::numeric_limits<std::int32_t>::max() - 100;
  RecordingSink sink;
  const PackageStreamResult result = stream_package_block(PackageBuilder(1, 1).scene("a").build(),
                                                          test::text_codec(), sink, image);
  ASSERT_TRUE(result.error);
  EXPECT_EQ(result.error->field, "FileSize");
  EXPECT_TRUE(sink.pieces.empty());
  EXPECT_TRUE(sink.expected.empty());
}

}  // namespace
}  // namespace showsaver
