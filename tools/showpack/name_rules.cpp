#include "name_rules.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "package/file_names.h"
#include "package/package_writer.h"
#include "text_codec.h"

namespace showsaver::showpack {
namespace {

// NAME_MAX on Linux file systems; Windows allows 255 characters.
constexpr std::size_t kLongestName = 255;

// What Windows refuses in a file name beyond the rule every player applies.
std::optional<WordedFault> windows_character_problem(std::string_view name) {
  for (char c : name) {
    if (std::string_view("<>\"|?*").find(c) != std::string_view::npos) {
      return worded_fault(Problem::NameWindowsCharacter, {{"character", std::string(1, c)}});
    }
  }
  return std::nullopt;
}

// The player's rule (package/file_names.h) says why in English only; its
// cases, told apart again here for the code a page words them by.
WordedFault player_rule_fault(std::string_view name, std::string reason) {
  const ProblemValues words{{"reason", std::move(reason)}};
  if (name == "." || name == "..") return worded_fault(Problem::NameFolder, {}, words);
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "U+%04X", byte);
      return worded_fault(Problem::NameControlCharacter, {{"codePoint", code}}, words);
    }
    if (c == '/' || c == '\\') {
      return worded_fault(Problem::NamePathSeparator, {{"character", std::string(1, c)}}, words);
    }
    if (c == ':') return worded_fault(Problem::NameDriveSeparator, {}, words);
  }
  return worded_fault(is_device_name(name) ? Problem::NameDevice : Problem::NamePlayerMark, {},
                      words);
}

// The length of the UTF-8 sequence at the start of `text`; 1 for a byte
// that starts none, so that it is looked at alone.
std::size_t sequence_length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return std::min(length, text.size());
}

// Calls `visit` with each character of `name` and whether a show can store it.
template <typename Visit>
void for_each_character(std::string_view name, Visit visit) {
  while (!name.empty()) {
    const std::string_view character = name.substr(0, sequence_length(name));
    visit(character, text_codec().utf8_to_cp932(character).has_value());
    name.remove_prefix(character.size());
  }
}

// Every character that cannot be stored, once each, with its code point.
std::optional<WordedFault> unstorable_characters(std::string_view name) {
  const std::optional<std::string> whole = cp932_problem(name, text_codec());
  if (!whole) return std::nullopt;
  if (whole->starts_with("is not valid UTF-8")) {
    return worded_fault(Problem::NameNotUtf8, {}, {{"reason", *whole}});
  }
  std::vector<std::pair<std::string, std::string>> listed;  // the character, its code point
  for_each_character(name, [&](std::string_view character, bool storable) {
    if (storable) return;
    // The writer's own sentence names the code point: "... (U+ADF8), ...".
    const std::string problem = cp932_problem(character, text_codec()).value_or("");
    const std::size_t open = problem.find("(U+");
    std::string code_point;
    if (open != std::string::npos)
      code_point = problem.substr(open + 1, problem.find(')', open) - open - 1);
    const std::pair<std::string, std::string> entry{std::string(character), code_point};
    if (std::find(listed.begin(), listed.end(), entry) == listed.end()) listed.push_back(entry);
  });
  std::string text, characters, code_points;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    const auto& [character, code_point] = listed[i];
    text += (i == 0                   ? ""
             : i + 1 == listed.size() ? " and "
                                      : ", ") +
            ("\"" + character + "\"") + (code_point.empty() ? "" : " (" + code_point + ")");
    characters += (i == 0 ? "" : " ") + character;
    code_points += (i == 0 ? "" : " ") + code_point;
  }
  return worded_fault(
      Problem::NameNotInCodePage, {{"characters", characters}, {"codePoints", code_points}},
      {{"count", listed.size() == 1 ? "a character" : "characters"}, {"list", text}});
}

}  // namespace

std::string storable_spelling(std::string_view name) {
  std::string spelling;
  for_each_character(name, [&](std::string_view character, bool storable) {
    const auto byte = static_cast<unsigned char>(character[0]);
    const bool refused =
        byte < 0x20 || byte == 0x7F ||
        std::string_view("/\\:<>\"|?*").find(character[0]) != std::string_view::npos;
    spelling += storable && !refused ? std::string(character) : "_";
  });
  // "..", a device or the player's mark: a leading '_' makes it a plain name.
  if (spelling.empty() || unsafe_name_reason(spelling)) spelling.insert(0, "_");
  if (spelling.size() > kLongestName) {
    std::size_t end = kLongestName;
    while ((static_cast<unsigned char>(spelling[end]) & 0xC0) == 0x80) --end;
    spelling.resize(end);
  }
  if (spelling.back() == '.' || spelling.back() == ' ') spelling.back() = '_';
  return spelling;
}

std::string fold_case(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return folded;
}

std::optional<WordedFault> stored_name_fault(std::string_view name) {
  if (name.empty()) return worded_fault(Problem::NameEmpty);
  if (auto reason = unsafe_name_reason(name)) return player_rule_fault(name, std::move(*reason));
  if (auto fault = windows_character_problem(name)) return fault;
  if (name.back() == ' ' || name.back() == '.') {
    return worded_fault(Problem::NameTrailingDotOrSpace);
  }
  if (name.size() > kLongestName) {
    return worded_fault(Problem::NameTooLong, {{"bytes", std::to_string(name.size())},
                                               {"most", std::to_string(kLongestName)}});
  }
  return unstorable_characters(name);
}

std::optional<std::string> stored_name_problem(std::string_view name) {
  auto fault = stored_name_fault(name);
  if (!fault) return std::nullopt;
  return std::move(fault->text);
}

}  // namespace showsaver::showpack
