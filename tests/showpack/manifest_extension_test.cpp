// Cross-fades, motion and the show order in the manifest: what the package
// extension receives from them, and the manifests refused.
#include "showpack/manifest_extension.h"

#include <gtest/gtest.h>

#include <string>

#include "showpack/manifest.h"
#include "support/temp_dir.h"

namespace showsaver::showpack {
namespace {

const std::string kShow = "[show]\nwidth = 64\nheight = 48\n";
const std::string kScene = "\n[[scene]]\npicture = \"p.bmp\"\ndisplay_time = 500\n";

ManifestResult load(const std::string& text) {
  static test::TempDir dir;
  const std::string file = dir.file("show.toml");
  test::write_text_file(file, text);
  return load_manifest(file);
}

TEST(ManifestExtension, KeysBecomeRecordsAndComeBackFromThem) {
  const ManifestResult read =
      load(kShow + "order = \"shuffle\"\nmotion = \"pan-zoom\"\n" +           //
           kScene + "motion = \"none\"\n" +                                   // 0: still
           kScene + "effect = \"fade\"\nfallback_effect = \"wipe-left\"\n" +  // 1: fade 1 s, seed 1
           kScene + "effect = \"fade\"\nfade_time = \"0.25s\"\nmotion_seed = 9\n" + kScene +
           "motion_from = [1, 2, 30, 20]\nmotion_to = [0, 0, 64, 48]\n" + kScene);
  ASSERT_TRUE(read.problems.empty()) << read.problems.front().text();
  EXPECT_EQ(read.manifest.scenes[1].effect, 19);  // the fallback is what EffectCode stores

  const std::optional<ShowExtension> extension = extension_of(read.manifest);
  ASSERT_TRUE(extension);
  const std::vector<ExtensionRecord> expected{
      OrderRecord{ShowOrder::Shuffle}, FadeRecord{1, 1000},
      PanZoomSeedRecord{1, 1},         FadeRecord{2, 250},
      PanZoomSeedRecord{2, 9},         PanZoomPathRecord{3, Rect{1, 2, 30, 20}, Rect{0, 0, 64, 48}},
      PanZoomSeedRecord{4, 4},
  };
  EXPECT_EQ(extension->records, expected);

  // Back into a manifest of the same scenes (as `showpack extract` does),
  // then out again: the same records.
  Manifest extracted = read.manifest;
  extracted.shuffle = false;
  extracted.motion.reset();
  for (ManifestScene& scene : extracted.scenes) scene = ManifestScene{};
  apply_extension(*extension, extracted);
  EXPECT_EQ(extension_of(extracted), extension);
}

TEST(ManifestExtension, PlainManifestStoresNoExtension) {
  const ManifestResult read = load(kShow + "order = \"stored\"\nmotion = \"none\"\n" + kScene);
  ASSERT_TRUE(read.problems.empty()) << read.problems.front().text();
  EXPECT_FALSE(extension_of(read.manifest));
}

TEST(ManifestExtension, MistakesAreRefusedWithWhere) {
  struct Mistake {
    const char* name;
    std::string text;
    std::uint32_t line;
    const char* message;
  };
  const Mistake cases[] = {
      {"UnknownOrder", kShow + "order = \"random\"\n" + kScene, 4, "\"stored\" or \"shuffle\""},
      {"UnknownMotion", kShow + kScene + "motion = \"ken\"\n", 8, "\"pan-zoom\" or \"none\""},
      {"FadeTooLong", kShow + kScene + "effect = \"fade\"\nfade_time = \"61s\"\n", 9,
       "out of range"},
      {"FadeTimeWithoutFade", kShow + kScene + "fade_time = 200\n", 8, "without effect = \"fade\""},
      {"FadeMisspelt", kShow + kScene + "effect = \"faed\"\n", 8, "did you mean \"fade\""},
      {"FallbackIsFade", kShow + kScene + "effect = \"fade\"\nfallback_effect = \"fade\"\n", 9,
       "not a transition's name"},
      {"PathWithoutMotion",
       kShow + kScene + "motion_from = [0, 0, 1, 1]\nmotion_to = [0, 0, 2, 2]\n", 8,
       "does not move"},
      {"PathHalfGiven", kShow + "motion = \"pan-zoom\"\n" + kScene + "motion_to = [0, 0, 2, 2]\n",
       9, "go together"},
      {"EmptyRectangle",
       kShow + "motion = \"pan-zoom\"\n" + kScene +
           "motion_from = [0, 0, 0, 1]\nmotion_to = [0, 0, 2, 2]\n",
       9, "[left, top, width, height]"},
      {"SeedAndPath",
       kShow + "motion = \"pan-zoom\"\n" + kScene +
           "motion_seed = 1\nmotion_from = [0, 0, 1, 1]\nmotion_to = [0, 0, 2, 2]\n",
       9, "not both"},
  };
  for (const Mistake& mistake : cases) {
    SCOPED_TRACE(mistake.name);
    const ManifestResult read = load(mistake.text);
    ASSERT_EQ(read.problems.size(), 1u) << read.problems.back().text();
    EXPECT_NE(read.problems.front().message.find(mistake.message), std::string::npos)
        << read.problems.front().text();
    EXPECT_EQ(read.problems.front().where.line, mistake.line) << read.problems.front().text();
  }
}

}  // namespace
}  // namespace showsaver::showpack
