#include "manifest_writer.h"

#include <cstdio>
#include <sstream>

#include "effects/effect_catalogue.h"
#include "manifest_keys.h"
#include "name_bytes.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;
namespace keys = manifest_keys;

// `text` as a TOML basic string, quotes included.
std::string toml_string(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string colour_value(ColorRef color) {
  char text[16];
  if ((raw(color) & 0xFF000000u) != 0) {
    std::snprintf(text, sizeof text, "0x%08X", raw(color));
  } else {
    // "#RRGGBB" is written in the byte order of a pixel.
    std::snprintf(text, sizeof text, "\"#%06X\"", raw(to_pixel(color)));
  }
  return text;
}

// The effect's name, or its code when it has none.
std::string effect_value(std::int32_t code) {
  const std::string_view name = effect_name(code);
  return name.empty() ? std::to_string(code) : toml_string(name);
}

std::string motion_value(Motion motion) {
  return toml_string(motion == Motion::PanZoom ? keys::kPanZoom : keys::kNoMotion);
}

std::string rect_value(const Rect& rect) {
  return "[" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " +
         std::to_string(rect.width) + ", " + std::to_string(rect.height) + "]";
}

// A cross-fade, with the transition players without one show instead.
void put_effect(std::ostream& out, const ManifestScene& scene) {
  if (!scene.fade_time) {
    out << keys::kEffect << " = " << effect_value(scene.effect) << '\n';
    return;
  }
  out << keys::kEffect << " = " << toml_string(keys::kFade) << '\n';
  out << keys::kFadeTime << " = " << *scene.fade_time << '\n';
  if (scene.effect != 0)
    out << keys::kFallbackEffect << " = " << effect_value(scene.effect) << '\n';
}

void put_motion(std::ostream& out, const ManifestScene& scene) {
  if (scene.motion) out << keys::kMotion << " = " << motion_value(*scene.motion) << '\n';
  if (scene.motion_seed) out << keys::kMotionSeed << " = " << *scene.motion_seed << '\n';
  if (scene.motion_path) {
    out << keys::kMotionFrom << " = " << rect_value(scene.motion_path->from) << '\n';
    out << keys::kMotionTo << " = " << rect_value(scene.motion_path->to) << '\n';
  }
}

// With the other choices beside it, for whoever edits the file next.
std::string fit_value(Fit fit) {
  return toml_string(fit_name(fit)) + "  # contain, cover or none";
}

std::string file_value(const ManifestFile& file, const fs::path& folder) {
  const std::u8string text = file.path.lexically_proximate(folder).generic_u8string();
  return toml_string(std::string(text.begin(), text.end()));
}

void put(std::ostream& out, std::string_view key, const auto& value) {
  out << key << " = " << value << '\n';
}

void put_name(std::ostream& out, std::string_view key, std::string_view bytes_key,
              const ManifestName& name) {
  if (!name.from_file) put(out, key, toml_string(name.text));
  if (name.stored_bytes) put(out, bytes_key, toml_string(name_bytes_text(*name.stored_bytes)));
}

void put_heading(std::ostream& out, std::string_view heading) {
  std::istringstream lines{std::string(heading)};
  for (std::string line; std::getline(lines, line);)
    out << (line.empty() ? "#" : "# ") << line << '\n';
  if (!heading.empty()) out << '\n';
}

void put_show(std::ostream& out, const Manifest& manifest, const fs::path& folder) {
  out << '[' << keys::kShow << "]\n";
  put(out, keys::kWidth, manifest.width);
  put(out, keys::kHeight, manifest.height);
  put(out, keys::kBackColor, colour_value(manifest.back_color));
  if (manifest.has_settings)
    put(out, keys::kHasSettings, *manifest.has_settings ? "true" : "false");
  if (manifest.title) put(out, keys::kTitle, toml_string(*manifest.title));
  if (manifest.fit) put(out, keys::kFit, fit_value(*manifest.fit));
  if (manifest.shuffle) put(out, keys::kOrder, toml_string(keys::kShuffle));
  if (manifest.motion) put(out, keys::kMotion, motion_value(*manifest.motion));
  if (manifest.music) {
    put(out, keys::kMusic, file_value(*manifest.music, folder));
    put_name(out, keys::kMusicName, keys::kMusicNameBytes, manifest.music_name);
  }
}

void put_scene(std::ostream& out, const ManifestScene& scene, const fs::path& folder) {
  out << "\n[[" << keys::kScene << "]]\n";
  put(out, keys::kPicture, file_value(scene.picture, folder));
  put_name(out, keys::kPictureName, keys::kPictureNameBytes, scene.picture_name);
  if (scene.sound) {
    put(out, keys::kSound, file_value(*scene.sound, folder));
    put_name(out, keys::kSoundName, keys::kSoundNameBytes, scene.sound_name);
  }
  put(out, keys::kDisplayTime, scene.display_time);
  if (scene.left) put(out, keys::kLeft, *scene.left);
  if (scene.top) put(out, keys::kTop, *scene.top);
  put_effect(out, scene);
  if (scene.fit) put(out, keys::kFit, fit_value(*scene.fit));
  put_motion(out, scene);
  if (scene.over_previous) put(out, keys::kOverPrevious, "true");
  if (scene.transparent) put(out, keys::kTransparent, "true");
}

}  // namespace

std::string manifest_text(const Manifest& manifest, std::string_view heading) {
  std::ostringstream out;
  put_heading(out, heading);
  const fs::path folder = manifest.file.parent_path();
  put_show(out, manifest, folder);
  for (const ManifestScene& scene : manifest.scenes) put_scene(out, scene, folder);
  return out.str();
}

}  // namespace showsaver::showpack
