#include "package_report.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "extension_report.h"
#include "platform/scripted/event_log.h"

namespace showsaver::showpack {
namespace {

// For each scene, the first scene with the same name, or nothing for an
// empty name.
std::vector<std::optional<std::size_t>> first_scenes(const std::vector<SceneRecord>& scenes,
                                                     std::string SceneRecord::*name) {
  std::map<std::string, std::size_t> first;
  std::vector<std::optional<std::size_t>> result;
  for (std::size_t index = 0; index < scenes.size(); ++index) {
    const std::string& text = scenes[index].*name;
    if (text.empty()) {
      result.emplace_back();
    } else {
      result.emplace_back(first.emplace(text, index).first->second);
    }
  }
  return result;
}

std::string hex(std::uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

// Columns on a terminal: two for the wide East Asian characters, else one.
std::size_t display_width(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    std::uint32_t code = length == 1 ? lead : lead & (0xFFu >> (length + 1));
    for (std::size_t i = 1; i < length && at + i < text.size(); ++i) {
      code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    }
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6);
    width += wide ? 2 : 1;
    at += length;
  }
  return width;
}

// A name as it can be printed on a terminal: control characters, which a
// damaged or hostile package may hold, are shown as \xNN.
std::string printable(std::string_view name) {
  std::string out;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '\\') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

std::string flag_text(std::int16_t flag) {
  if (flag == 0) return "no";
  return flag == -1 ? "yes" : "yes (" + std::to_string(flag) + ")";
}

std::string bytes_text(const PackageBytes& data, std::optional<std::size_t> first,
                       std::size_t index) {
  if (!data.present()) return "-";
  // Scenes are counted from 1 here, as in every message.
  if (first && *first != index) return "as " + std::to_string(*first + 1);
  return std::to_string(data.size());
}

// A table whose columns are as wide as their widest cell; column i is
// right-aligned when alignment[i] is 'r'.
class TextTable {
 public:
  explicit TextTable(std::string alignment = "") : alignment_(std::move(alignment)) {}

  void add_row(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }

  std::string render() const {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
      widths.resize(std::max(widths.size(), row.size()));
      for (std::size_t i = 0; i < row.size(); ++i) {
        widths[i] = std::max(widths[i], display_width(row[i]));
      }
    }
    std::string out;
    for (const auto& row : rows_) {
      std::string line;
      for (std::size_t i = 0; i < row.size(); ++i) {
        const std::string padding(widths[i] - display_width(row[i]), ' ');
        const bool right = i < alignment_.size() && alignment_[i] == 'r';
        line += i == 0 ? "" : "  ";
        line += right ? padding + row[i] : row[i] + padding;
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out += line + "\n";
    }
    return out;
  }

 private:
  std::string alignment_;
  std::vector<std::vector<std::string>> rows_;
};

std::string header_report(const PackageReadResult& read, std::uint64_t file_size) {
  const ShowPackage& package = read.package;
  const ColorRef color = package.BackColor;
  char rgb[8];
  std::snprintf(rgb, sizeof rgb, "#%06X", raw(to_pixel(color)));
  std::string music = "none";
  if (!package.BgmFileName.empty() || package.BgmData.present()) {
    music =
        "\"" + printable(package.BgmFileName) + "\", " +
        (package.BgmData.present() ? std::to_string(package.BgmData.size()) + " bytes" : "no data");
  }
  TextTable table;
  table.add_row({"File size", std::to_string(file_size) + " bytes"});
  table.add_row({"Record", "at offset " + std::to_string(read.record_offset) + " (" +
                               hex(std::uint64_t(read.record_offset), 1) + "), BlockLength " +
                               std::to_string(read.block_length)});
  table.add_row({"PictureWidth", std::to_string(package.PictureWidth)});
  table.add_row({"PictureHeight", std::to_string(package.PictureHeight)});
  table.add_row({"BackColor", hex(raw(color), 8) + " (" + rgb + ")"});
  table.add_row({"HasSettings", flag_text(package.HasSettings)});
  table.add_row({"SceneCount", std::to_string(package.SceneCount)});
  table.add_row({"Music", music});
  if (!package.Scenes) table.add_row({"Scenes", "absent (no scene array)"});
  return table.render();
}

std::string scene_report(const std::vector<SceneRecord>& scenes) {
  const auto first_pictures = first_scenes(scenes, &SceneRecord::PictureFileName);
  const auto first_sounds = first_scenes(scenes, &SceneRecord::SoundFileName);
  TextTable table("rlrlrrrrr");
  table.add_row({"Scene", "Picture", "Bytes", "Sound", "Bytes", "Time", "Left", "Top", "Effect",
                 "Over", "Transparent"});
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    const SceneRecord& scene = scenes[i];
    table.add_row({std::to_string(i + 1), printable(scene.PictureFileName),
                   bytes_text(scene.PictureData, first_pictures[i], i),
                   scene.SoundFileName.empty() ? "-" : printable(scene.SoundFileName),
                   bytes_text(scene.SoundData, first_sounds[i], i),
                   std::to_string(scene.DisplayTime), std::to_string(scene.PictureLeft),
                   std::to_string(scene.PictureTop), std::to_string(scene.EffectCode),
                   flag_text(scene.OverPrevious), flag_text(scene.Transparent)});
  }
  return table.render();
}

// --- JSON -------------------------------------------------------------------

std::string json_bytes(const PackageBytes& data, std::optional<std::size_t> first) {
  if (!data.present()) return "null";
  std::string out = "{\"size\": " + std::to_string(data.size());
  if (first) out += ", \"first_scene\": " + std::to_string(*first);
  return out + "}";
}

std::string json_scene(const SceneRecord& scene, std::optional<std::size_t> first_picture,
                       std::optional<std::size_t> first_sound) {
  return "{\"PictureFileName\": " + json_escape(scene.PictureFileName) +
         ", \"SoundFileName\": " + json_escape(scene.SoundFileName) +
         ", \"DisplayTime\": " + std::to_string(scene.DisplayTime) +
         ", \"PictureLeft\": " + std::to_string(scene.PictureLeft) +
         ", \"PictureTop\": " + std::to_string(scene.PictureTop) +
         ", \"EffectCode\": " + std::to_string(scene.EffectCode) +
         ", \"OverPrevious\": " + std::to_string(scene.OverPrevious) +
         ", \"Transparent\": " + std::to_string(scene.Transparent) +
         ", \"PictureData\": " + json_bytes(scene.PictureData, first_picture) +
         ", \"SoundData\": " + json_bytes(scene.SoundData, first_sound) + "}";
}

std::string json_scenes(const std::optional<std::vector<SceneRecord>>& scenes) {
  if (!scenes) return "null";
  if (scenes->empty()) return "[]";
  const auto first_pictures = first_scenes(*scenes, &SceneRecord::PictureFileName);
  const auto first_sounds = first_scenes(*scenes, &SceneRecord::SoundFileName);
  std::string out = "[\n";
  for (std::size_t i = 0; i < scenes->size(); ++i) {
    out += "    " + json_scene((*scenes)[i], first_pictures[i], first_sounds[i]);
    out += i + 1 < scenes->size() ? ",\n" : "\n";
  }
  return out + "  ]";
}

}  // namespace

std::string package_text_report(const PackageReadResult& read, std::uint64_t file_size) {
  std::string out = header_report(read, file_size);
  if (read.package.Scenes && !read.package.Scenes->empty()) {
    out += "\n" + scene_report(*read.package.Scenes);
  }
  if (read.package.Extension) out += "\n" + extension_text_report(read.package.Extension);
  return out;
}

std::string package_json_report(const PackageReadResult& read, std::uint64_t file_size) {
  const ShowPackage& package = read.package;
  return "{\n  \"file_size\": " + std::to_string(file_size) +
         ",\n  \"record_offset\": " + std::to_string(read.record_offset) +
         ",\n  \"block_length\": " + std::to_string(read.block_length) +
         ",\n  \"PictureWidth\": " + std::to_string(package.PictureWidth) +
         ",\n  \"PictureHeight\": " + std::to_string(package.PictureHeight) +
         ",\n  \"BackColor\": " + std::to_string(raw(package.BackColor)) +
         ",\n  \"HasSettings\": " + std::to_string(package.HasSettings) +
         ",\n  \"SceneCount\": " + std::to_string(package.SceneCount) +
         ",\n  \"BgmFileName\": " + json_escape(package.BgmFileName) +
         ",\n  \"BgmData\": " + json_bytes(package.BgmData, std::nullopt) +
         ",\n  \"Scenes\": " + json_scenes(package.Scenes) +
         ",\n  \"Extension\": " + extension_json_report(package.Extension) + "\n}\n";
}

}  // namespace showsaver::showpack
