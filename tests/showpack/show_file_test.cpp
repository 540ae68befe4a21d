// Writing a built show to its file: the player and the streamed block give
// the bytes the in-memory writer gives, and a failed write leaves the old
// file and no temporary one.
#include "showpack/show_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include "package/package_writer.h"
#include "showpack/title_slot.h"
#include "support/package_builder.h"
#include "support/string_table.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver::showpack {
namespace {

using test::ByteVector;

ByteVector read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), {});
}

ShowPackage holiday_show() {
  return test::PackageBuilder(640, 480)
      .music("旅.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6})
      .scene("海.bmp", test::fake_bitmap_file(50000, 1))
      .sound("波.wav", {'R', 'I', 'F', 'F'})
      .scene("山.bmp", test::fake_bitmap_file(30000, 2))
      .scene("海.bmp")
      .build();
}

ByteVector titled_player() {
  ByteVector player = test::program_with_block(test::player_string_table());
  EXPECT_EQ(write_title(player, "夏の旅"), std::nullopt);
  return player;
}

struct PlayerCase {
  const char* name;
  ByteVector player;
  friend void PrintTo(const PlayerCase& c, std::ostream* os) { *os << c.name; }
};

class ShowFile : public ::testing::TestWithParam<PlayerCase> {};

TEST_P(ShowFile, HoldsThePlayerAndTheBlockAsWrittenInMemory) {
  const test::TempDir dir;
  const std::string path = dir.file("holiday.scr");
  const ShowPackage package = holiday_show();
  const ShowFileWritten written =
      write_show_file(path, GetParam().player, package, test::text_codec(), 0755);
  ASSERT_EQ(written.error, std::nullopt);
  const PackageWriteResult expected =
      append_package_block(GetParam().player, package, test::text_codec());
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(read_file(path), expected.bytes);
  EXPECT_EQ(written.size, expected.bytes.size());
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0755u);
  EXPECT_EQ(test::list_folder(dir.path()), std::vector<std::string>{"holiday.scr"});
}

INSTANTIATE_TEST_SUITE_P(Players, ShowFile,
                         ::testing::Values(PlayerCase{"BarePackage", {}},
                                           PlayerCase{"Player", test::fake_program_image(5000)},
                                           PlayerCase{"TitledPlayer", titled_player()}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// Files may grow to `limit` bytes while it lives; a write beyond fails with
// EFBIG instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) : old_handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit lowered = old_limit_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_limit_{};
  void (*old_handler_)(int);
};

TEST(ShowFileFailure, AWriteErrorMidwayKeepsTheOldFileAndLeavesNoOther) {
  const test::TempDir dir;
  const std::string path = dir.file("holiday.scr");
  test::write_text_file(path, "the old show");
  const ByteVector player = test::fake_program_image(5000);
  ShowFileWritten written;
  {
    // Room for the player and part of the first picture.
    const FileSizeLimit limit(5000 + 20000);
    written = write_show_file(path, player, holiday_show(), test::text_codec(), 0755);
  }
  ASSERT_TRUE(written.error);
  EXPECT_NE(written.error->find("cannot write " + path + "."), std::string::npos) << *written.error;
  EXPECT_EQ(test::read_text_file(path), "the old show");
  EXPECT_EQ(test::list_folder(dir.path()), std::vector<std::string>{"holiday.scr"});
}

}  // namespace
}  // namespace showsaver::showpack
