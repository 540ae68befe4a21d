// showpack's manual page describes every command and option that showpack's
// own --help lists, so that a command added without its page is noticed.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace showsaver::test {
namespace {

// The first words of the lines of one section ("Subcommands", "Options") of
// a help text: "new", or "-o,--output".
std::vector<std::string> section_words(const std::string& help, const std::string& section) {
  std::vector<std::string> words;
  std::istringstream lines(help);
  bool inside = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] != ' ') {
      inside = line.starts_with(section + ":");
      continue;
    }
    std::istringstream fields(line);
    std::string word;
    if (inside && fields >> word) words.push_back(word);
  }
  return words;
}

// The name as roff writes it, its dashes escaped.
std::string roff(const std::string& name) {
  std::string text;
  for (const char c : name) text += c == '-' ? std::string("\\-") : std::string(1, c);
  return text;
}

TEST(ManualPage, DescribesEveryCommandAndOptionOfShowpack) {
  TempDir dir;
  const std::string page = read_text_file(SHOWSAVER_SOURCE_DIR "/docs/man/showpack.1");
  const RunResult help = run_showpack(dir, {"--help"});
  ASSERT_EQ(help.status, 0);
  const std::vector<std::string> commands = section_words(help.out, "Subcommands");
  ASSERT_FALSE(commands.empty()) << help.out;
  for (const std::string& command : commands) {
    // Its name, then its arguments or the end of the line.
    EXPECT_TRUE(page.find("\n.B " + roff(command) + " ") != std::string::npos ||
                page.find("\n.B " + roff(command) + "\n") != std::string::npos)
        << "docs/man/showpack.1 has no entry (.B " << command << " ...) under COMMANDS";
    const RunResult command_help = run_showpack(dir, {command, "--help"});
    for (const std::string& option : section_words(command_help.out, "Options")) {
      if (option == "-h,--help") continue;
      // "-o,--output": either spelling will do.
      bool described = false;
      std::istringstream spellings(option);
      for (std::string spelling; std::getline(spellings, spelling, ',');) {
        described = described || page.find(roff(spelling)) != std::string::npos;
      }
      EXPECT_TRUE(described) << "docs/man/showpack.1 does not describe " << command << " "
                             << option;
    }
  }
}

}  // namespace
}  // namespace showsaver::test
