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

}  // namespace showsaver
