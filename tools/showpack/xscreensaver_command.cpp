#include "xscreensaver_command.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "command_status.h"
#include "file_io.h"
#include "package/package_reader.h"
#include "text_codec.h"
#include "xscreensaver_install.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

struct XscreensaverOptions {
  std::string show;
  std::string name;
};

// xscreensaver's own rule: $HOME, else the password database's home.
fs::path settings_path() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* entry = ::getpwuid(::getuid());
    home = entry != nullptr ? entry->pw_dir : "/";
  }
  return fs::path(home) / ".xscreensaver";
}

// The show as the list names it: absolute, so that xscreensaver finds it
// from any folder, and without "." or ".." so that both commands agree.
std::string listed_path(const std::string& show) {
  return fs::absolute(show).lexically_normal().string();
}

// Why the file cannot be a display mode, if it cannot.
std::optional<std::string> show_problem(const std::string& show) {
  const FileRead file = read_whole_file(show);
  if (file.error) return *file.error;
  static constexpr std::uint8_t kElf[] = {0x7F, 'E', 'L', 'F'};
  if (file.bytes.size() < 4 || !std::equal(kElf, kElf + 4, file.bytes.begin())) {
    return show +
           " is not a Linux program: xscreensaver runs only shows built on the Linux "
           "player, showsaver.";
  }
  const PackageReadResult read = read_show_package(file.bytes, text_codec());
  if (!read.ok()) {
    return show + " carries no show that can be played (" + read.error->message() +
           "); build one with showpack build.";
  }
  if (::access(show.c_str(), X_OK) != 0) {
    return show + " may not be run; allow it with: chmod +x '" + show + "'";
  }
  return std::nullopt;
}

// The settings file's bytes; nothing when it does not exist.  Throws a
// message when it exists and cannot be read.
std::optional<std::string> read_settings(const fs::path& path) {
  std::error_code error;
  if (!fs::exists(path, error)) return std::nullopt;
  const FileRead file = read_whole_file(path);
  if (file.error) throw std::runtime_error(*file.error);
  return std::string(file.bytes.begin(), file.bytes.end());
}

void write_text(const fs::path& path, const std::string& text, unsigned mode) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (auto error = write_file_atomically(path, {bytes, text.size()}, mode)) {
    throw std::runtime_error(*error);
  }
}

// Keeps the old file as ~/.xscreensaver.bak and writes the new one where the
// name leads (a link to a file kept elsewhere stays a link).
void replace_settings(const fs::path& path, const std::string& old_text,
                      const std::string& new_text) {
  const fs::path target = fs::canonical(path);
  struct stat status {};
  const unsigned mode = ::stat(target.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0644;
  const fs::path backup = path.string() + ".bak";
  write_text(backup, old_text, mode);
  write_text(target, new_text, mode);
  std::cout << "The file as it was is kept in " << backup.string() << ".\n";
}

// xscreensaver-settings writes its own list when it closes, over this one.
bool settings_dialog_running() {
  std::error_code error;
  for (const auto& process : fs::directory_iterator("/proc", error)) {
    std::ifstream comm(process.path() / "comm");
    std::string name;
    // The kernel keeps 15 characters of the name.
    if (std::getline(comm, name) && name == "xscreensaver-se") return true;
  }
  return false;
}

int finish(const std::string& command, const ProgramsEdit& edit) {
  if (edit.outcome == ProgramsEditOutcome::Refused) {
    std::cerr << "showpack " << command << ": error: " << edit.message << '\n';
    return 2;
  }
  (edit.outcome == ProgramsEditOutcome::NotListed ? std::cerr : std::cout) << edit.message << '\n';
  return edit.outcome == ProgramsEditOutcome::NotListed ? 1 : 0;
}

int run_install(const XscreensaverOptions& options) {
  const std::string show = listed_path(options.show);
  if (const auto problem = show_problem(show)) {
    std::cerr << "showpack install-xscreensaver: error: " << *problem << '\n';
    return 2;
  }
  const std::string label = options.name.empty() ? fs::path(show).stem().string() : options.name;
  const fs::path path = settings_path();
  const auto settings = read_settings(path);
  const ProgramsEdit edit = add_show_to_programs(settings, label, show);
  const int status = finish("install-xscreensaver", edit);
  if (edit.outcome != ProgramsEditOutcome::Changed) return status;
  replace_settings(path, *settings, edit.text);
  std::cout << "xscreensaver-settings lists it among the display modes as \"" << label << "\".\n";
  if (settings_dialog_running()) {
    std::cout << "xscreensaver-settings is open: close it without changing anything, or it "
                 "writes its own list over this one.\n";
  }
  return status;
}

int run_uninstall(const XscreensaverOptions& options) {
  const fs::path path = settings_path();
  const auto settings = read_settings(path);
  const ProgramsEdit edit = remove_show_from_programs(settings, listed_path(options.show));
  const int status = finish("uninstall-xscreensaver", edit);
  if (edit.outcome == ProgramsEditOutcome::Changed) replace_settings(path, *settings, edit.text);
  return status;
}

}  // namespace

void add_install_xscreensaver_command(CLI::App& app) {
  auto options = std::make_shared<XscreensaverOptions>();
  CLI::App* command = app.add_subcommand(
      "install-xscreensaver",
      "List a show (built on the Linux player) among your xscreensaver display modes");
  command->add_option("show", options->show, "The show file")->required();
  command->add_option("--name", options->name,
                      "The name xscreensaver-settings lists it by (default: the file's name "
                      "without its extension)");
  command->callback([options] { finish_command(run_install(*options)); });
}

void add_uninstall_xscreensaver_command(CLI::App& app) {
  auto options = std::make_shared<XscreensaverOptions>();
  CLI::App* command = app.add_subcommand("uninstall-xscreensaver",
                                         "Take a show off your xscreensaver display modes");
  command->add_option("show", options->show, "The show file, as it was listed")->required();
  command->callback([options] { finish_command(run_uninstall(*options)); });
}

}  // namespace showsaver::showpack
