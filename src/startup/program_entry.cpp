#include "startup/program_entry.h"

#include <new>
#include <optional>
#include <span>

#include "package/extraction.h"
#include "package/package_reader.h"
#include "platform/player_texts.h"
#include "player/show_window.h"
#include "startup/preview_mode.h"
#include "startup/program_paths.h"
#include "startup/screen_saver_switch.h"
#include "startup/settings_dialog_state.h"
#include "startup/settings_file.h"
#include "startup/temp_folder.h"

namespace showsaver {
namespace {

void log_quietly(Platform& platform, const std::string& text) noexcept {
  try {
    platform.host.log(text);
  } catch (...) {
  }
}

// Runs one step of the start; a step that throws is logged and skipped.
template <typename Step>
void step_quietly(Platform& platform, const char* what, Step step) noexcept {
  try {
    step();
  } catch (const std::exception& failure) {
    log_quietly(platform, std::string("Skipped ") + what + ": " + failure.what());
  } catch (...) {
    log_quietly(platform, std::string("Skipped ") + what + ".");
  }
}

// The program file is held once, mapped where the system can: the package's
// pictures, sounds and music are never copied, only written out from it.
// It is the running program's own file, which the system lets nobody cut
// short while the program runs.
void read_package_into(Platform& platform, RunState& state) {
  std::shared_ptr<const FileContents> file;
  try {
    file = platform.files.map_file(state.ProgramPackagePath);
  } catch (const std::bad_alloc&) {
    platform.host.log(state.ProgramPackagePath + " is too large to read; the show is empty.");
    return;
  }
  if (!file) {
    platform.host.log("Cannot open " + state.ProgramPackagePath + "; the show is empty.");
    state.PackageUnreadable = std::string(kShowFileNotOpened) + "\r\n" + state.ProgramPackagePath;
    return;
  }
  PackageReadResult result = read_show_package(std::move(file), platform.text);
  if (result.error) {
    platform.host.log(state.ProgramPackagePath + ": " + result.error->message());
    state.PackageUnreadable = std::string(kShowDamaged) + "\r\n" + state.ProgramPackagePath +
                              "\r\n" + result.error->where();
    return;
  }
  state.Package = std::move(result.package);
}

std::optional<std::string> create_extraction_folder(Platform& platform) {
  if (auto folder = create_temp_folder(platform.files, platform.host.extraction_parent())) {
    return folder;
  }
  const std::string fallback = platform.host.fallback_extraction_parent();
  if (fallback.empty()) return std::nullopt;
  return create_temp_folder(platform.files, fallback);
}

// The show cannot start: the user is told in a box, unless it is a preview,
// which nobody asked to look at.
void say_cannot_run(Platform& platform, WindowHandle preview_window) {
  if (preview_window == 0) {
    platform.dialogs.message_box(kCannotRun, kCannotRunTitle, mb::OK_INFORMATION, 0);
  }
}

// What a copy killed while it played left in either place, before this
// show takes the lowest free number.
void remove_abandoned_folders(Platform& platform) {
  for (const std::string& parent :
       {platform.host.extraction_parent(), platform.host.fallback_extraction_parent()}) {
    if (!parent.empty()) remove_abandoned_temp_folders(platform.files, parent);
  }
}

std::vector<std::string> extracted_names(const ShowPackage& package) {
  std::vector<std::string> names;
  for (const ExtractedFile& file : files_to_extract(package)) names.push_back(file.name);
  return names;
}

}  // namespace

void run_show_mode(Platform& platform, RunState& state, ShowObserver* observer,
                   WindowHandle preview_window) {
  if (platform.host.extraction_parent().empty()) {
    say_cannot_run(platform, preview_window);
    return;
  }
  step_quietly(platform, "removing abandoned folders", [&] { remove_abandoned_folders(platform); });
  const auto folder = create_extraction_folder(platform);
  if (!folder) {
    platform.host.log("No folder for the show's files could be created.");
    say_cannot_run(platform, preview_window);
    return;
  }
  state.TempFolder = *folder;
  // Held until the files are deleted; the folder goes once the mark is gone.
  std::unique_ptr<HeldMarker> in_use;
  try {
    in_use = mark_in_use(platform.files, state.TempFolder, extracted_names(state.Package));
    const ExtractionResult extraction =
        extract_show(platform.files, state.Package, state.TempFolder);
    if (!extraction.ok()) {
      platform.host.log(extraction.error);
      in_use.reset();
      delete_extracted_show(platform.files, state.Package, state.TempFolder);
      say_cannot_run(platform, preview_window);
      return;
    }
    // The show reads its files from the folder from now on.
    if (state.Package.file.contents) state.Package.file.contents->release_pages();
    ShowWindow window(platform,
                      ShowContext{state.Package, state.TempFolder, state.BgmEnabled,
                                  state.SoundEnabled, preview_window, state.PackageUnreadable},
                      observer);
    window.play();
    in_use.reset();
    window.unload();
  } catch (...) {
    // Only the extraction or the window's construction gets here (the show
    // reports its own failures): take back what was written, then pass it on.
    try {
      in_use.reset();
      delete_extracted_show(platform.files, state.Package, state.TempFolder);
    } catch (...) {
    }
    throw;
  }
}

namespace {

// The window that asked for the settings: the control panel's, named after
// "/c", else (Explorer's Configure) the foreground window.
WindowHandle settings_owner(Platform& platform, const std::string& arguments) {
  const WindowHandle named = window_handle_after_switch(arguments);
  return named != 0 ? named : platform.host.foreground_window();
}

void run_settings_mode(Platform& platform, const RunState& state, const std::string& arguments) {
  const WindowHandle owner = settings_owner(platform, arguments);
  if (state.Package.HasSettings == 0) {
    platform.dialogs.message_box(kNothingToSet, kNothingToSetTitle, mb::OK_INFORMATION, owner);
    return;
  }
  SettingsDialogState dialog(state, platform.files, platform.dialogs);
  platform.dialogs.show_settings_dialog(dialog, owner);
}

void run_password_change_mode(Platform& platform, const std::string& arguments) {
  WindowHandle parent = static_cast<WindowHandle>(password_parent_from(arguments));
  if (parent == 0) parent = platform.host.foreground_window();
  platform.host.change_password(parent);
}

}  // namespace

RunState read_run_state(Platform& platform) {
  RunState state;
  // Each step on its own: one that fails leaves its part of the state at the
  // defaults and the next one runs.
  step_quietly(platform, "reading the program's paths", [&] {
    const ProgramPaths paths =
        program_paths_for(platform.host.program_path(), platform.host.user_settings_folder());
    state.ProgramPackagePath = paths.ProgramPackagePath;
    state.SettingsFile = paths.SettingsFile;
    state.UserSettingsFile = paths.user_settings_file;
  });
  step_quietly(platform, "reading the show", [&] { read_package_into(platform, state); });
  step_quietly(platform, "reading the settings",
               [&] { read_settings_into(platform.files, state); });
  return state;
}

namespace {

// One show of a program at a time, and one settings dialog: a second request
// of the settings brings the open dialog forward instead.  The two never keep
// each other from starting; previews and the password change have no guard
// (the control panel starts and ends previews as it pleases).
bool another_copy_in_charge(Platform& platform, SaverMode mode) {
  switch (mode) {
    case SaverMode::Show:
      return platform.host.another_instance_running(InstanceGuard::Show);
    case SaverMode::Settings:
      if (!platform.host.another_instance_running(InstanceGuard::Settings)) return false;
      platform.dialogs.bring_settings_dialog_forward();
      return true;
    default:
      return false;
  }
}

void run_program_once(Platform& platform, ShowObserver* observer) {
  const std::string arguments = platform.host.arguments();
  const SaverMode mode = saver_mode_for(arguments);
  if (another_copy_in_charge(platform, mode)) return;
  RunState state = read_run_state(platform);
  switch (mode) {
    case SaverMode::Show:
      run_show_mode(platform, state, observer);
      break;
    case SaverMode::Settings:
      run_settings_mode(platform, state, arguments);
      break;
    case SaverMode::PasswordChange:
      run_password_change_mode(platform, arguments);
      break;
    case SaverMode::Preview:
      run_preview_mode(platform, state, arguments, observer);
      break;
    case SaverMode::None:
      // Nothing to show or to set; the command line's user may read why.
      platform.host.log("Unknown switch \"" + arguments + "\": nothing to do.");
      break;
  }
}

}  // namespace

void run_program(Platform& platform, ShowObserver* observer) {
  try {
    run_program_once(platform, observer);
  } catch (const std::exception& failure) {
    log_quietly(platform, std::string("The program stopped: ") + failure.what());
  } catch (...) {
    log_quietly(platform, "The program stopped on an unknown exception.");
  }
}

}  // namespace showsaver
