#include "manifest_writer.h"

#include <cstdio>
#include <sstream>

#include "effect_names.h"

namespace showsaver::showpack {
namespace {

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
  return name.empty() ? std::to_string(code) : toml_string(std::string(name));
}

const char* flag(std::int16_t value) {
  return value != 0 ? "true" : "false";
}

std::string file_in(const char* folder, const std::string& name) {
  return toml_string(std::string(folder) + "/" + name);
}

}  // namespace

std::string toml_string(const std::string& text) {
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

std::string manifest_for(const ShowPackage& package) {
  std::ostringstream out;
  out << "# Extracted by showpack; `showpack build` makes the show again from it.\n\n"
      << "[show]\n"
      << "width = " << package.PictureWidth << "\n"
      << "height = " << package.PictureHeight << "\n"
      << "back_color = " << colour_value(package.BackColor) << "\n"
      << "has_settings = " << flag(package.HasSettings) << "\n";
  if (!package.BgmFileName.empty()) {
    out << "music = " << file_in(kMusicFolder, package.BgmFileName) << "\n"
        << "music_name = " << toml_string(package.BgmFileName) << "\n";
  }
  if (package.Scenes) {
    for (const SceneRecord& scene : *package.Scenes) {
      out << "\n[[scene]]\n"
          << "picture = " << file_in(kPictureFolder, scene.PictureFileName) << "\n"
          << "picture_name = " << toml_string(scene.PictureFileName) << "\n";
      if (!scene.SoundFileName.empty()) {
        out << "sound = " << file_in(kSoundFolder, scene.SoundFileName) << "\n"
            << "sound_name = " << toml_string(scene.SoundFileName) << "\n";
      }
      out << "display_time = " << scene.DisplayTime << "\n"
          << "left = " << scene.PictureLeft << "\n"
          << "top = " << scene.PictureTop << "\n"
          << "effect = " << effect_value(scene.EffectCode) << "\n"
          << "over_previous = " << flag(scene.OverPrevious) << "\n"
          << "transparent = " << flag(scene.Transparent) << "\n";
    }
  }
  return out.str();
}

}  // namespace showsaver::showpack
