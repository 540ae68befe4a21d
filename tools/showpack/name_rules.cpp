#include "name_rules.h"

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

}  // namespace

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
  return cp932_problem(name, text_codec());
}

}  // namespace showsaver::showpack
