#include "show_rules.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <variant>

#include "effects/effect_catalogue.h"
#include "formats/bmp/bmp_decoder.h"
#include "name_rules.h"
#include "platform/geometry.h"
#include "problem_codes.h"
#include "sound_check.h"

namespace showsaver::showpack {
namespace {

// The size of the picture the player's decoder makes of `data`, or why it makes none.
std::variant<Size, std::string> decoded_size(const PackageBytes& data) {
  auto decoded = decode_bmp(data.view());
  if (auto* fault = std::get_if<std::string>(&decoded)) return std::move(*fault);
  const PixelImage& picture = std::get<PixelImage>(decoded);
  return Size{picture.width, picture.height};
}

class RuleCheck {
 public:
  std::vector<RuleFinding> findings;

  explicit RuleCheck(const ShowPackage& package) : package_(package) {}

  void check() {
    if (!package_.BgmFileName.empty()) {
      check_name(package_.BgmFileName, "BgmFileName", {});
      check_sound(SoundUse::Music, "music \"" + package_.BgmFileName + "\"", package_.BgmData,
                  "BgmData", {}, package_.BgmFileName);
    }
    if (!package_.Scenes) return;
    for (std::size_t index = 0; index < package_.Scenes->size(); ++index) {
      check_scene(index, (*package_.Scenes)[index]);
    }
  }

 private:
  const ShowPackage& package_;
  // A sound several scenes play is stored with the first of them, like a picture.
  std::set<std::string> sounds_;
  // A picture several scenes show is stored with the first of them (the
  // others hold a placeholder), and is extracted and shown from there.
  // Only the sizes are kept: one decoded picture at a time in memory.
  std::map<std::string, std::variant<Size, std::string>> pictures_;

  // A finding of `problem` with its values, worded from them and `parts`.
  void add(bool error, std::optional<std::size_t> scene, Problem problem, std::string field,
           ProblemValues values, const ProblemValues& parts = {},
           const PackageBytes* data = nullptr) {
    RuleFinding& finding = findings.emplace_back();
    finding.error = error;
    finding.scene = scene;
    finding.code = problem_code(problem).code;
    finding.values = std::move(values);
    if (scene) finding.values["scene"] = std::to_string(*scene + 1);
    finding.field = std::move(field);
    finding.data = data;
    ProblemValues words = finding.values;
    words.insert(parts.begin(), parts.end());
    finding.message = english(problem, words);
  }

  // The fault's values, its code (as "fault") and its wording (as "reason").
  static ProblemValues fault_values(const WordedFault& fault) {
    ProblemValues values = fault.values;
    values["fault"] = fault.code;
    values["reason"] = fault.text;
    return values;
  }

  void check_name(const std::string& name, const std::string& field,
                  std::optional<std::size_t> scene) {
    if (auto fault = stored_name_fault(name)) {
      ProblemValues values = fault_values(*fault);
      values["name"] = name;
      add(true, scene, Problem::NameNotStorable, field, std::move(values), {{"field", field}});
    }
  }

  void check_sound(SoundUse use, const std::string& what, const PackageBytes& data,
                   const std::string& field, std::optional<std::size_t> scene,
                   const std::string& name) {
    if (auto fault = sound_fault(use, data.view())) {
      ProblemValues values = fault_values(*fault);
      values["name"] = name;
      add(false, scene, use == SoundUse::Music ? Problem::MusicWarning : Problem::SoundWarning,
          field, std::move(values), {{"subject", what}}, &data);
    }
  }

  void check_scene(std::size_t index, const SceneRecord& scene) {
    const std::string owner = "scene " + std::to_string(index + 1);  // counted from 1
    check_name(scene.PictureFileName, owner + " PictureFileName", index);
    if (!scene.SoundFileName.empty()) {
      check_name(scene.SoundFileName, owner + " SoundFileName", index);
      if (sounds_.insert(scene.SoundFileName).second) {
        check_sound(SoundUse::SceneSound, owner + ": sound \"" + scene.SoundFileName + "\"",
                    scene.SoundData, owner + " SoundData", index, scene.SoundFileName);
      }
    }
    if (effect_name(scene.EffectCode).empty()) {
      add(true, index, Problem::EffectUnknown, owner + " EffectCode",
          {{"code", std::to_string(scene.EffectCode)}, {"last", std::to_string(kLastEffect)}});
    }
    if (scene.Transparent && !scene.OverPrevious) {
      add(false, index, Problem::TransparentAlone, owner + " Transparent", {});
    }
    const auto [known, first] = pictures_.try_emplace(scene.PictureFileName);
    if (first) {
      known->second = decoded_size(scene.PictureData);
    } else if (std::holds_alternative<std::string>(known->second)) {
      return;  // reported with the scene that stores it
    }
    if (const auto* fault = std::get_if<std::string>(&known->second)) {
      add(true, index, Problem::PictureUnreadable, owner + " PictureData",
          {{"name", scene.PictureFileName}, {"reason", *fault}}, {}, &scene.PictureData);
      return;
    }
    check_clipping(std::get<Size>(known->second), scene, index, owner);
  }

  void check_clipping(Size picture, const SceneRecord& scene, std::size_t index,
                      const std::string& owner) {
    const std::int64_t left = scene.PictureLeft, top = scene.PictureTop;
    const std::int64_t cut_left = std::max<std::int64_t>(0, -left);
    const std::int64_t cut_top = std::max<std::int64_t>(0, -top);
    const std::int64_t cut_right =
        std::max<std::int64_t>(0, left + picture.width - package_.PictureWidth);
    const std::int64_t cut_bottom =
        std::max<std::int64_t>(0, top + picture.height - package_.PictureHeight);
    std::vector<std::string> parts;
    const auto part = [&](std::int64_t count, const char* unit, const char* side) {
      if (count > 0) parts.push_back(std::to_string(count) + " " + unit + " " + side);
    };
    part(cut_left, "columns", "on the left");
    part(cut_right, "columns", "on the right");
    part(cut_top, "rows", "at the top");
    part(cut_bottom, "rows", "at the bottom");
    if (parts.empty()) return;
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    }
    const bool hidden =
        cut_left + cut_right >= picture.width || cut_top + cut_bottom >= picture.height;
    add(false, index, hidden ? Problem::PictureHidden : Problem::PictureClipped,
        owner + " PictureLeft",
        {{"width", std::to_string(picture.width)},
         {"height", std::to_string(picture.height)},
         {"left", std::to_string(left)},
         {"top", std::to_string(top)},
         {"areaWidth", std::to_string(package_.PictureWidth)},
         {"areaHeight", std::to_string(package_.PictureHeight)},
         {"cutLeft", std::to_string(cut_left)},
         {"cutRight", std::to_string(cut_right)},
         {"cutTop", std::to_string(cut_top)},
         {"cutBottom", std::to_string(cut_bottom)}},
        {{"cut", text}});
  }
};

}  // namespace

std::vector<RuleFinding> check_show_rules(const ShowPackage& package) {
  RuleCheck check(package);
  check.check();
  return std::move(check.findings);
}

}  // namespace showsaver::showpack
