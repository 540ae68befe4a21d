#include "show_draft.h"

#include <algorithm>

#include "showpack/manifest.h"
#include "showpack/package_assembly.h"
#include "showpack/show_rules.h"

namespace showsaver::studio {
namespace {

using showpack::SourceLocation;

// A scene's problems carry its place as the line of its manifest entry.
SourceLocation scene_place(std::size_t index) {
  return {std::uint32_t(index + 1), 1};
}

showpack::ManifestName stored_name(const std::string& text, SourceLocation where) {
  return {text, where, false};
}

showpack::Manifest manifest_of(const DraftShow& show) {
  showpack::Manifest manifest;
  manifest.file = "studio";
  manifest.width = show.width;
  manifest.height = show.height;
  manifest.back_color = show.back_color;
  manifest.has_settings = show.has_settings;
  manifest.shuffle = show.shuffle;
  manifest.motion = show.motion;
  if (!show.music_path.empty()) {
    manifest.music = showpack::ManifestFile{show.music_path, {}};
    manifest.music_name = stored_name(show.music_name, {});
  }
  for (std::size_t index = 0; index < show.scenes.size(); ++index) {
    const DraftScene& draft = show.scenes[index];
    const SourceLocation where = scene_place(index);
    showpack::ManifestScene& scene = manifest.scenes.emplace_back();
    scene.where = where;
    scene.picture = {draft.picture_path, where};
    scene.picture_name = stored_name(draft.picture_name, where);
    if (!draft.sound_path.empty()) {
      scene.sound = showpack::ManifestFile{draft.sound_path, where};
      scene.sound_name = stored_name(draft.sound_name, where);
    }
    scene.display_time = draft.display_time;
    scene.left = draft.left;
    scene.top = draft.top;
    scene.effect = draft.effect;
    scene.over_previous = draft.over_previous;
    scene.transparent = draft.transparent;
    scene.fade_time = draft.fade_time;
    scene.motion = draft.motion;
    scene.motion_seed = draft.motion_seed;
    scene.motion_path = draft.motion_path;
  }
  return manifest;
}

void add_problems(const std::vector<showpack::ManifestProblem>& found, bool error,
                  std::vector<DraftProblem>& problems) {
  for (const showpack::ManifestProblem& problem : found) {
    std::optional<std::size_t> scene;
    if (problem.where.line > 0) scene = problem.where.line - 1;
    problems.push_back({scene, error, problem.message, problem.code, problem.values});
  }
}

}  // namespace

bool AssembledDraft::ok() const {
  return std::none_of(problems.begin(), problems.end(),
                      [](const DraftProblem& problem) { return problem.error; });
}

AssembledDraft assemble_draft(const DraftShow& show) {
  showpack::AssemblyResult assembled = showpack::assemble_package(manifest_of(show));
  AssembledDraft draft{std::move(assembled.package), {}};
  add_problems(assembled.problems, true, draft.problems);
  if (!draft.problems.empty()) return draft;
  // The assembled package's rules include the assembly's warnings, with codes.
  for (showpack::RuleFinding& finding : showpack::check_show_rules(draft.package)) {
    draft.problems.push_back({finding.scene, finding.error, std::move(finding.message),
                              std::move(finding.code), std::move(finding.values)});
  }
  return draft;
}

}  // namespace showsaver::studio
