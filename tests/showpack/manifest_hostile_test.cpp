// Manifests the fuzz target found or could find troublesome: each is refused
// with one problem that says what and where, and nothing else goes wrong.
#include <gtest/gtest.h>

#include <string>

#include "showpack/manifest.h"
#include "support/temp_dir.h"

namespace showsaver::showpack {
namespace {

struct HostileManifest {
  const char* name;
  std::string text;
  std::uint32_t line;
  std::uint32_t column;
  const char* message;  // part of the one problem's message, in the manifest author's words
};

TEST(ManifestHostile, RefusedWithWhatAndWhere) {
  using namespace std::string_literals;
  const HostileManifest cases[] = {
      // Found by fuzzing: toml++ 3.3 asserts on a table header whose key
      // starts with anything but a key character, NUL bytes among them, and
      // on an array element that ends a value; its release build reports
      // each.
      {"HeaderKeyStartsWithEquals", "[[ = sw]", 1, 4,
       "a key or table name is missing or starts with a character no key starts with"},
      {"HeaderKeyAfterNulBytes", "[show]\nwidth = 1\n\n[[\0\0\0scene]]\npicture = \"p.bmp\"\n"s, 4,
       3, "a key or table name is missing or starts with a character no key starts with"},
      {"ArrayClosedByABrace", "[show]\nwidth = [ }\n", 2, 11,
       "the value after '=' is neither a number, true or false, nor text"},
      {"TableKeyStartsWithDot", "[ .show]\n", 1, 3,
       "a key or table name is missing or starts with a character no key starts with"},
      // Found by fuzzing: toml++ 3.3 asks whether such a character is
      // whitespace with a test that is undefined for most of U+00A0..U+0499
      // and U+2E5E..U+3257; as shipped it answers no.
      {"KanaAfterANumber", "[show]\nwidth = 3\u3051\n", 2, 10,
       "a number is followed by a character that is not part of it"},
      {"AccentAfterAString", "[show]\ntitle = \"x\" \u00e9\n", 2, 13,
       "something follows the value on the same line"},
      {"EmptyHeader", "[show]\nwidth = 1\n[[ ]]\n", 3, 4, "a table name is empty"},
      {"UnclosedString", "[show]\ntitle = \"never closed\n", 2, 22,
       "a text value is not closed on its line"},
      {"InvalidUtf8", "[show]\ntitle = \"\xC3\x28\"\n", 2, 9, "the file is not UTF-8 text here"},
      {"NestingTooDeep", "[show]\ntitle = " + std::string(2000, '[') + "\n", 2, 265,
       "lists are nested too deeply"},
  };
  test::TempDir dir;
  for (const HostileManifest& hostile : cases) {
    SCOPED_TRACE(hostile.name);
    const std::string file = dir.file(std::string(hostile.name) + ".toml");
    test::write_text_file(file, hostile.text);
    const ManifestResult result = load_manifest(file);
    ASSERT_EQ(result.problems.size(), 1u);
    const ManifestProblem& problem = result.problems.front();
    EXPECT_NE(problem.message.find(hostile.message), std::string::npos) << problem.message;
    EXPECT_EQ(problem.where.line, hostile.line) << problem.message;
    EXPECT_EQ(problem.where.column, hostile.column) << problem.message;
  }
}

TEST(ManifestHostile, LettersAfterALineEndingBackslashAreKept) {
  test::TempDir dir;
  const std::string file = dir.file("show.toml");
  test::write_text_file(file,
                        "[show]\nwidth = 8\nheight = 6\ntitle = \"\"\"\u5915\\\n"
                        "   \u3051\u00e9\u0436 \uFB30\"\"\"\n\n[[scene]]\npicture = \"p.bmp\"\n"
                        "display_time = 1\n");
  const ManifestResult result = load_manifest(file);
  ASSERT_TRUE(result.problems.empty()) << result.problems.front().text();
  EXPECT_EQ(result.manifest.title, "\u5915\u3051\u00e9\u0436 \uFB30");
}

}  // namespace
}  // namespace showsaver::showpack
