#include "startup/settings_file.h"

#include <vector>

#include "formats/byte_reader.h"
#include "formats/byte_writer.h"

namespace showsaver {

namespace {

constexpr std::size_t kSettingsSize = 4;

// An ordinary file, or a link to one.
bool settings_file_present(FileSystem& files, const std::string& path) {
  if (!files.exists(path)) return false;
  return files.is_plain_file(path) || files.read_file_prefix(path, 0).has_value();
}

constexpr char kSeparators[] = {'/', kPathSeparator, '\0'};

// Creates `folder` and every missing folder above it, from the top down: a
// new account may not have its configuration folder (~/.config) yet.  False
// when one of them cannot be made.
bool create_folders(FileSystem& files, const std::string& folder) {
  std::vector<std::string> missing;
  for (std::string path = folder; !path.empty() && !files.exists(path);) {
    missing.push_back(path);
    const std::size_t parent_end = path.find_last_of(kSeparators);
    if (parent_end == std::string::npos || parent_end == 0) break;
    path.erase(parent_end);
  }
  for (auto path = missing.rbegin(); path != missing.rend(); ++path) {
    if (files.create_folder(*path) == CreateFolderResult::Failed) return false;
  }
  return true;
}

}  // namespace

UserSettings read_settings(FileSystem& files, const std::string& settings_file) {
  if (!files.exists(settings_file)) return {-1, -1};
  // Only the bytes needed: a huge or sparse file costs nothing more.
  const auto bytes = files.read_file_prefix(settings_file, kSettingsSize);
  if (!bytes) {
    // An ordinary file that cannot be read leaves both off; no ordinary file
    // at all (nothing, a folder, a pipe, a device) leaves both on.
    if (files.is_plain_file(settings_file)) return {0, 0};
    return {-1, -1};
  }
  const ByteReader in(*bytes);
  return {in.i16(0), in.i16(2)};
}

bool write_settings(FileSystem& files, const std::string& settings_file, bool bgm_on,
                    bool sound_on) {
  // Each switch a 16-bit truth value: -1 on, 0 off.
  ByteWriter contents;
  contents.u16(bgm_on ? 0xFFFF : 0);
  contents.u16(sound_on ? 0xFFFF : 0);
  const std::vector<std::uint8_t>& bytes = contents.bytes();
  return files.replace_file(
      settings_file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void read_settings_into(FileSystem& files, RunState& state) {
  state.SettingsFromUserFile =
      !state.UserSettingsFile.empty() && settings_file_present(files, state.UserSettingsFile);
  const UserSettings settings = read_settings(
      files, state.SettingsFromUserFile ? state.UserSettingsFile : state.SettingsFile);
  state.BgmEnabled = settings.BgmEnabled;
  state.SoundEnabled = settings.SoundEnabled;
}

bool save_settings(FileSystem& files, const RunState& state, bool bgm_on, bool sound_on) {
  if (state.SettingsFromUserFile) {
    return write_settings(files, state.UserSettingsFile, bgm_on, sound_on);
  }
  if (write_settings(files, state.SettingsFile, bgm_on, sound_on)) return true;
  if (state.UserSettingsFile.empty()) return false;
  const std::string& file = state.UserSettingsFile;
  if (!create_folders(files, file.substr(0, file.find_last_of(kSeparators)))) return false;
  return write_settings(files, file, bgm_on, sound_on);
}

}  // namespace showsaver
