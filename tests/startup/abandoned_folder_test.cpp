// The numbered folders that copies killed while they played left behind:
// removed at the next start when their mark says they are ours and no
// running copy holds it; anything else stays as it is.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "package/file_names.h"
#include "platform/posix/posix_file_system.h"
#include "startup/temp_folder.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

using test::list_folder;
using test::write_text_file;

const std::string kMarker(kInUseMarkerName);

class AbandonedFolders : public testing::Test {
 protected:
  // A folder as a show leaves it: its files and a mark that lists them.
  void leave_folder(const std::string& name, const std::vector<std::string>& names,
                    const std::string& listing) {
    std::filesystem::create_directory(parent.file(name));
    for (const std::string& file : names) write_text_file(parent.file(name + "/" + file), "x");
    write_text_file(parent.file(name + "/" + kMarker), listing);
  }

  test::TempDir parent;
  test::TempDir elsewhere;
  PosixFileSystem files;
};

TEST_F(AbandonedFolders, OnlyOurUnheldFoldersGoAndOnlyWithTheFilesTheirMarkLists) {
  leave_folder("temp1", {"a.bmp", "music.mid"}, "a.bmp\nmusic.mid\n");
  // Listed but gone already, or never written: no matter.
  leave_folder("temp2", {"a.bmp"}, "a.bmp\nmissing.wav\n");
  // Something the show did not put there keeps the folder.
  leave_folder("temp3", {"a.bmp", "notes.txt"}, "a.bmp\n");
  // No mark: someone else's folder of the same name.
  std::filesystem::create_directory(parent.file("temp4"));
  write_text_file(parent.file("temp4/a.bmp"), "x");
  // Not a numbered name.
  leave_folder("temp", {"a.bmp"}, "a.bmp\n");
  leave_folder("tempo", {"a.bmp"}, "a.bmp\n");
  // A mark that names files outside its folder: one that exists, reached
  // from the folder by its relative path, and an absolute one.
  write_text_file(elsewhere.file("precious"), "keep");
  std::filesystem::create_directory(parent.file("temp5"));
  const std::string outside =
      std::filesystem::relative(elsewhere.file("precious"), parent.file("temp5")).string();
  ASSERT_TRUE(std::filesystem::is_regular_file(parent.file("temp5/" + outside))) << outside;
  leave_folder("temp5", {}, outside + "\n" + elsewhere.file("precious") + "\n");
  // A link to a folder with an abandoned mark is not a folder of ours.
  std::filesystem::create_directory(elsewhere.file("linked"));
  write_text_file(elsewhere.file("linked/a.bmp"), "x");
  write_text_file(elsewhere.file("linked/" + kMarker), "a.bmp\n");
  std::filesystem::create_directory_symlink(elsewhere.file("linked"), parent.file("temp6"));

  remove_abandoned_temp_folders(files, parent.path());

  EXPECT_EQ(list_folder(parent.path()),
            (std::vector<std::string>{"temp", "temp3", "temp4", "temp6", "tempo"}));
  EXPECT_EQ(list_folder(parent.file("temp3")), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(list_folder(parent.file("temp4")), std::vector<std::string>{"a.bmp"});
  EXPECT_EQ(list_folder(parent.file("temp")), (std::vector<std::string>{"a.bmp", kMarker}));
  EXPECT_EQ(test::read_text_file(elsewhere.file("precious")), "keep");
  EXPECT_EQ(list_folder(elsewhere.file("linked")), (std::vector<std::string>{"a.bmp", kMarker}));
}

TEST_F(AbandonedFolders, ARunningCopysFolderStaysAndGoesWithItsMarkOnceItEnds) {
  ASSERT_EQ(files.create_folder(parent.file("temp1")), CreateFolderResult::Created);
  write_text_file(parent.file("temp1/a.bmp"), "x");
  {
    // Held through a descriptor of its own, as another process holds it.
    const auto in_use = mark_in_use(files, parent.file("temp1/"), {"a.bmp"});
    ASSERT_NE(in_use, nullptr);
    EXPECT_EQ(list_folder(parent.file("temp1")), (std::vector<std::string>{"a.bmp", kMarker}));
    remove_abandoned_temp_folders(files, parent.path());
    EXPECT_EQ(list_folder(parent.file("temp1")), (std::vector<std::string>{"a.bmp", kMarker}));
  }
  EXPECT_EQ(list_folder(parent.file("temp1")), std::vector<std::string>{"a.bmp"})
      << "the mark goes with its holder";
}

TEST_F(AbandonedFolders, NoShowFileMayTakeTheMarksName) {
  for (const char* name : {"~showsaver-in-use", "~ShowSaver-In-Use"}) {
    EXPECT_TRUE(unsafe_name_reason(name)) << name;
  }
  EXPECT_FALSE(unsafe_name_reason("~showsaver-in-use.bmp"));
}

}  // namespace
}  // namespace showsaver
