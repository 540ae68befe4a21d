#include "startup/settings_file.h"

#include "formats/byte_reader.h"

namespace showsaver {

UserSettings read_settings(FileSystem& files, const std::string& settings_file) {
  if (!files.is_plain_file(settings_file)) return {-1, -1};
  const auto bytes = files.read_file(settings_file);
  if (!bytes) return {0, 0};
  const ByteReader in(*bytes);
  return {in.i16(0), in.i16(2)};
}

bool write_settings(FileSystem& files, const std::string& settings_file, bool bgm_on,
                    bool sound_on) {
  const char on = static_cast<char>(0xFF);
  const char contents[4] = {bgm_on ? on : '\0', bgm_on ? on : '\0', sound_on ? on : '\0',
                            sound_on ? on : '\0'};
  return files.replace_file(settings_file, std::string_view(contents, 4));
}

void read_settings_into(FileSystem& files, RunState& state) {
  state.settings_from_user_file =
      !state.user_settings_file.empty() && files.is_plain_file(state.user_settings_file);
  const UserSettings settings = read_settings(
      files, state.settings_from_user_file ? state.user_settings_file : state.SettingsFile);
  state.BgmEnabled = settings.BgmEnabled;
  state.SoundEnabled = settings.SoundEnabled;
}

bool save_settings(FileSystem& files, const RunState& state, bool bgm_on, bool sound_on) {
  if (state.settings_from_user_file) {
    return write_settings(files, state.user_settings_file, bgm_on, sound_on);
  }
  if (write_settings(files, state.SettingsFile, bgm_on, sound_on)) return true;
  if (state.user_settings_file.empty()) return false;
  // The folder itself, one level: its parent (the user's configuration
  // folder) is the system's to make.
  const std::string& file = state.user_settings_file;
  const std::string folder = file.substr(0, file.find_last_of(std::string("/") + kPathSeparator));
  if (files.create_folder(folder) == CreateFolderResult::Failed) return false;
  return write_settings(files, file, bgm_on, sound_on);
}

}  // namespace showsaver
