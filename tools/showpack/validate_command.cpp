#include "validate_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "command_status.h"
#include "file_io.h"
#include "manifest.h"
#include "package/package_reader.h"
#include "package_assembly.h"
#include "platform/scripted/event_log.h"
#include "show_rules.h"
#include "text_codec.h"

namespace showsaver::showpack {
namespace {

struct ValidateOptions {
  std::string file;
  bool json = false;
};

// One thing found, with where: a manifest line and column, or a package
// field and its file offset.
struct Finding {
  bool error = true;
  SourceLocation line;  // line 0: not in a manifest
  std::string field;
  std::optional<std::int64_t> offset;
  std::string message;
};

// SceneCount follows PictureWidth, PictureHeight, BackColor (4 bytes each)
// and HasSettings (2 bytes) at the start of the record.
constexpr std::int64_t kSceneCountOffset = 14;

std::string hex(std::int64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

class Validator {
 public:
  std::vector<Finding> findings;

  void add(bool error, std::string message, SourceLocation line = {}, std::string field = {},
           std::optional<std::int64_t> offset = {}) {
    findings.push_back({error, line, std::move(field), offset, std::move(message)});
  }

  // The show's rules, placed: in a manifest by `lines` (each scene's, and the
  // show's own findings at the music or the [show] header); in a package
  // file by the offset of the bytes a finding is about, else of its field.
  struct Places {
    std::vector<SourceLocation> scene_lines = {};
    SourceLocation music_line = {}, show_line = {};
    std::span<const std::uint8_t> file = {};
    std::int64_t record_offset = 0;
    const FieldOffsets* fields = nullptr;
  };

  void check_package(const ShowPackage& package, const Places& places) {
    const auto data_offset = [&](const PackageBytes* data) -> std::optional<std::int64_t> {
      if (places.file.empty() || !data || data->size() == 0) return std::nullopt;
      const auto at = std::search(places.file.begin() + places.record_offset, places.file.end(),
                                  data->view().begin(), data->view().end());
      if (at == places.file.end()) return std::nullopt;
      return at - places.file.begin();
    };
    const auto field_offset = [&](const RuleFinding& finding) -> std::optional<std::int64_t> {
      if (!places.fields) return std::nullopt;
      std::string key = finding.field;
      // The reader counts its scenes from 0.
      if (finding.scene && key.starts_with("scene ")) {
        key = "scene " + std::to_string(*finding.scene) + key.substr(key.find(' ', 6));
      }
      const auto at = places.fields->find(key);
      if (at == places.fields->end()) return std::nullopt;
      return at->second;
    };
    for (RuleFinding& finding : check_show_rules(package)) {
      SourceLocation line = finding.field.starts_with("Bgm") ? places.music_line : places.show_line;
      if (finding.scene) {
        line = *finding.scene < places.scene_lines.size() ? places.scene_lines[*finding.scene]
                                                          : SourceLocation{};
      }
      std::optional<std::int64_t> offset = data_offset(finding.data);
      if (!offset) offset = field_offset(finding);
      add(finding.error, std::move(finding.message), line, std::move(finding.field), offset);
    }
  }
};

void validate_manifest(const std::string& path, Validator& validator) {
  const ManifestResult manifest = load_manifest(path);
  for (const ManifestProblem& problem : manifest.problems) {
    validator.add(true, problem.message, problem.where);
  }
  if (!manifest.problems.empty()) return;
  const AssemblyResult assembled = assemble_package(manifest.manifest);
  for (const ManifestProblem& problem : assembled.problems) {
    validator.add(true, problem.message, problem.where);
  }
  if (!assembled.problems.empty()) return;
  Validator::Places places;
  for (const ManifestScene& scene : manifest.manifest.scenes) {
    places.scene_lines.push_back(scene.where);
  }
  places.show_line = manifest.manifest.show_where;
  places.music_line =
      manifest.manifest.music ? manifest.manifest.music->where : manifest.manifest.show_where;
  validator.check_package(assembled.package, places);
}

void validate_package(const std::string& path, Validator& validator) {
  const FileRead file = read_whole_file(path);
  if (file.error) {
    validator.add(true, *file.error);
    return;
  }
  const PackageReadResult read =
      read_show_package(file.bytes, text_codec(), {.note_field_offsets = true});
  if (read.error) {
    validator.add(true, "malformed show package: " + read.error->reason, {}, read.error->field,
                  read.error->offset);
    return;
  }
  // Records beyond SceneCount are read but never played.
  const std::size_t stored = read.package.stored_scene_count();
  const auto shown = static_cast<std::size_t>(read.package.SceneCount);
  if (stored > shown) {
    const std::size_t unshown = stored - shown;
    validator.add(false,
                  "SceneCount is " + std::to_string(shown) + " but " + std::to_string(stored) +
                      " scene records are stored: the last " + std::to_string(unshown) +
                      (unshown == 1 ? " is" : " are") + " never shown",
                  {}, "SceneCount", read.record_offset + kSceneCountOffset);
  }
  if (read.package.Extension) {
    const auto extension = read.field_offsets.find("Extension");
    for (const ExtensionRecord& record : read.package.Extension->records) {
      if (const auto* unknown = std::get_if<UnknownRecord>(&record)) {
        validator.add(false,
                      "the extension holds a record of tag " + std::to_string(unknown->tag) +
                          " that this showpack does not know; players pass over it",
                      {}, "Extension",
                      extension != read.field_offsets.end() ? std::optional(extension->second)
                                                            : std::nullopt);
      }
    }
  }
  validator.check_package(
      read.package,
      {.file = file.bytes, .record_offset = read.record_offset, .fields = &read.field_offsets});
}

std::string place(const std::string& file, const Finding& finding) {
  std::string text = file;
  if (finding.line.line != 0) {
    text += ":" + std::to_string(finding.line.line) + ":" + std::to_string(finding.line.column);
  } else if (!finding.field.empty()) {
    text += ": " + finding.field;
    if (finding.offset) {
      text += " at offset " + std::to_string(*finding.offset) + " (" + hex(*finding.offset) + ")";
    }
  }
  return text;
}

int run_validate(const ValidateOptions& options) {
  Validator validator;
  const bool manifest =
      options.file.size() >= 5 && options.file.compare(options.file.size() - 5, 5, ".toml") == 0;
  if (manifest) {
    validate_manifest(options.file, validator);
  } else {
    validate_package(options.file, validator);
  }
  std::size_t errors = 0;
  for (const Finding& finding : validator.findings) errors += finding.error ? 1 : 0;
  const std::size_t warnings = validator.findings.size() - errors;
  const int status = errors > 0 ? 2 : warnings > 0 ? 1 : 0;

  if (options.json) {
    std::cout << "{\"file\": " << json_escape(options.file) << ", \"status\": " << status
              << ", \"findings\": [";
    for (std::size_t i = 0; i < validator.findings.size(); ++i) {
      const Finding& finding = validator.findings[i];
      std::cout << (i == 0 ? "\n  " : ",\n  ")
                << "{\"severity\": " << (finding.error ? "\"error\"" : "\"warning\"");
      if (finding.line.line != 0) {
        std::cout << ", \"line\": " << finding.line.line << ", \"column\": " << finding.line.column;
      }
      if (!finding.field.empty()) std::cout << ", \"field\": " << json_escape(finding.field);
      if (finding.offset) std::cout << ", \"offset\": " << *finding.offset;
      std::cout << ", \"message\": " << json_escape(finding.message) << "}";
    }
    std::cout << (validator.findings.empty() ? "]}\n" : "\n]}\n");
    return status;
  }
  for (const Finding& finding : validator.findings) {
    std::cout << place(options.file, finding) << ": " << (finding.error ? "error" : "warning")
              << ": " << finding.message << '\n';
  }
  std::cout << options.file << ": " << errors << (errors == 1 ? " error, " : " errors, ")
            << warnings << (warnings == 1 ? " warning\n" : " warnings\n");
  return status;
}

}  // namespace

void add_validate_command(CLI::App& app) {
  auto options = std::make_shared<ValidateOptions>();
  CLI::App* command = app.add_subcommand(
      "validate",
      "Check a manifest (.toml), program file or bare package: exit 0 clean, 1 warnings, 2 errors");
  command->add_option("file", options->file, "The manifest, program file or bare package")
      ->required();
  command->add_flag("--json", options->json, "Print JSON for programs");
  command->callback([options] { finish_command(run_validate(*options)); });
}

}  // namespace showsaver::showpack
