// The transition catalogue: one name and one operation per code, found again
// by name and by code.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "effects/effect_catalogue.h"

namespace showsaver {
namespace {

TEST(EffectCatalogue, EveryEffectHasOneDistinctName) {
  std::set<std::string_view> names;
  for (std::int32_t code = 0; code <= kLastEffect; ++code) {
    const std::string_view name = effect_name(code);
    ASSERT_FALSE(name.empty()) << code;
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_EQ(effect_code(name), code) << name;
  }
  EXPECT_EQ(effect_name(0), "cut");
  EXPECT_EQ(effect_code("wipe-left"), 19);
  EXPECT_EQ(effect_code("spiral-tiles"), 9);
  EXPECT_EQ(effect_name(30), "");
  EXPECT_EQ(effect_code("Wipe-Left"), std::nullopt);
}

// Names are typed into manifests and listed by `showpack new`: lower-case
// words joined by hyphens, each with a look of one line.
TEST(EffectCatalogue, NamesAreManifestWordsAndLooksOneLine) {
  for (const Effect& effect : effect_catalogue()) {
    SCOPED_TRACE(effect.name);
    EXPECT_EQ(effect.name.find_first_not_of("abcdefghijklmnopqrstuvwxyz-"), std::string_view::npos);
    EXPECT_NE(effect.name.front(), '-');
    EXPECT_NE(effect.name.back(), '-');
    EXPECT_FALSE(effect.looks.empty());
    EXPECT_EQ(effect.looks.find('\n'), std::string_view::npos);
  }
}

// A row copied without its operation changed would run one effect under two codes.
TEST(EffectCatalogue, OnlyTheCutLacksAnOperationAndNoOperationServesTwoCodes) {
  std::set<void (*)(Transition&)> operations;
  for (const Effect& effect : effect_catalogue()) {
    if (effect.code == 0) {
      EXPECT_EQ(effect.operation, nullptr);
      continue;
    }
    ASSERT_NE(effect.operation, nullptr) << effect.name;
    EXPECT_TRUE(operations.insert(effect.operation).second) << effect.name;
  }
  EXPECT_EQ(operations.size(), std::size_t(kLastEffect));
}

TEST(EffectCatalogue, LookupsByCodeNameAndEnumAgree) {
  const struct {
    EffectCode code;
    std::string_view name;
  } cases[] = {
      {EffectCode::cut, "cut"},
      {EffectCode::split_horizontal, "split-horizontal"},
      {EffectCode::squeeze_bottom, "squeeze-bottom"},
      {EffectCode::wipe_bottom, "wipe-bottom"},
      {EffectCode::shrink_through_black, "shrink-through-black"},
      {EffectCode::push_bottom, "push-bottom"},
  };
  for (const auto& [code, name] : cases) {
    EXPECT_EQ(effect_name(code), name);
    const Effect* by_name = find_effect(name);
    ASSERT_NE(by_name, nullptr) << name;
    EXPECT_EQ(by_name, find_effect(static_cast<std::int32_t>(code))) << name;
  }
  EXPECT_EQ(find_effect(-1), nullptr);
  EXPECT_EQ(find_effect(kLastEffect + 1), nullptr);
  EXPECT_EQ(find_effect(""), nullptr);
  EXPECT_EQ(find_effect("wipe"), nullptr);
  EXPECT_EQ(effect_catalogue().size(), std::size_t(kLastEffect) + 1);
}

// The README's table of transitions is for people to read; it must say what
// the catalogue says, row for row.
TEST(EffectCatalogue, TheReadmeListsEveryTransitionAsTheCatalogueDoes) {
  std::ifstream file(SHOWSAVER_SOURCE_DIR "/README.md");
  ASSERT_TRUE(file) << "README.md";
  std::stringstream text;
  text << file.rdbuf();
  for (const Effect& effect : effect_catalogue()) {
    const std::string row = "| " + std::to_string(effect.code) + " | `" + std::string(effect.name) +
                            "` | " + std::string(effect.looks) + " |\n";
    EXPECT_NE(text.str().find(row), std::string::npos) << row;
  }
}

}  // namespace
}  // namespace showsaver
