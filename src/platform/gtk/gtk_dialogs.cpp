#include "platform/gtk/gtk_dialogs.h"

#include <gtk/gtk.h>

#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_modal.h"
#include "platform/gtk/gtk_settings_window.h"
#include "platform/gtk/settings_window_mark.h"

namespace showsaver {
namespace {

constexpr double kDefaultDpi = 96.0;

// The settings dialog's design sizes leave no room for the theme's generous
// button and option padding; these rules let the controls fit their boxes.
constexpr const char* kSettingsStyle =
    "#showsaver-settings button { min-height: 0; min-width: 0; padding: 0 4px; }\n"
    "#showsaver-settings radiobutton { min-height: 0; padding: 0; }\n";

void add_settings_style() {
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, kSettingsStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

double screen_dpi() {
  const double dpi = gdk_screen_get_resolution(gdk_screen_get_default());
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

GtkDialogs::GtkDialogs(Dialogs& fallback, int end_request_fd, std::string program)
    : fallback_(fallback), end_request_fd_(end_request_fd), program_(std::move(program)) {}

bool GtkDialogs::ready() {
  if (start_ == Start::NotTried) {
    // The program's own locale stays as it is: its texts are UTF-8 throughout.
    gtk_disable_setlocale();
    start_ = gtk_init_check(nullptr, nullptr) == TRUE ? Start::Started : Start::Failed;
    if (start_ == Start::Started) add_settings_style();
  }
  return start_ == Start::Started;
}

void GtkDialogs::message_box(const std::string& text, const std::string& title, unsigned style,
                             WindowHandle owner) {
  if (!ready()) {
    fallback_.message_box(text, title, style, owner);
    return;
  }
  run_message_box(text, title, style, open_dialog_, owner, end_request_fd_);
}

void GtkDialogs::bring_settings_dialog_forward() {
  if (!program_.empty() && ready()) present_settings_window(gdk_display_get_default(), program_);
}

void GtkDialogs::show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) {
  if (!ready()) {
    fallback_.show_settings_dialog(dialog, owner);
    return;
  }
  GtkSettingsWindow window(dialog, screen_dpi());
  set_foreign_owner(window.window(), owner);
  if (!program_.empty()) mark_settings_window(window.window(), program_);
  open_dialog_ = window.window();
  window.run(end_request_fd_);
  open_dialog_ = nullptr;
}

}  // namespace showsaver
