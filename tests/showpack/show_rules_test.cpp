// The rules' findings as the studio words them: each with its code, its
// scene and the values its wording takes, beside showpack's English.
#include "showpack/show_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "listed_values.h"
#include "showpack/picture_import.h"

namespace showsaver::showpack {
namespace {

struct SceneCase {
  Point at;
  std::int32_t effect;
  std::string code;  // empty: no finding
  std::map<std::string, std::string> values;
};

// A 40 x 30 picture in a 100 x 80 area, one scene a case.
TEST(ShowRulesTest, EachFindingHasItsCodeSceneAndValues) {
  const std::vector<SceneCase> cases = {
      {{60, 50}, 1, "", {}},
      {{70, 0}, 1, "picture-clipped", {{"cutRight", "10"}, {"cutLeft", "0"}, {"width", "40"}}},
      {{-5, 60}, 1, "picture-clipped", {{"cutLeft", "5"}, {"cutBottom", "10"}, {"left", "-5"}}},
      {{100, 0}, 1, "picture-hidden", {{"areaWidth", "100"}, {"areaHeight", "80"}}},
      {{0, 0}, 31, "effect-unknown", {{"code", "31"}}},
  };
  PixelImage picture{40, 30, std::vector<std::uint32_t>(40 * 30, 0x336699)};
  ShowPackage package;
  package.PictureWidth = 100;
  package.PictureHeight = 80;
  package.Scenes.emplace();
  for (std::size_t index = 0; index < cases.size(); ++index) {
    SceneRecord& scene = package.Scenes->emplace_back();
    // Each its own picture: a picture stored twice is checked once.
    scene.PictureFileName = "p" + std::to_string(index) + ".bmp";
    scene.PictureData.bytes = encode_stored_bmp(picture);
    scene.PictureLeft = cases[index].at.x;
    scene.PictureTop = cases[index].at.y;
    scene.EffectCode = cases[index].effect;
  }
  const std::vector<RuleFinding> findings = check_show_rules(package);
  std::size_t next = 0;
  for (std::size_t index = 0; index < cases.size(); ++index) {
    const SceneCase& expected = cases[index];
    SCOPED_TRACE("scene " + std::to_string(index + 1));
    if (expected.code.empty()) continue;
    ASSERT_LT(next, findings.size());
    const RuleFinding& finding = findings[next++];
    EXPECT_EQ(finding.code, expected.code) << finding.message;
    expect_listed_values(finding.code, finding.values);
    EXPECT_EQ(finding.scene, index);
    EXPECT_EQ(finding.values.at("scene"), std::to_string(index + 1));
    for (const auto& [key, value] : expected.values) EXPECT_EQ(finding.values.at(key), value);
    EXPECT_EQ(finding.message.rfind("scene " + std::to_string(index + 1) + ": ", 0), 0u);
  }
  EXPECT_EQ(next, findings.size());
}

}  // namespace
}  // namespace showsaver::showpack
