// The package assembly's problems as the studio words them: each with its
// code, its scene and the values its wording takes, beside showpack's
// English, which stays as the terminal prints it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "listed_values.h"
#include "showpack/file_io.h"
#include "showpack/name_rules.h"
#include "showpack/package_assembly.h"
#include "showpack/picture_import.h"
#include "support/temp_dir.h"

namespace showsaver::showpack {
namespace {

struct NameCase {
  std::string name;  // the picture name the scene stores
  std::string code;
  std::map<std::string, std::string> values;
  std::string english;  // a part of the message
};

TEST(AssemblyProblemCodesTest, EachNameProblemHasItsCodeSceneAndValues) {
  const std::string long_name = std::string(256, 'x') + ".bmp";
  const std::vector<NameCase> cases = {
      {"ok.bmp", "", {}, ""},
      {"a?.bmp",
       "name-not-storable",
       {{"fault", "windows-character"}, {"character", "?"}, {"suggestion", "a_.bmp"}},
       "holds '?', which Windows does not allow"},
      {"CON.bmp",
       "name-not-storable",
       {{"fault", "device"}, {"suggestion", "_CON.bmp"}},
       "is a device name on Windows"},
      {"a/b.bmp",
       "name-not-storable",
       {{"fault", "path-separator"}, {"character", "/"}, {"suggestion", "a_b.bmp"}},
       "path"},
      {"C:x.bmp",
       "name-not-storable",
       {{"fault", "drive-separator"}, {"suggestion", "C_x.bmp"}},
       ""},
      {"..", "name-not-storable", {{"fault", "folder"}, {"suggestion", "_._"}}, "folder"},
      {"dot.",
       "name-not-storable",
       {{"fault", "trailing-dot-or-space"}, {"suggestion", "dot_"}},
       "ends with a space"},
      {long_name,
       "name-not-storable",
       {{"fault", "too-long"}, {"bytes", "260"}, {"most", "255"}},
       "260 bytes long"},
      {"\uadf8\u00df\uadf8.bmp",
       "name-not-storable",
       {{"fault", "not-in-code-page"},
        {"characters", "\uadf8 \u00df"},
        {"codePoints", "U+ADF8 U+00DF"},
        {"suggestion", "___.bmp"}},
       "(code page 932)"},
      // The same name as scene 1's for another picture, and one apart only in case.
      {"ok.bmp",
       "name-used-for-other-file",
       {{"otherScene", "1"}, {"kind", "picture"}},
       "already used by scene 1"},
      {"OK.bmp",
       "name-differs-in-case",
       {{"otherScene", "1"}, {"other", "ok.bmp"}},
       "differs only in letter case"},
  };
  test::TempDir folder;
  Manifest manifest;
  manifest.width = 64;
  manifest.height = 48;
  for (std::size_t index = 0; index < cases.size(); ++index) {
    // Each scene's picture differs from every other's.
    const PixelImage picture{8, 8, std::vector<std::uint32_t>(64, std::uint32_t(index))};
    const std::string file = folder.file("p" + std::to_string(index) + ".bmp");
    ASSERT_FALSE(write_file_atomically(file, encode_stored_bmp(picture), 0644));
    ManifestScene& scene = manifest.scenes.emplace_back();
    scene.where = {std::uint32_t(10 * index + 1), 1};
    scene.picture = {file, scene.where};
    scene.picture_name = {cases[index].name, scene.where, false};
  }
  const AssemblyResult assembled = assemble_package(manifest);
  std::size_t next = 0;
  for (std::size_t index = 0; index < cases.size(); ++index) {
    const NameCase& expected = cases[index];
    SCOPED_TRACE("scene " + std::to_string(index + 1));
    if (expected.code.empty()) continue;
    ASSERT_LT(next, assembled.problems.size());
    const ManifestProblem& problem = assembled.problems[next++];
    EXPECT_EQ(problem.code, expected.code) << problem.message;
    expect_listed_values(problem.code, problem.values);
    EXPECT_EQ(problem.where.line, 10 * index + 1);
    EXPECT_EQ(problem.values.at("scene"), std::to_string(index + 1));
    EXPECT_EQ(problem.values.at("name"), expected.name);
    for (const auto& [key, value] : expected.values) EXPECT_EQ(problem.values.at(key), value);
    // Whatever the fault, the name suggested instead is one a show stores.
    if (problem.code == "name-not-storable") {
      ASSERT_TRUE(problem.values.contains("suggestion")) << problem.message;
      EXPECT_EQ(stored_name_problem(problem.values.at("suggestion")), std::nullopt)
          << problem.values.at("suggestion");
    }
    EXPECT_NE(problem.message.find(expected.english), std::string::npos) << problem.message;
    EXPECT_EQ(problem.message.rfind("scene " + std::to_string(index + 1) + ": ", 0), 0u);
  }
  EXPECT_EQ(next, assembled.problems.size());
}

}  // namespace
}  // namespace showsaver::showpack
