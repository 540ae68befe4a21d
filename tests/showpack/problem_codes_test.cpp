// The table of problem codes: each code once, in its kind's form, and each
// wording filled from the names it uses.
#include "showpack/problem_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace showsaver::showpack {
namespace {

// The names between braces in `wording`.
std::set<std::string> placeholders(std::string_view wording) {
  std::set<std::string> names;
  for (std::size_t open = wording.find('{'); open != std::string_view::npos;
       open = wording.find('{', open + 1)) {
    names.insert(std::string(wording.substr(open + 1, wording.find('}', open) - open - 1)));
  }
  return names;
}

TEST(ProblemCodesTest, EachCodeOnceAndEveryWordingFilled) {
  std::set<std::string_view> codes;
  for (const ProblemCode& entry : problem_codes()) {
    SCOPED_TRACE(std::string(entry.code));
    EXPECT_TRUE(codes.insert(entry.code).second) << "listed twice";
    EXPECT_EQ(&problem_code(entry.problem), &entry);
    EXPECT_EQ(entry.code.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"),
              std::string::npos);
    for (const std::string_view wording : {entry.english, entry.other_english}) {
      ProblemValues words;
      for (const std::string& name : placeholders(wording)) words[name] = "<" + name + ">";
      const bool other = wording.data() == entry.other_english.data();
      if (wording.empty()) continue;
      const std::string text = english(entry.problem, words, other);
      EXPECT_EQ(text.find('{'), std::string::npos) << text;
      for (const auto& [name, value] : words) EXPECT_NE(text.find(value), std::string::npos);
      if (!words.empty()) {
        words.erase(words.begin());
        EXPECT_THROW(english(entry.problem, words, other), std::out_of_range);
      }
    }
  }
}

TEST(ProblemCodesTest, WordsAFindingFromItsValues) {
  EXPECT_EQ(english(Problem::EffectUnknown, {{"scene", "3"}, {"code", "31"}, {"last", "29"}}),
            "scene 3: effect code 31 is not a transition (0 to 29)");
  EXPECT_EQ(english(Problem::NameBytesMismatch,
                    {{"owner", "[show]"}, {"key", "music_name_bytes"}, {"bytes", "FF"}}, true),
            "[show]: music_name_bytes \"FF\" are not text in code page 932; leave "
            "music_name_bytes out to store the name as it is spelt");
}

}  // namespace
}  // namespace showsaver::showpack
