#include "name_rules.h"

#include <algorithm>
#include <vector>

#include "package/file_names.h"
#include "package/package_writer.h"
#include "text_codec.h"

namespace showsaver::showpack {
namespace {

// NAME_MAX on Linux file systems; Windows allows 255 characters.
constexpr std::size_t kLongestName = 255;

// What Windows refuses in a file name beyond the rule every player applies.
std::optional<std::string> windows_character_problem(std::string_view name) {
  for (char c : name) {
    if (std::string_view("<>\"|?*").find(c) != std::string_view::npos) {
      return "holds '" + std::string(1, c) + "', which Windows does not allow in file names";
    }
  }
  return std::nullopt;
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
std::optional<std::string> unstorable_characters(std::string_view name) {
  const std::optional<std::string> whole = cp932_problem(name, text_codec());
  if (!whole || whole->starts_with("is not valid UTF-8")) return whole;
  std::vector<std::string> listed;
  for_each_character(name, [&](std::string_view character, bool storable) {
    if (storable) return;
    std::string label = "\"" + std::string(character) + "\"";
    // The writer's own sentence names the code point: "... (U+ADF8), ...".
    const std::string problem = cp932_problem(character, text_codec()).value_or("");
    const std::size_t open = problem.find("(U+");
    if (open != std::string::npos) {
      label += " " + problem.substr(open, problem.find(')', open) - open + 1);
    }
    if (std::find(listed.begin(), listed.end(), label) == listed.end()) listed.push_back(label);
  });
  std::string text;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == listed.size() ? " and " : ", ") + listed[i];
  }
  return "holds " + std::string(listed.size() == 1 ? "a character" : "characters") +
         " a show cannot store: " + text +
         "; names are stored in the Japanese Windows character set (code page 932), which has "
         "Japanese and Latin letters, digits and the common signs";
}

}  // namespace

std::string storable_spelling(std::string_view name) {
  std::string spelling;
  for_each_character(name, [&](std::string_view character, bool storable) {
    spelling += storable ? std::string(character) : "_";
  });
  return spelling;
}

std::string fold_case(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return folded;
}

std::optional<std::string> stored_name_problem(std::string_view name) {
  if (name.empty()) return "is empty";
  if (auto problem = unsafe_name_reason(name)) return problem;
  if (auto problem = windows_character_problem(name)) return problem;
  if (name.back() == ' ' || name.back() == '.') {
    return "ends with a space or '.', which Windows drops from file names";
  }
  if (name.size() > kLongestName) {
    return "is " + std::to_string(name.size()) + " bytes long; a file name holds at most 255";
  }
  return unstorable_characters(name);
}

}  // namespace showsaver::showpack
