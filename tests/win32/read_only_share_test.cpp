// A show run from a network share the user cannot write (a UNC path, as a
// policy sets it): its paths keep the server and share, and its settings go
// to the user's own folder and are read back from there the next time.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/program_file.h"
#include "platform/win32/win32_file_system.h"
#include "startup/program_paths.h"
#include "startup/settings_file.h"

// clang-format off
// Last: <windows.h> defines macros that clash with the seam's constants.
#include <windows.h>
// clang-format on

namespace showsaver::win32 {
namespace {

TEST(NetworkSharePaths, KeepTheServerAndShareAndTakeTheProgramsBaseName) {
  const struct {
    const char* program;
    const char* package;
    const char* settings;
  } cases[] = {
      {R"(\\server\share\dir\Show.scr)", R"(\\server\share\dir\Show.scr)",
       R"(\\server\share\dir\Show.set)"},
      {R"(\\server\share\Show.SCR)", R"(\\server\share\Show.scr)", R"(\\server\share\Show.set)"},
      {R"(\\?\UNC\server\share\d.x\sun.set.scr)", R"(\\?\UNC\server\share\d.x\sun.set.scr)",
       R"(\\?\UNC\server\share\d.x\sun.set.set)"},
  };
  for (const auto& c : cases) {
    const ProgramPaths paths = program_paths_for(c.program, R"(C:\Users\me\AppData\showsaver\)");
    EXPECT_EQ(paths.ProgramPackagePath, c.package) << c.program;
    EXPECT_EQ(paths.SettingsFile, c.settings) << c.program;
    EXPECT_EQ(paths.user_settings_file,
              std::string(R"(C:\Users\me\AppData\showsaver\)") +
                  paths.SettingsFile.substr(paths.SettingsFile.find_last_of('\\') + 1));
  }
  EXPECT_EQ(program_base_name(LR"(\\server\share\Dir\Show.SCR)"), L"show");
  EXPECT_EQ(program_base_name(LR"(\\?\UNC\server\share\d.x\Sun.Set.scr)"), L"sun.set");
}

std::string temp_folder() {
  wchar_t buffer[MAX_PATH + 2];
  const DWORD length = GetTempPathW(MAX_PATH + 2, buffer);
  std::string folder(buffer, buffer + length);  // ASCII in the test prefix
  return folder + "showsaver-share-" + std::to_string(GetCurrentProcessId()) + "\\";
}

TEST(NetworkShareSettings, GoToTheUsersOwnFolderAndAreReadBackFromThere) {
  Win32FileSystem files;
  const std::string user_folder = temp_folder() + "showsaver\\";
  // A share nobody can write to: no such server.
  const ProgramPaths paths =
      program_paths_for(R"(\\nosuchserver\share\shows\Show.scr)", user_folder);
  RunState first;
  first.SettingsFile = paths.SettingsFile;
  first.UserSettingsFile = paths.user_settings_file;
  read_settings_into(files, first);
  EXPECT_FALSE(first.SettingsFromUserFile);
  EXPECT_EQ(first.BgmEnabled, -1);
  ASSERT_TRUE(save_settings(files, first, false, true));
  EXPECT_EQ(files.read_file(paths.user_settings_file), (Bytes{0, 0, 0xFF, 0xFF}));

  RunState next;
  next.SettingsFile = paths.SettingsFile;
  next.UserSettingsFile = paths.user_settings_file;
  read_settings_into(files, next);
  EXPECT_TRUE(next.SettingsFromUserFile);
  EXPECT_EQ(next.BgmEnabled, 0);
  EXPECT_EQ(next.SoundEnabled, -1);

  files.delete_file(paths.user_settings_file);
  files.remove_folder(user_folder);
  files.remove_folder(temp_folder());
}

}  // namespace
}  // namespace showsaver::win32
