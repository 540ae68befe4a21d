// Which player program a show is built on: one chosen by kind (`--for`),
// found beside showpack as the build tree or an installation lays it out,
// or a program file the author names (`--player`).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace showsaver::showpack {

enum class PlayerKind { linux_desktop, windows_64, windows_32 };

// "linux", "windows" (64-bit) or "windows32".
std::optional<PlayerKind> parse_player_kind(std::string_view text);
// "the Linux player", "the 64-bit Windows player" ...
std::string player_kind_label(PlayerKind kind);

// Where showpack looks for each kind of player, in order.
struct PlayerPlaces {
  std::filesystem::path showpack_folder;  // the folder of the running showpack
  // The Windows build trees, when this showpack is the build tree's own.
  std::vector<std::filesystem::path> windows_build_folders;
};

// The places of the running program: /proc/self/exe, and the build tree's
// Windows folders when it runs from the tree it was built in.
PlayerPlaces running_player_places();

// The candidate files for `kind`, most likely first.
std::vector<std::filesystem::path> player_candidates(PlayerKind kind, const PlayerPlaces& places);

// The first candidate that exists, else a sentence naming where it looked.
std::variant<std::filesystem::path, std::string> find_player(PlayerKind kind,
                                                             const PlayerPlaces& places);

}  // namespace showsaver::showpack
