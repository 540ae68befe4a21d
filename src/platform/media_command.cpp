#include "platform/media_command.h"

#include <algorithm>
#include <cctype>

#include "platform/media.h"

namespace showsaver {

namespace {

constexpr std::string_view kAnyWord = "*";

struct CommandForm {
  MediaVerb verb;
  std::vector<std::string_view> words;  // kAnyWord matches any one word
};

const std::vector<CommandForm>& command_forms() {
  static const std::vector<CommandForm> forms = {
      {MediaVerb::Open, {"open", kAnyWord, "alias", "bgm"}},
      {MediaVerb::Play, {"play", "bgm"}},
      {MediaVerb::Status, {"status", "bgm", "mode"}},
      {MediaVerb::Seek, {"seek", "bgm", "to", "start"}},
      {MediaVerb::Close, {"close", "bgm"}},
  };
  return forms;
}

// Where the path stands in the open form.
constexpr std::size_t kOpenPathWord = 1;

bool same_word(std::string_view word, std::string_view keyword) {
  return std::equal(word.begin(), word.end(), keyword.begin(), keyword.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

bool matches(const std::vector<std::string>& words, const CommandForm& form) {
  return std::equal(words.begin(), words.end(), form.words.begin(), form.words.end(),
                    [](const std::string& word, std::string_view key) {
                      return key == kAnyWord || same_word(word, key);
                    });
}

}  // namespace

std::optional<std::vector<std::string>> split_media_command_words(std::string_view command) {
  constexpr std::string_view kBlanks = " \t";
  std::vector<std::string> words;
  std::size_t at = command.find_first_not_of(kBlanks);
  while (at != std::string_view::npos) {
    std::size_t next;
    if (command[at] == '"') {
      const std::size_t close = command.find('"', at + 1);
      if (close == std::string_view::npos) return std::nullopt;
      words.emplace_back(command.substr(at + 1, close - at - 1));
      next = close + 1;
    } else {
      next = command.find_first_of(kBlanks, at);
      words.emplace_back(command.substr(at, next - at));
    }
    at = next == std::string_view::npos ? next : command.find_first_not_of(kBlanks, next);
  }
  return words;
}

std::variant<MediaCommand, unsigned> parse_media_command(std::string_view command) {
  const std::optional<std::vector<std::string>> words = split_media_command_words(command);
  if (!words) return media_error::kUnrecognizedCommand;
  const auto& forms = command_forms();
  const auto form = std::find_if(forms.begin(), forms.end(),
                                 [&](const CommandForm& f) { return matches(*words, f); });
  if (form == forms.end()) return media_error::kUnrecognizedCommand;
  if (form->verb == MediaVerb::Open) return MediaCommand{form->verb, (*words)[kOpenPathWord]};
  return MediaCommand{form->verb, {}};
}

std::string_view media_device_type(SoundFormat format) {
  if (format == SoundFormat::Midi) return "sequencer";
  if (format == SoundFormat::Wav) return "waveaudio";
  return "mpegvideo";
}

std::string typed_open_command(const std::string& path, std::string_view device_type) {
  return "open \"" + path + "\" type " + std::string(device_type) + " alias bgm";
}

void fit_reply_to_capacity(std::string& reply, unsigned capacity) {
  if (reply.size() >= capacity) reply.resize(capacity > 0 ? capacity - 1 : 0);
}

}  // namespace showsaver
