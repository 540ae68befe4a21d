#include "xscreensaver_install.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <vector>

namespace showsaver::showpack {
namespace {

constexpr std::string_view kSettingsName = "~/.xscreensaver";
constexpr std::string_view kResource = "programs:";

// A line of the file without its end, and its end ("\n", or "" at the end
// of a file without a final newline), so that joining gives the bytes back.
struct Line {
  std::string content;
  std::string end;
};

std::vector<Line> split_lines(std::string_view text) {
  std::vector<Line> lines;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    if (newline == std::string_view::npos) {
      lines.push_back({std::string(text), ""});
      break;
    }
    lines.push_back({std::string(text.substr(0, newline)), "\n"});
    text.remove_prefix(newline + 1);
  }
  return lines;
}

std::string joined(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines) text += line.content + line.end;
  return text;
}

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

// An odd number of backslashes at the end: the value goes on in the next
// line (an even number is escaped backslashes).
bool continues(std::string_view content) {
  const std::size_t kept = content.find_last_not_of('\\');
  const std::size_t backslashes =
      kept == std::string_view::npos ? content.size() : content.size() - kept - 1;
  return backslashes % 2 == 1;
}

// The line's part of the value: without the continuing backslash.
std::string_view value_part(std::string_view content) {
  return continues(content) ? content.substr(0, content.size() - 1) : content;
}

// The part ends a display mode: its last characters are the "\n" escape.
bool ends_mode(std::string_view part) {
  part = trimmed(part);
  return part.size() >= 2 && part.back() == 'n' && continues(part.substr(0, part.size() - 1));
}

// Where the resource lies: its first line and its last.
struct ProgramsResource {
  std::size_t first = 0;
  std::size_t last = 0;
  std::size_t value_offset = 0;  // where the value starts in the first line
};

// The value's part on the resource's first line.
std::string_view header_value(const std::vector<Line>& lines, const ProgramsResource& resource) {
  return value_part(std::string_view(lines[resource.first].content).substr(resource.value_offset));
}

struct Located {
  std::optional<ProgramsResource> resource;
  std::string problem;
};

// The resource name at the start of a logical line, "programs:" or "*programs:".
std::optional<std::size_t> value_start(std::string_view content) {
  std::size_t at = content.find_first_not_of(" \t");
  if (at == std::string_view::npos) return std::nullopt;
  if (content[at] == '*') ++at;
  if (content.substr(at, kResource.size()) != kResource) return std::nullopt;
  return at + kResource.size();
}

Located locate_programs(const std::vector<Line>& lines) {
  Located located;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t first = i;
    while (continues(lines[i].content) && i + 1 < lines.size()) ++i;
    const auto start = value_start(lines[first].content);
    if (!start) continue;
    if (located.resource) {
      return {std::nullopt, std::string(kSettingsName) + " sets programs: twice, in lines " +
                                std::to_string(located.resource->first + 1) + " and " +
                                std::to_string(first + 1) +
                                "; xscreensaver-settings writes it once, so it has been edited "
                                "by hand: keep one and try again."};
    }
    if (continues(lines[i].content)) {
      return {std::nullopt, std::string(kSettingsName) +
                                " ends inside its programs: resource (its last line ends with a "
                                "backslash); it looks cut short."};
    }
    located.resource = ProgramsResource{first, i, *start};
  }
  if (!located.resource) {
    located.problem = std::string(kSettingsName) +
                      " has no programs: resource, the list of display modes; let "
                      "xscreensaver-settings write the file again (change any setting) and try "
                      "again.";
  }
  return located;
}

// One display mode on a line of its own: "[-] [VISUAL:] ["Label"] command".
struct ModeLine {
  std::size_t line = 0;
  std::string label;
  std::string program;  // the command's first word, unquoted
};

// The command after a mode's prefixes: the "-" of a disabled mode, a visual
// ("GL:") and a label in quotes, which goes to `label`.
std::string_view after_prefixes(std::string_view mode, std::string& label) {
  mode = trimmed(mode);
  if (!mode.empty() && mode.front() == '-') mode = trimmed(mode.substr(1));
  for (int prefix = 0; prefix < 2; ++prefix) {
    if (!mode.empty() && mode.front() == '"') {
      const std::size_t close = mode.find('"', 1);
      if (close == std::string_view::npos) break;
      label = std::string(mode.substr(1, close - 1));
      mode = trimmed(mode.substr(close + 1));
      continue;
    }
    const std::size_t word_end = std::min(mode.find_first_of(" \t"), mode.size());
    if (word_end > 1 && mode[word_end - 1] == ':' &&
        std::all_of(
            mode.begin(), mode.begin() + static_cast<std::ptrdiff_t>(word_end - 1),
            [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; })) {
      mode = trimmed(mode.substr(word_end));
    }
  }
  return mode;
}

ModeLine mode_line(std::size_t line, std::string_view part) {
  part = trimmed(part);
  if (ends_mode(part)) part.remove_suffix(2);
  ModeLine mode{line, {}, {}};
  const std::string_view command = after_prefixes(part, mode.label);
  if (!command.empty() && command.front() == '\'') {
    const std::size_t close = command.find('\'', 1);
    if (close != std::string_view::npos) mode.program = std::string(command.substr(1, close - 1));
  } else {
    mode.program = std::string(command.substr(0, command.find_first_of(" \t")));
  }
  return mode;
}

// For each line of the value after the first (index 0 is the line after
// the resource's name), whether a display mode starts there: after a "\n",
// or blank lines after one.
std::vector<bool> mode_starts(const std::vector<Line>& lines, const ProgramsResource& resource) {
  std::vector<bool> starts;
  const std::string_view header = header_value(lines, resource);
  bool at_start = trimmed(header).empty() || ends_mode(header);
  for (std::size_t i = resource.first + 1; i <= resource.last; ++i) {
    starts.push_back(at_start);
    const std::string_view part = value_part(lines[i].content);
    at_start = ends_mode(part) || (trimmed(part).empty() && at_start);
  }
  return starts;
}

// The lines after the first that each hold one whole display mode.  The last
// line ends a mode without the "\n".
std::vector<ModeLine> whole_mode_lines(const std::vector<Line>& lines,
                                       const ProgramsResource& resource) {
  std::vector<ModeLine> modes;
  const std::vector<bool> starts = mode_starts(lines, resource);
  for (std::size_t i = resource.first + 1; i <= resource.last; ++i) {
    const std::string_view part = value_part(lines[i].content);
    if (starts[i - resource.first - 1] && !trimmed(part).empty() &&
        (ends_mode(part) || i == resource.last)) {
      modes.push_back(mode_line(i, part));
    }
  }
  return modes;
}

// The first line after the resource's name on which a display mode starts.
std::optional<std::size_t> first_mode_start(const std::vector<Line>& lines,
                                            const ProgramsResource& resource) {
  const std::vector<bool> starts = mode_starts(lines, resource);
  const auto first = std::find(starts.begin(), starts.end(), true);
  if (first == starts.end()) return std::nullopt;
  return resource.first + 1 + static_cast<std::size_t>(first - starts.begin());
}

bool safe_text(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || c == '"' || c == '\\' || c == '\'';
  });
}

ProgramsEdit refused(std::string message) {
  return {ProgramsEditOutcome::Refused, {}, std::move(message)};
}

struct Parsed {
  std::vector<Line> lines;
  ProgramsResource resource;
};

// The file's lines and its resource, or the refusal to give.
std::optional<Parsed> parse(const std::optional<std::string>& settings, ProgramsEdit& refusal) {
  if (!settings) {
    refusal = refused(std::string(kSettingsName) +
                      " does not exist: xscreensaver keeps each user's settings there once "
                      "they are first changed. Start xscreensaver-settings (from the xscreensaver "
                      "package), change any setting, close it, and try again.");
    return std::nullopt;
  }
  Parsed parsed{split_lines(*settings), {}};
  const Located located = locate_programs(parsed.lines);
  if (!located.resource) {
    refusal = refused(located.problem);
    return std::nullopt;
  }
  parsed.resource = *located.resource;
  return parsed;
}

}  // namespace

std::optional<std::string> display_mode_command(const std::string& show_path) {
  if (show_path.empty() || !safe_text(show_path)) return std::nullopt;
  const bool plain = std::all_of(show_path.begin(), show_path.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) ||
           std::string_view("/._-+,:@%=").find(c) != std::string_view::npos;
  });
  return (plain ? show_path : "'" + show_path + "'") + " --root";
}

ProgramsEdit add_show_to_programs(const std::optional<std::string>& settings,
                                  const std::string& label, const std::string& show_path) {
  const auto command = display_mode_command(show_path);
  if (!command) {
    return refused("The show's path " + show_path +
                   " holds a quote, a backslash or a control character, which xscreensaver's "
                   "list cannot hold; move or rename the show.");
  }
  if (label.empty() || !safe_text(label)) {
    return refused("The name \"" + label +
                   "\" cannot be listed: give one without quotes, backslashes or control "
                   "characters.");
  }
  ProgramsEdit refusal;
  auto parsed = parse(settings, refusal);
  if (!parsed) return refusal;
  auto& [lines, resource] = *parsed;
  for (const ModeLine& mode : whole_mode_lines(lines, resource)) {
    if (mode.program == show_path) {
      return {ProgramsEditOutcome::AlreadyListed,
              {},
              show_path + " is listed already, as \"" + mode.label + "\" in line " +
                  std::to_string(mode.line + 1) + " of " + std::string(kSettingsName) + "."};
    }
  }
  const std::string mode = "  \"" + label + "\"  " + *command + "  \\n";
  if (const auto start = first_mode_start(lines, resource)) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*start), Line{mode + "\\", "\n"});
  } else {
    // The value ends with a whole mode, or is empty: the show goes last.
    Line& last = lines[resource.last];
    const std::string_view last_part = resource.last == resource.first
                                           ? header_value(lines, resource)
                                           : std::string_view(last.content);
    if (!trimmed(last_part).empty() && !ends_mode(last_part)) {
      return refused("The programs: resource of " + std::string(kSettingsName) +
                     " is laid out in a way this command does not change; add this line to it "
                     "yourself: " +
                     mode);
    }
    const Line added{mode, last.end};
    last.content += '\\';
    last.end = "\n";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(resource.last + 1), added);
  }
  return {ProgramsEditOutcome::Changed, joined(lines),
          "Listed " + show_path + " as \"" + label + "\" in " + std::string(kSettingsName) + "."};
}

ProgramsEdit remove_show_from_programs(const std::optional<std::string>& settings,
                                       const std::string& show_path) {
  ProgramsEdit refusal;
  auto parsed = parse(settings, refusal);
  if (!parsed) return refusal;
  auto& [lines, resource] = *parsed;
  std::vector<ModeLine> modes = whole_mode_lines(lines, resource);
  std::erase_if(modes, [&](const ModeLine& mode) { return mode.program != show_path; });
  if (modes.empty()) {
    return {ProgramsEditOutcome::NotListed,
            {},
            show_path + " is not listed in " + std::string(kSettingsName) + "; nothing to remove."};
  }
  std::size_t last = resource.last;
  for (auto mode = modes.rbegin(); mode != modes.rend(); ++mode) {
    if (mode->line == last) {
      // The line before becomes the value's last: it ends where this one did.
      Line& before = lines[mode->line - 1];
      before.content.pop_back();
      before.end = lines[mode->line].end;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(mode->line));
    --last;
  }
  return {ProgramsEditOutcome::Changed, joined(lines),
          "Removed " + show_path + " from " + std::string(kSettingsName) + "."};
}

}  // namespace showsaver::showpack
