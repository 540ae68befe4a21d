#include "player_choice.h"

#include <algorithm>
#include <system_error>

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

// An installation keeps the Windows players as data: bin/../share/showsaver/players.
const char* installed_windows_name(PlayerKind kind) {
  return kind == PlayerKind::windows_64 ? "showsaver-x86_64.scr" : "showsaver-i686.scr";
}

// A Windows build tree is named after its architecture: build-windows-x86_64.
const char* build_folder_suffix(PlayerKind kind) {
  return kind == PlayerKind::windows_64 ? "-x86_64" : "-i686";
}

std::vector<fs::path> split_folders(std::string_view list) {
  std::vector<fs::path> folders;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(':'), list.size());
    if (end > 0) folders.emplace_back(std::string(list.substr(0, end)));
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return folders;
}

}  // namespace

std::optional<PlayerKind> parse_player_kind(std::string_view text) {
  if (text == "linux") return PlayerKind::linux_desktop;
  if (text == "windows") return PlayerKind::windows_64;
  if (text == "windows32") return PlayerKind::windows_32;
  return std::nullopt;
}

std::string player_kind_label(PlayerKind kind) {
  switch (kind) {
    case PlayerKind::windows_64:
      return "the 64-bit Windows player";
    case PlayerKind::windows_32:
      return "the 32-bit Windows player";
    default:
      return "the Linux player";
  }
}

PlayerPlaces running_player_places() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  PlayerPlaces places{error ? fs::path() : program.parent_path(), {}};
#if defined(SHOWPACK_BUILD_FOLDER) && defined(SHOWPACK_WINDOWS_BUILD_FOLDERS)
  // Only the build tree's own showpack takes players from the build trees:
  // an installed copy must not pick up whatever a developer built last.
  if (fs::equivalent(places.showpack_folder, SHOWPACK_BUILD_FOLDER, error)) {
    places.windows_build_folders = split_folders(SHOWPACK_WINDOWS_BUILD_FOLDERS);
  }
#endif
  return places;
}

std::vector<fs::path> player_candidates(PlayerKind kind, const PlayerPlaces& places) {
  const fs::path& here = places.showpack_folder;
  if (kind == PlayerKind::linux_desktop) {
    // Installed: both in bin/.  Built: showpack in tools/showpack/ of the
    // tree, where the player without its symbols is the one shows carry.
    const fs::path tree = here.parent_path().parent_path();
    return {here / "showsaver", tree / "showsaver-stripped", tree / "showsaver"};
  }
  std::vector<fs::path> candidates{here.parent_path() / "share" / "showsaver" / "players" /
                                   installed_windows_name(kind)};
  for (const fs::path& folder : places.windows_build_folders) {
    if (folder.string().ends_with(build_folder_suffix(kind))) {
      candidates.push_back(folder / "showsaver.scr");
    }
  }
  return candidates;
}

std::variant<fs::path, std::string> find_player(PlayerKind kind, const PlayerPlaces& places) {
  const std::vector<fs::path> candidates = player_candidates(kind, places);
  std::string looked;
  for (const fs::path& candidate : candidates) {
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) return candidate.lexically_normal();
    looked += (looked.empty() ? "" : ", ") + candidate.lexically_normal().string();
  }
  std::string hint = kind == PlayerKind::linux_desktop
                         ? "build the project or install it"
                         : "build it with `make windows` or install a package that carries it";
  return "cannot find " + player_kind_label(kind) + " (looked for " + looked + "); " + hint +
         ", name a program with --player, or write the bare package with --package-only";
}

}  // namespace showsaver::showpack
