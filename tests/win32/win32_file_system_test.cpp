#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// clang-format off
// Last: <windows.h> defines macros that clash with the seam's constants.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
// clang-format on

namespace showsaver {
namespace {

std::string as_text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 2];
    ASSERT_NE(GetTempPathW(MAX_PATH + 2, temp), 0u);
    std::wstring folder = std::wstring(temp) + L"showsaver-test-" +
                          std::to_wstring(GetCurrentProcessId()) + L"-\u30C6\u30B9\u30C8";
    ASSERT_NE(CreateDirectoryW(folder.c_str(), nullptr), FALSE);
    wide_folder_ = folder + L"\\";
    // The same folder as the program names it, in UTF-8.
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide_folder_.c_str(), -1, nullptr, 0, nullptr, nullptr);
    folder_.resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, wide_folder_.c_str(), -1, folder_.data(), size, nullptr,
                        nullptr);
    folder_.pop_back();
  }

  void TearDown() override {
    for (const wchar_t* name :
         {L"a", L"\u97F3.wav", L"set", L"set.new", L"hidden", L"sub", L"mark"}) {
      const std::wstring path = wide_folder_ + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
      RemoveDirectoryW(path.c_str());
    }
    RemoveDirectoryW(wide_folder_.c_str());
  }

  Win32FileSystem files_;
  std::string folder_;  // UTF-8, ending with "\"
  std::wstring wide_folder_;
};

TEST_F(Win32FileSystemTest, CreatesFilesOnceUnderTheirJapaneseNames) {
  const std::string sound = folder_ + "音.wav";
  EXPECT_FALSE(files_.exists(sound));
  EXPECT_FALSE(files_.read_file(sound));
  ASSERT_TRUE(files_.write_new_file(sound, "RIFF"));
  EXPECT_FALSE(files_.write_new_file(sound, "other")) << "an existing name is never reused";
  EXPECT_TRUE(files_.exists(sound));
  EXPECT_TRUE(files_.is_plain_file(sound));
  // The name reached the disk as UTF-16, not as the UTF-8 bytes.
  EXPECT_NE(GetFileAttributesW((wide_folder_ + L"\u97F3.wav").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(as_text(*files_.read_file(sound)), "RIFF");
  EXPECT_TRUE(files_.delete_file(sound));
  EXPECT_FALSE(files_.exists(sound));
  EXPECT_FALSE(files_.delete_file(sound));
}

TEST_F(Win32FileSystemTest, PlainFilesAreNeitherFoldersNorHiddenNorSystemFiles) {
  const std::string sub = folder_ + "sub";
  const std::string hidden = folder_ + "hidden";
  ASSERT_EQ(files_.create_folder(sub), CreateFolderResult::Created);
  EXPECT_EQ(files_.create_folder(sub), CreateFolderResult::AlreadyExists);
  EXPECT_EQ(files_.create_folder(folder_ + "missing\\sub"), CreateFolderResult::Failed);
  ASSERT_TRUE(files_.write_new_file(hidden, "x"));
  EXPECT_TRUE(files_.is_plain_file(hidden));
  for (const DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    SetFileAttributesW((wide_folder_ + L"hidden").c_str(), attribute);
    EXPECT_FALSE(files_.is_plain_file(hidden)) << attribute;
    EXPECT_TRUE(files_.exists(hidden));
  }
  EXPECT_TRUE(files_.exists(sub));
  EXPECT_FALSE(files_.is_plain_file(sub));
  EXPECT_FALSE(files_.is_plain_file(folder_ + "missing"));
  EXPECT_FALSE(files_.remove_folder(folder_)) << "a folder that is not empty stays";
  EXPECT_TRUE(files_.remove_folder(sub));
  EXPECT_FALSE(files_.exists(sub));
}

TEST_F(Win32FileSystemTest, ReplacingLeavesExactlyTheNewContents) {
  const std::string settings = folder_ + "set";
  ASSERT_TRUE(files_.write_new_file(settings, "a longer old settings file"));
  // A leftover from an interrupted write does not stand in the way.
  ASSERT_TRUE(files_.write_new_file(settings + ".new", "stale"));
  ASSERT_TRUE(files_.replace_file(settings, std::string_view("\xFF\xFF\x00\x00", 4)));
  EXPECT_EQ(as_text(*files_.read_file(settings)), std::string("\xFF\xFF\x00\x00", 4));
  EXPECT_FALSE(files_.exists(settings + ".new"));
  EXPECT_TRUE(files_.replace_file(folder_ + "a", "new file"));
  EXPECT_EQ(as_text(*files_.read_file(folder_ + "a")), "new file");
  EXPECT_FALSE(files_.replace_file(folder_ + "missing\\set", "x"));
}

TEST_F(Win32FileSystemTest, TakesBackWhatItMadeAndNothingElse) {
  ASSERT_TRUE(files_.write_new_file(folder_ + "a", "not made by the show"));
  Win32FileSystem show;
  const std::string sub = folder_ + "sub";
  ASSERT_EQ(show.create_folder(sub), CreateFolderResult::Created);
  ASSERT_TRUE(show.write_new_file(sub + "\\\u97F3.wav", "RIFF"));
  ASSERT_TRUE(show.write_new_file(sub + "\\set", "gone already"));
  ASSERT_TRUE(show.delete_file(sub + "\\set"));
  // A settings file is the user's, however it was written.
  ASSERT_TRUE(show.replace_file(folder_ + "set", "kept"));
  show.remove_what_it_made();
  EXPECT_FALSE(files_.exists(sub));
  EXPECT_EQ(as_text(*files_.read_file(folder_ + "a")), "not made by the show");
  EXPECT_EQ(as_text(*files_.read_file(folder_ + "set")), "kept");
}

// The string forms of the SIDs `path`'s access list grants full control,
// inherited by what is made inside, beside its owner's and the number of
// entries in the list.
struct FolderAccess {
  std::set<std::wstring> full_control;
  std::wstring owner;
  std::size_t entries = 0;
};

std::wstring sid_text(PSID sid) {
  wchar_t* text = nullptr;
  if (ConvertSidToStringSidW(sid, &text) == FALSE) return L"?";
  std::wstring result = text;
  LocalFree(text);
  return result;
}

FolderAccess folder_access(const std::wstring& path) {
  FolderAccess access;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PACL list = nullptr;
  PSID owner = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                            DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &owner, nullptr,
                            &list, nullptr, &descriptor) != ERROR_SUCCESS) {
    ADD_FAILURE() << "no security information";
    return access;
  }
  access.owner = sid_text(owner);
  for (DWORD index = 0; list != nullptr && index < list->AceCount; ++index) {
    void* entry = nullptr;
    if (GetAce(list, index, &entry) == FALSE) continue;
    ++access.entries;
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
    constexpr BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
    if (allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
        (allowed->Mask & FILE_ALL_ACCESS) == FILE_ALL_ACCESS &&
        (allowed->Header.AceFlags & kInherited) == kInherited) {
      access.full_control.insert(sid_text(const_cast<DWORD*>(&allowed->SidStart)));
    }
  }
  LocalFree(descriptor);
  return access;
}

TEST_F(Win32FileSystemTest, AHeldMarkIsNobodyElsesAndGoesWithItsHolder) {
  const std::string mark = folder_ + "mark";
  {
    const auto held = files_.hold_new_marker(mark, "a.bmp\n");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(files_.hold_new_marker(mark, "again"), nullptr) << "made only once";
    // Held: another opening of it, as another copy would try, fails.
    EXPECT_FALSE(files_.take_abandoned_marker(mark, 100));
    EXPECT_FALSE(files_.delete_file(mark));
    const std::vector<std::string> names = files_.folder_entries(folder_);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), std::set<std::string>{"mark"});
  }
  EXPECT_FALSE(files_.exists(mark)) << "dropped with its holder";
  // As a killed holder leaves it: taken over, its contents read.
  ASSERT_TRUE(files_.write_new_file(mark, "a.bmp\nb.wav\n"));
  const auto taken = files_.take_abandoned_marker(mark, 100);
  ASSERT_TRUE(taken);
  EXPECT_EQ(as_text(*taken), "a.bmp\nb.wav\n");
  EXPECT_TRUE(files_.is_own_folder(folder_));
  EXPECT_FALSE(files_.is_own_folder(mark));
  ASSERT_TRUE(files_.delete_file(mark));
  {
    const auto held = files_.hold_new_marker(mark, "");
    ASSERT_NE(held, nullptr);
    files_.remove_what_it_made();
    EXPECT_FALSE(files_.exists(mark)) << "the session's end takes it too";
  }
}

TEST_F(Win32FileSystemTest, AFolderItMakesIsTheUsersAloneAndTheSystems) {
  ASSERT_EQ(files_.create_folder(folder_ + "sub"), CreateFolderResult::Created);
  const FolderAccess access = folder_access(wide_folder_ + L"sub");
  // Windows reports the list protected from the parent's; Wine, which
  // inherits nothing and makes up a list of its own for a folder made
  // without one (everyone may read it), keeps the list but not that flag.
  EXPECT_EQ(access.entries, 2u);
  // S-1-5-18: the system.
  EXPECT_EQ(access.full_control, (std::set<std::wstring>{access.owner, L"S-1-5-18"}));
}

}  // namespace
}  // namespace showsaver
