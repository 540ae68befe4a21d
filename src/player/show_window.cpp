#include "player/show_window.h"

#include <new>

#include "common/runtime_failure.h"
#include "package/extraction.h"
#include "platform/picture_placement.h"
#include "platform/player_texts.h"

namespace showsaver {
namespace {

// Runs one step of the error handler; a step that fails is skipped.
template <typename Step>
void attempt(Step step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

std::string failure_text(const std::string& description, const std::string& source) {
  return std::string(kUnknownError) + "\r\n" + description + "\r\n" + source;
}

}  // namespace

ShowWindow::ShowWindow(Platform& platform, ShowContext show, ShowObserver* observer)
    : platform_(platform),
      show_(std::move(show)),
      surfaces_(platform),
      stop_(platform.windows, show_.preview()),
      music_(platform.media, show_),
      scenes_(platform, show_, surfaces_, stop_, music_, observer) {}

void ShowWindow::play() {
  try {
    set_up();
    do {
      scenes_.show_start();
      scenes_.scene_loop();
    } while (!end_of_show());
  } catch (const RuntimeFailure& failure) {
    report_failure(failure.description(), failure.source());
  } catch (const std::bad_alloc&) {
    report_failure(kOutOfMemoryDescription, kProjectSource);
  } catch (const std::exception& failure) {
    // A fault of the program itself (an index out of range, a length or a
    // file-system error) is reported the same way, with its own text.
    report_failure(failure.what(), kProjectSource);
  } catch (...) {
    report_failure(kUnknownFailureDescription, kProjectSource);
  }
}

void ShowWindow::set_up() {
  const std::int32_t width = show_.package.PictureWidth;
  const std::int32_t height = show_.package.PictureHeight;
  if (width < 0 || height < 0) {
    throw RuntimeFailure(std::string(kInvalidPropertyValueDescription) + " (picture area " +
                         std::to_string(width) + " x " + std::to_string(height) + ")");
  }
  open_window({width, height});
  PictureSurface& visible = surfaces_.Picture1;
  visible.set_background(show_.package.BackColor);
  visible.resize(width, height);
  for (PictureSurface* hidden : {&surfaces_.NowPicture, &surfaces_.NextPicture}) {
    hidden->set_background(visible.background());
    hidden->resize(visible.width(), visible.height());
  }
  surfaces_.MemPicture.set_background(visible.background());
  scenes_.load_scene_picture(0);
  platform_.windows.show_window();
  platform_.loop.process_messages();
  if (!show_.preview()) platform_.windows.make_topmost();
  music_.start();
}

void ShowWindow::open_window(Size picture) {
  WindowSystem& windows = platform_.windows;
  if (show_.preview()) {
    // The host's program owns the screen: no notice, no power events.
    windows.create_preview_window(show_.PreviewWindow, picture, stop_);
    return;
  }
  windows.set_screen_saver_running(true);
  windows.create_show_window(centred_area(windows.screen_size(), picture), stop_);
  platform_.power.watch_power(music_);
}

bool ShowWindow::password_switch_on() {
  const auto value = platform_.host.screen_save_use_password();
  return value.has_value() && *value != 0;
}

bool ShowWindow::end_of_show() {
  stop_.show_cursor();
  // A preview ends with its host window: nothing to check or to withdraw.
  if (show_.preview()) return true;
  if (password_switch_on()) {
    const PasswordCheck check =
        platform_.host.verify_screen_saver_password(platform_.windows.show_window_handle());
    if (check == PasswordCheck::WrongOrCancelled) {
      stop_.hide_cursor();
      return false;
    }
    if (check == PasswordCheck::Unavailable) {
      platform_.host.log("No screen-saver password check here; the system's lock is in charge.");
    }
  }
  platform_.windows.set_screen_saver_running(false);
  music_.close();
  music_.stop_sounds();
  return true;
}

void ShowWindow::report_failure(const std::string& description,
                                const std::string& source) noexcept {
  // An unread show fails on its first scene; the box says why it was not read.
  std::string text;
  attempt([&] {
    text = show_.unreadable.empty() ? failure_text(description, source) : show_.unreadable;
  });
  if (show_.preview()) {
    // Nobody asked for the preview's attention: no box over the host.
    attempt([&] { platform_.host.log(text); });
    return;
  }
  // The screen-saver notice is the system's, and outlives the process on
  // Windows: withdraw it, and give the cursor back, before the box asks for
  // the user's attention.  The music plays on behind the box.
  attempt([&] { platform_.windows.set_screen_saver_running(false); });
  attempt([&] { stop_.show_cursor(); });
  attempt([&] { platform_.dialogs.message_box(text, kErrorTitle, mb::OK_EXCLAMATION, 0); });
  attempt([&] { music_.close(); });
}

void ShowWindow::unload() noexcept {
  attempt([&] { delete_extracted_show(platform_.files, show_.package, show_.TempFolder); });
  attempt([&] { platform_.windows.destroy_show_window(); });
}

}  // namespace showsaver
