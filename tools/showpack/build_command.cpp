#include "build_command.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "command_status.h"
#include "file_io.h"
#include "manifest_source.h"
#include "package/package_reader.h"
#include "player_choice.h"
#include "show_file.h"
#include "text_codec.h"
#include "title_slot.h"

namespace showsaver::showpack {
namespace {

struct BuildOptions {
  std::string manifest;
  std::string output;
  std::string player;                // --player
  std::optional<PlayerKind> kind;    // --for
  bool package_only = false;         // --package-only
  std::optional<std::string> title;  // --title, which wins over the manifest's
};

void warn(const std::string& message) {
  std::cerr << "showpack build: warning: " << message << '\n';
}

int fail(const std::string& message) {
  std::cerr << "showpack build: error: " << message << '\n';
  return 1;
}

// The player program the show is built on, and how to name it to the author.
struct ChosenPlayer {
  std::filesystem::path path;
  std::string label;  // "the Linux player /usr/bin/showsaver"
};

std::variant<ChosenPlayer, std::string> choose_player(const BuildOptions& options) {
  if (!options.player.empty()) return ChosenPlayer{options.player, "the player " + options.player};
  const PlayerKind kind = options.kind.value_or(PlayerKind::linux_desktop);
  auto found = find_player(kind, running_player_places());
  if (auto* why = std::get_if<std::string>(&found)) return std::move(*why);
  const auto& path = std::get<std::filesystem::path>(found);
  return ChosenPlayer{path, player_kind_label(kind) + " " + path.string()};
}

// The player's bytes without any show package it already carries: a built
// show given as the player is built again, its old package dropped.
std::optional<std::vector<std::uint8_t>> plain_player(const std::filesystem::path& path,
                                                      unsigned& mode) {
  FileRead player = read_whole_file(path);
  if (player.error) {
    fail(*player.error);
    return std::nullopt;
  }
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) mode = status.st_mode & 0777;
  const PackageReadResult carried = read_show_package(player.bytes, text_codec());
  if (carried.ok() && carried.record_offset > 0) {
    warn(path.string() + " is a built show: its show package is replaced by the new one");
    player.bytes.resize(std::size_t(carried.record_offset));
  }
  return std::move(player.bytes);
}

// Writes the title into the player's slot.  A player without a slot (the
// Linux one) keeps no title: refused when asked for with --title, else the
// manifest's title is left out with a warning.
bool apply_title(std::vector<std::uint8_t>& player, const std::string& title,
                 const BuildOptions& options, const ChosenPlayer& chosen) {
  if (find_title_slots(player).empty() && !options.title) {
    warn("the title \"" + title + "\" is left out: " + chosen.label +
         " has no title slot; only the Windows players list a show under its title");
    return true;
  }
  if (auto error = write_title(player, title)) {
    fail(chosen.path.string() + ": " + *error);
    return false;
  }
  return true;
}

// The bytes the show's file opens with: the chosen player, titled, or none
// for a bare package.
std::optional<std::vector<std::uint8_t>> player_bytes(const BuildOptions& options,
                                                      const std::optional<std::string>& title,
                                                      unsigned& mode, std::string& player_label) {
  mode = 0644;
  if (options.package_only) {
    if (title) warn("the title is kept only in a player; the bare package has none");
    return std::vector<std::uint8_t>{};
  }
  auto chosen = choose_player(options);
  if (auto* why = std::get_if<std::string>(&chosen)) {
    fail(*why);
    return std::nullopt;
  }
  const ChosenPlayer& player = std::get<ChosenPlayer>(chosen);
  auto bytes = plain_player(player.path, mode);
  if (!bytes) return std::nullopt;
  if (title && !apply_title(*bytes, *title, options, player)) return std::nullopt;
  player_label = player.label;
  return bytes;
}

int run_build(const BuildOptions& options) {
  if (options.package_only && options.title) {
    return fail("--title needs a player: a bare package has no title");
  }
  const BuiltManifest built = build_manifest(options.manifest, std::cerr);
  if (!built.package) return 1;
  const std::optional<std::string> title = options.title ? options.title : built.title;
  unsigned mode = 0;
  std::string player_label;
  const std::optional<std::vector<std::uint8_t>> player =
      player_bytes(options, title, mode, player_label);
  if (!player) return 1;
  const ShowFileWritten written =
      write_show_file(options.output, *player, *built.package, text_codec(), mode);
  if (written.error) return fail(*written.error);
  const std::int32_t scenes = built.package->SceneCount;
  std::cout << "wrote " << options.output << ": " << scenes
            << (scenes == 1 ? " scene, " : " scenes, ") << written.size << " bytes, "
            << (player_label.empty() ? "the bare package (no player)" : "on " + player_label)
            << '\n';
  return 0;
}

}  // namespace

void add_build_command(CLI::App& app) {
  auto options = std::make_shared<BuildOptions>();
  CLI::App* command = app.add_subcommand("build", "Build a show from a TOML manifest");
  command->add_option("manifest", options->manifest, "The show manifest (TOML)")->required();
  command->add_option("-o,--output", options->output, "The file to write")->required();
  auto kind = std::make_shared<std::string>();
  CLI::Option* for_option =
      command
          ->add_option("--for", *kind,
                       "The player to build on: linux (the default), windows (64-bit) or "
                       "windows32, as built or installed with showpack")
          ->check(CLI::IsMember({"linux", "windows", "windows32"}));
  CLI::Option* player_option = command->add_option(
      "--player", options->player,
      "Build on this program file (a built show given here has its package replaced)");
  CLI::Option* package_only = command->add_flag("--package-only", options->package_only,
                                                "Write the bare package, without a player");
  for_option->excludes(player_option);
  package_only->excludes(for_option)->excludes(player_option);
  auto title = std::make_shared<std::string>();
  CLI::Option* title_option = command->add_option(
      "--title", *title,
      "The show's name in the Windows screen-saver list (default: the manifest's title, else "
      "the file's name)");
  command->callback([options, kind, title, title_option] {
    if (!kind->empty()) options->kind = parse_player_kind(*kind);
    if (title_option->count() > 0) options->title = *title;
    finish_command(run_build(*options));
  });
}

}  // namespace showsaver::showpack
