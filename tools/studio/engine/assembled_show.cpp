#include "assembled_show.h"

#include <algorithm>

#include "showpack/package_assembly.h"
#include "showpack/show_rules.h"

namespace showsaver::studio {
namespace {

using showpack::SourceLocation;

// The page's manifest comes from no file: a scene's problems carry its place
// as the line of its entry, and the show's the line 0.
void place_scenes(showpack::Manifest& manifest) {
  manifest.file = "studio";
  for (std::size_t index = 0; index < manifest.scenes.size(); ++index) {
    showpack::ManifestScene& scene = manifest.scenes[index];
    const SourceLocation where{std::uint32_t(index + 1), 1};
    scene.where = scene.picture.where = scene.picture_name.where = where;
    if (scene.sound) scene.sound->where = scene.sound_name.where = where;
  }
}

void add_problems(const std::vector<showpack::ManifestProblem>& found,
                  std::vector<ShowProblem>& problems) {
  for (const showpack::ManifestProblem& problem : found) {
    std::optional<std::size_t> scene;
    if (problem.where.line > 0) scene = problem.where.line - 1;
    problems.push_back({scene, true, problem.message, problem.code, problem.values});
  }
}

}  // namespace

bool AssembledShow::ok() const {
  return std::none_of(problems.begin(), problems.end(),
                      [](const ShowProblem& problem) { return problem.error; });
}

AssembledShow assemble_show(showpack::Manifest manifest) {
  place_scenes(manifest);
  showpack::AssemblyResult assembled = showpack::assemble_package(manifest);
  AssembledShow show{std::move(assembled.package), {}};
  add_problems(assembled.problems, show.problems);
  if (!show.problems.empty()) return show;
  // The assembled package's rules include the assembly's warnings, with codes.
  for (showpack::RuleFinding& finding : showpack::check_show_rules(show.package)) {
    show.problems.push_back({finding.scene, finding.error, std::move(finding.message),
                             std::move(finding.code), std::move(finding.values)});
  }
  return show;
}

}  // namespace showsaver::studio
