// The Windows programs hold no AVX instruction: GCC cannot realign the stack
// there for the 32-byte spills such code may make, so platform/instruction_sets.h
// keeps those builds to SSE2, for every module.  Every program of both
// Windows trees is disassembled and searched for a ymm (or zmm) register.
// (ScreenSaverTest.BackendTestsPass runs the software GDI's own tests, built
// for Windows, under Wine on this machine's processor.)
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

// The lines of `disassembly` (objdump's AT&T syntax) that name a 256- or
// 512-bit register, the first few.
std::string wide_register_lines(const std::string& disassembly) {
  std::string found;
  int count = 0;
  for (const char* name : {"%ymm", "%zmm"}) {
    for (std::size_t at = disassembly.find(name); at != std::string::npos && count < 5;
         at = disassembly.find(name, at + 1), ++count) {
      const std::size_t start = disassembly.rfind('\n', at) + 1;
      found += disassembly.substr(start, disassembly.find('\n', at) - start) + "\n";
    }
  }
  return found;
}

class WindowsInstructionsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WindowsInstructionsTest, NoProgramHoldsAnAvxRegister) {
  const auto folder = WineSession::windows_build_folder(GetParam());
  ASSERT_TRUE(folder) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no ...-" << GetParam() << " tree";
  const std::string objdump = MINGW_OBJDUMP;
  ASSERT_FALSE(objdump.empty()) << "no x86_64-w64-mingw32-objdump: scripts/install-deps --wine";
  TempDir scratch;
  std::set<std::string> checked;
  for (auto entry = std::filesystem::recursive_directory_iterator(*folder);
       entry != std::filesystem::recursive_directory_iterator(); ++entry) {
    // CMake's own probes of the compiler are not the project's programs.
    if (entry->is_directory() && entry->path().filename() == "CMakeFiles") {
      entry.disable_recursion_pending();
      continue;
    }
    const std::string extension = entry->path().extension().string();
    if (!entry->is_regular_file() ||
        (extension != ".exe" && extension != ".scr" && extension != ".dll")) {
      continue;
    }
    const RunResult run = run_program(scratch, objdump, {"-d", entry->path().string()});
    ASSERT_EQ(run.status, 0) << entry->path() << ": " << run.err;
    ASSERT_GT(run.out.size(), 1000u) << entry->path() << " disassembled to nothing";
    EXPECT_EQ(wide_register_lines(run.out), "") << entry->path();
    checked.insert(entry->path().filename().string());
  }
  // The player and the programs that link the software GDI are among them.
  for (const char* program : {"showsaver.scr", "gdi_replay.exe", "showsaver_win32_tests.exe",
                              "showsaver_soft_tests.exe"}) {
    EXPECT_TRUE(checked.contains(program)) << program << " is not in " << *folder;
  }
}

INSTANTIATE_TEST_SUITE_P(Architectures, WindowsInstructionsTest,
                         ::testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
