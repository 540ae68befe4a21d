#include <gtest/gtest.h>

#include "startup/program_paths.h"
#include "startup/screen_saver_switch.h"

namespace showsaver {
namespace {

struct SwitchCase {
  const char* arguments;
  SaverMode mode;
};

class SaverSwitch : public testing::TestWithParam<SwitchCase> {};

TEST_P(SaverSwitch, FirstTwoCharactersUpperCasedDecide) {
  EXPECT_EQ(saver_mode_for(GetParam().arguments), GetParam().mode) << GetParam().arguments;
}

INSTANTIATE_TEST_SUITE_P(
    EveryDesktopSpelling, SaverSwitch,
    testing::Values(SwitchCase{"/s", SaverMode::Show}, SwitchCase{"/S", SaverMode::Show},
                    SwitchCase{"/s 1234", SaverMode::Show}, SwitchCase{"/S:abc", SaverMode::Show},
                    SwitchCase{"-s", SaverMode::None}, SwitchCase{"S", SaverMode::None},
                    SwitchCase{"/c:4321", SaverMode::Settings},
                    SwitchCase{"/C", SaverMode::Settings}, SwitchCase{"/c", SaverMode::Settings},
                    SwitchCase{"/a 1234", SaverMode::PasswordChange},
                    SwitchCase{"/A", SaverMode::PasswordChange},
                    SwitchCase{"/p 1234", SaverMode::Preview}, SwitchCase{"", SaverMode::Settings},
                    SwitchCase{"  ", SaverMode::Settings}, SwitchCase{"/", SaverMode::None},
                    SwitchCase{" /s", SaverMode::None}, SwitchCase{"/x", SaverMode::None}));

struct ParentCase {
  const char* arguments;
  std::int32_t parent;
};

class PasswordParent : public testing::TestWithParam<ParentCase> {};

TEST_P(PasswordParent, LeadingNumberAfterTheSwitch) {
  EXPECT_EQ(password_parent_from(GetParam().arguments), GetParam().parent) << GetParam().arguments;
}

INSTANTIATE_TEST_SUITE_P(
    NumbersAndFallbacks, PasswordParent,
    testing::Values(ParentCase{"/a 1234", 1234}, ParentCase{"/a", 0}, ParentCase{"/a 0", 0},
                    ParentCase{"/a:1234", 0}, ParentCase{"/A   77  ", 77},
                    ParentCase{"/a 12abc", 12}, ParentCase{"/a 2.5", 2}, ParentCase{"/a 3.5", 4},
                    ParentCase{"/a -6", -6}, ParentCase{"/a 1e3", 1000}, ParentCase{"/a 25e-1", 2},
                    ParentCase{"/a 35E-1", 4}, ParentCase{"/a 5e-1", 0}, ParentCase{"/a 15e-1", 2},
                    ParentCase{"/a 1e-999", 0}, ParentCase{"/a 12e+1", 120},
                    ParentCase{"/a 2147483647", 2147483647}, ParentCase{"/a 2147483648", 0},
                    ParentCase{"/a 99999999999999999999", 0}, ParentCase{"/a 1e999", 0},
                    ParentCase{"/a .", 0}, ParentCase{"/a -", 0}));

struct HandleCase {
  const char* arguments;
  std::uintptr_t handle;
};

class SwitchWindowHandle : public testing::TestWithParam<HandleCase> {};

TEST_P(SwitchWindowHandle, DigitsAfterColonOrSpaces) {
  EXPECT_EQ(window_handle_after_switch(GetParam().arguments), GetParam().handle)
      << GetParam().arguments;
}

INSTANTIATE_TEST_SUITE_P(ControlPanelAndExplorerForms, SwitchWindowHandle,
                         testing::Values(HandleCase{"/c:4321", 4321}, HandleCase{"/c 4321", 4321},
                                         HandleCase{"/p 65790", 65790},
                                         HandleCase{"/P:65790", 65790}, HandleCase{"/p   12 ", 12},
                                         HandleCase{"/c", 0}, HandleCase{"/c:", 0},
                                         HandleCase{"/c:abc", 0}, HandleCase{"/p -5", 0},
                                         HandleCase{"/p 12abc", 12},
                                         HandleCase{"/p 4294967295", 4294967295u},
                                         HandleCase{"/p 999999999999999999999999", 0}));

TEST(ProgramPaths, PackageAlwaysComesFromTheScrFileBesideTheProgram) {
  const ProgramPaths exe = program_paths_for("/opt/shows/sunset.exe");
  EXPECT_EQ(exe.ProgramPackagePath, "/opt/shows/sunset.scr");
  EXPECT_EQ(exe.SettingsFile, "/opt/shows/sunset.set");

  const ProgramPaths dotted = program_paths_for("/opt/my.show.scr");
  EXPECT_EQ(dotted.ProgramPackagePath, "/opt/my.show.scr");
  EXPECT_EQ(dotted.SettingsFile, "/opt/my.show.set");

  const ProgramPaths bare = program_paths_for("/sunset");
  EXPECT_EQ(bare.ProgramPackagePath, "/sunset.scr");

  const ProgramPaths relative = program_paths_for("sunset.scr");
  EXPECT_EQ(relative.SettingsFile, "./sunset.set");
}

}  // namespace
}  // namespace showsaver
