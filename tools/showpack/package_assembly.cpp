#include "package_assembly.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <variant>

#include "file_io.h"
#include "manifest_extension.h"
#include "name_bytes.h"
#include "name_rules.h"
#include "package/package_writer.h"
#include "picture_import.h"
#include "problem_codes.h"
#include "progress.h"
#include "sound_check.h"
#include "text_codec.h"

namespace showsaver::showpack {
namespace {

const std::vector<std::uint8_t> kNoBytes;

// Scenes are counted from 1, as people count.
constexpr std::string_view kScenePrefix = "scene ";
std::string scene_label(std::size_t index) {
  return std::string(kScenePrefix) + std::to_string(index + 1);
}

using Values = std::map<std::string, std::string>;

// The owner's scene number (of scene_label) under `key`; nothing for the show's own.
Values owner_values(const std::string& owner, const std::string& key = "scene") {
  if (!owner.starts_with(kScenePrefix)) return {};
  return {{key, owner.substr(kScenePrefix.size())}};
}

// A name stored in the package, with what it stands for.
struct StoredName {
  std::string kind;   // "picture", "sound" or "music"
  std::string owner;  // "scene 3" or "[show]"
  std::filesystem::path file;
  const std::vector<std::uint8_t>* data;
};

class Assembler {
 public:
  explicit Assembler(const Manifest& manifest) : manifest_(manifest) {}

  AssemblyResult run() {
    ShowPackage& package = result_.package;
    package.PictureWidth = manifest_.width;
    package.PictureHeight = manifest_.height;
    package.BackColor = manifest_.back_color;
    package.HasSettings = settings_offered(manifest_) ? -1 : 0;
    package.SceneCount = static_cast<std::int32_t>(manifest_.scenes.size());
    if (manifest_.music) {
      package.BgmFileName = manifest_.music_name.text;
      package.BgmFileNameSpelling.bytes = manifest_.music_name.stored_bytes;
      package.BgmData.bytes = load(*manifest_.music, "music", "[show]").value_or(kNoBytes);
      warn_about_sound(SoundUse::Music, "[show]: music", *manifest_.music, *package.BgmData.bytes);
    }
    auto& scenes = package.Scenes.emplace();
    scenes.reserve(manifest_.scenes.size());
    std::vector<ManifestName> picture_names(manifest_.scenes.size());
    Progress progress("pictures", manifest_.scenes.size());
    for (std::size_t index = 0; index < manifest_.scenes.size(); ++index) {
      progress.update(index);
      scenes.push_back(
          scene_record(manifest_.scenes[index], scene_label(index), picture_names[index]));
    }
    progress.finish();
    // Names are registered once all data sits at its final address.
    if (manifest_.music) {
      register_name(manifest_.music_name, "music", "[show]", *manifest_.music, package.BgmData);
    }
    for (std::size_t index = 0; index < scenes.size(); ++index) {
      register_scene_names(manifest_.scenes[index], picture_names[index], scenes[index],
                           scene_label(index));
    }
    apply_name_placeholders(package);
    package.Extension = extension_of(manifest_);
    return std::move(result_);
  }

 private:
  // A problem of `kind` with its values, worded (in its other wording when
  // `other`) from them and `parts`.
  static ManifestProblem worded(const std::filesystem::path& file, SourceLocation where,
                                Problem kind, Values values, const Values& parts,
                                bool other = false) {
    Values words = values;
    words.insert(parts.begin(), parts.end());
    std::string message = english(kind, words, other);
    return {file, where, std::move(message), std::string(problem_code(kind).code),
            std::move(values)};
  }

  void problem(SourceLocation where, Problem kind, Values values, const Values& parts,
               bool other = false) {
    result_.problems.push_back(
        worded(manifest_.file, where, kind, std::move(values), parts, other));
  }

  // Once for each file read: see sound_check.h.
  void warn_about_sound(SoundUse use, const std::string& what, const ManifestFile& file,
                        const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty() || !sounds_checked_.insert(file.path).second) return;
    const std::string named = what + " " + file.path.string();
    if (auto fault = sound_fault(use, bytes)) {
      Values values = fault->values;
      values["fault"] = fault->code;
      values["name"] = path_text(file.path.filename());
      result_.warnings.push_back(
          worded(manifest_.file, file.where,
                 use == SoundUse::Music ? Problem::MusicWarning : Problem::SoundWarning,
                 std::move(values), {{"subject", named}, {"reason", fault->text}}));
    }
  }

  // The file's bytes; nothing (and a problem) when it cannot be read.
  std::optional<std::vector<std::uint8_t>> load(const ManifestFile& file, const std::string& kind,
                                                const std::string& owner) {
    FileRead read = read_whole_file(file.path);
    if (read.error) {
      Values values = owner_values(owner);
      values.insert(
          {{"kind", kind}, {"file", path_text(file.path.filename())}, {"reason", *read.error}});
      problem(file.where, Problem::FileUnreadable, std::move(values), {{"owner", owner}});
      return std::nullopt;
    }
    return std::move(read.bytes);
  }

  SceneRecord scene_record(const ManifestScene& scene, const std::string& owner,
                           ManifestName& picture_name) {
    SceneRecord record;
    picture_name = scene.picture_name;
    const std::optional<Fit> fit = scene.fit ? scene.fit : manifest_.fit;
    const Size area{manifest_.width, manifest_.height};
    std::optional<Size> size;
    if (const auto file = load(scene.picture, "picture", owner)) {
      // Checked with the player's own decoder when stored as it is.
      auto imported = import_picture(*file, fit, area, to_pixel(manifest_.back_color));
      if (auto* picture = std::get_if<ImportedPicture>(&imported)) {
        size = picture->size;
        if (picture->converted && picture_name.from_file) {
          picture_name.text = path_text(scene.picture.path.filename().replace_extension(".bmp"));
        }
        record.PictureData.bytes = std::move(picture->bmp);
      } else {
        const std::string& reason = std::get<std::string>(imported);
        Values values = owner_values(owner);
        values.insert({{"file", path_text(scene.picture.path.filename())}, {"reason", reason}});
        problem(scene.picture.where, Problem::PictureNotImported, std::move(values),
                {{"owner", owner}, {"path", scene.picture.path.string()}});
      }
    }
    if (!record.PictureData.bytes) record.PictureData.bytes = kNoBytes;
    record.PictureFileName = picture_name.text;
    record.PictureFileNameSpelling.bytes = picture_name.stored_bytes;
    if (scene.sound) {
      record.SoundFileName = scene.sound_name.text;
      record.SoundFileNameSpelling.bytes = scene.sound_name.stored_bytes;
      record.SoundData.bytes = load(*scene.sound, "sound", owner).value_or(kNoBytes);
      warn_about_sound(SoundUse::SceneSound, owner + ": sound", *scene.sound,
                       *record.SoundData.bytes);
    }
    record.DisplayTime = scene.display_time;
    // A fitted picture is centred unless the scene places it.
    const bool centre = fit.has_value() && size.has_value();
    record.PictureLeft = scene.left.value_or(centre ? (area.width - size->width) / 2 : 0);
    record.PictureTop = scene.top.value_or(centre ? (area.height - size->height) / 2 : 0);
    record.EffectCode = scene.effect;
    record.OverPrevious = scene.over_previous ? -1 : 0;
    record.Transparent = scene.transparent ? -1 : 0;
    if (scene.transparent && !scene.over_previous) {
      result_.warnings.push_back(
          worded(manifest_.file, scene.where, Problem::TransparentAlone, owner_values(owner), {}));
    }
    return record;
  }

  void register_scene_names(const ManifestScene& scene, const ManifestName& picture_name,
                            const SceneRecord& record, const std::string& owner) {
    register_name(picture_name, "picture", owner, scene.picture, record.PictureData);
    if (scene.sound) {
      register_name(scene.sound_name, "sound", owner, *scene.sound, record.SoundData);
    }
  }

  // Checks a stored name and that it stands for one file only: the
  // extraction writes each name once, from its first scene, into one folder.
  void register_name(const ManifestName& name, const std::string& kind, const std::string& owner,
                     const ManifestFile& file, const PackageBytes& data) {
    Values values = owner_values(owner);
    values.insert({{"kind", kind}, {"name", name.text}});
    if (auto fault = stored_name_fault(name.text)) {
      const std::string suggestion = storable_spelling(name.text);
      values.insert(fault->values.begin(), fault->values.end());
      values.insert({{"fault", fault->code}, {"reason", fault->text}});
      // The spelling mends only characters code page 932 lacks.
      if (suggestion != name.text) values["suggestion"] = suggestion;
      problem(name.where, Problem::NameNotStorable, std::move(values),
              {{"owner", owner}, {"suggestion", suggestion}}, true);
      return;
    }
    if (name.stored_bytes) check_stored_bytes(name, kind, owner, values);
    const auto same = names_.find(name.text);
    if (same != names_.end()) {
      const StoredName& earlier = same->second;
      values.merge(owner_values(earlier.owner, "otherScene"));
      if (earlier.kind != kind) {
        values["otherKind"] = earlier.kind;
        problem(name.where, Problem::NameUsedByOtherKind, std::move(values),
                {{"owner", owner}, {"otherOwner", earlier.owner}});
      } else if (*earlier.data != *data.bytes) {
        values["otherFile"] = path_text(earlier.file.filename());
        problem(name.where, Problem::NameUsedForOtherFile, std::move(values),
                {{"owner", owner},
                 {"otherOwner", earlier.owner},
                 {"otherPath", earlier.file.string()}});
      }
      return;
    }
    const auto [folded, inserted] = folded_.emplace(fold_case(name.text), name.text);
    if (!inserted) {
      const std::string& other_owner = names_.at(folded->second).owner;
      values.merge(owner_values(other_owner, "otherScene"));
      values["other"] = folded->second;
      problem(name.where, Problem::NameDiffersInCase, std::move(values),
              {{"owner", owner}, {"otherOwner", other_owner}});
      return;
    }
    names_.emplace(name.text, StoredName{kind, owner, file.path, &*data.bytes});
  }

  // The bytes a name is stored as must spell it.
  void check_stored_bytes(const ManifestName& name, const std::string& kind,
                          const std::string& owner, Values values) {
    const std::optional<std::string> spelled = text_codec().cp932_to_utf8(*name.stored_bytes);
    if (spelled == name.text) return;
    problem(name.bytes_where, Problem::NameBytesMismatch, std::move(values),
            {{"owner", owner},
             {"key", kind + "_name_bytes"},
             {"bytes", name_bytes_text(*name.stored_bytes)},
             {"spelled", spelled.value_or("")}},
            !spelled);
  }

  const Manifest& manifest_;
  AssemblyResult result_;
  std::map<std::string, StoredName> names_;
  std::map<std::string, std::string> folded_;
  std::set<std::filesystem::path> sounds_checked_;
};

}  // namespace

AssemblyResult assemble_package(const Manifest& manifest) {
  return Assembler(manifest).run();
}

}  // namespace showsaver::showpack
