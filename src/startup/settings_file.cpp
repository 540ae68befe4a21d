#include "startup/settings_file.h"

namespace showsaver {
namespace {

std::int16_t read_flag(const Bytes& bytes, std::size_t offset) {
  const unsigned low = offset < bytes.size() ? bytes[offset] : 0;
  const unsigned high = offset + 1 < bytes.size() ? bytes[offset + 1] : 0;
  return static_cast<std::int16_t>(low | (high << 8));
}

}  // namespace

UserSettings read_settings(FileSystem& files, const std::string& settings_file) {
  if (!files.is_plain_file(settings_file)) return {-1, -1};
  const auto bytes = files.read_file(settings_file);
  if (!bytes) return {0, 0};
  return {read_flag(*bytes, 0), read_flag(*bytes, 2)};
}

bool write_settings(FileSystem& files, const std::string& settings_file, bool bgm_on,
                    bool sound_on) {
  const char on = static_cast<char>(0xFF);
  const char contents[4] = {bgm_on ? on : '\0', bgm_on ? on : '\0', sound_on ? on : '\0',
                            sound_on ? on : '\0'};
  return files.replace_file(settings_file, std::string_view(contents, 4));
}

}  // namespace showsaver
