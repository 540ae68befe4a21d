#include "platform/gtk/gtk_settings_window.h"

#include "platform/gtk/gtk_modal.h"
#include "platform/gtk/settings_layout.h"

namespace showsaver {
namespace {

constexpr const char* kCaption = "設定";
constexpr int kOkCommand = 0;
constexpr int kCancelCommand = 1;
constexpr float kFrameCaptionAlign = 0.05F;

// The option that says "on" in each frame: index 0 (music) and 2 (sounds).
bool is_on_option(int index) {
  return index % 2 == 0;
}

}  // namespace

GtkSettingsWindow::GtkSettingsWindow(SettingsDialog& dialog, double dpi) : dialog_(dialog) {
  window_ = new_dialog_window(kCaption, nullptr);
  // The CSS of settings_style() applies to this window only.
  gtk_widget_set_name(GTK_WIDGET(window_), "showsaver-settings");
  GtkWidget* area = gtk_fixed_new();
  const Box client = twips_to_pixels(kSettingsClientTwips, dpi);
  gtk_widget_set_size_request(area, client.width, client.height);

  GSList* group = nullptr;
  for (const DesignControl& control : kSettingsControls) {
    GtkWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::Frame:
        widget = gtk_frame_new(control.caption);
        // The caption a little in from the corner, as dialog frames have it.
        gtk_frame_set_label_align(GTK_FRAME(widget), kFrameCaptionAlign, 0.5F);
        group = nullptr;  // each frame is a group of its own
        break;
      case ControlKind::Option:
        widget = gtk_radio_button_new_with_label(group, control.caption);
        group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(widget));
        options_[static_cast<std::size_t>(control.index)] = widget;
        break;
      case ControlKind::Command:
        widget = gtk_button_new_with_label(control.caption);
        commands_[static_cast<std::size_t>(control.index)] = widget;
        break;
    }
    const Box place = placement_in_pixels(control, dpi);
    gtk_widget_set_size_request(widget, place.width, place.height);
    gtk_fixed_put(GTK_FIXED(area), widget, place.left, place.top);
  }
  gtk_container_add(GTK_CONTAINER(window_), area);

  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(options_[dialog_.music_on() ? 0 : 1]), TRUE);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(options_[dialog_.sounds_on() ? 2 : 3]), TRUE);
  for (GtkWidget* option : options_) {
    g_signal_connect(option, "toggled", G_CALLBACK(on_toggled), this);
  }
  for (GtkWidget* command : commands_) {
    g_signal_connect(command, "clicked", G_CALLBACK(on_clicked), this);
  }
  gtk_widget_set_can_default(commands_[kOkCommand], TRUE);
  gtk_window_set_default(window_, commands_[kOkCommand]);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(on_key), this);
  gtk_widget_grab_focus(tab_stop(0));
}

GtkSettingsWindow::~GtkSettingsWindow() {
  destroy_modal_window(window_);
}

void GtkSettingsWindow::run(int end_request_fd) {
  run_modal(window_, end_request_fd);
}

void GtkSettingsWindow::on_toggled(GtkToggleButton* button, gpointer data) {
  auto* self = static_cast<GtkSettingsWindow*>(data);
  if (gtk_toggle_button_get_active(button) == FALSE) return;
  for (int index = 0; index < 4; ++index) {
    if (self->options_[static_cast<std::size_t>(index)] != GTK_WIDGET(button)) continue;
    if (index < 2) {
      self->dialog_.choose_music(is_on_option(index));
    } else {
      self->dialog_.choose_sounds(is_on_option(index));
    }
  }
}

void GtkSettingsWindow::on_clicked(GtkButton* button, gpointer data) {
  auto* self = static_cast<GtkSettingsWindow*>(data);
  self->press(GTK_WIDGET(button) == self->commands_[kOkCommand] ? kOkCommand : kCancelCommand);
}

void GtkSettingsWindow::press(int command) {
  if (command == kOkCommand) {
    dialog_.accept();
  } else {
    dialog_.cancel();
  }
  // "OK" keeps the dialog open when the choice could not be kept.
  if (!dialog_.visible()) gtk_widget_hide(GTK_WIDGET(window_));
}

GtkWidget* GtkSettingsWindow::tab_stop(int position) const {
  switch (position) {
    case 0:
    case 1: {
      // A frame is entered at its selected option.
      GtkWidget* on = options_[static_cast<std::size_t>(position * 2)];
      GtkWidget* off = options_[static_cast<std::size_t>(position * 2 + 1)];
      return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(on)) ? on : off;
    }
    default:
      return commands_[static_cast<std::size_t>(position - 2)];
  }
}

int GtkSettingsWindow::tab_position_of(GtkWidget* widget) const {
  for (int index = 0; index < 4; ++index) {
    if (options_[static_cast<std::size_t>(index)] == widget) return index / 2;
  }
  for (int index = 0; index < 2; ++index) {
    if (commands_[static_cast<std::size_t>(index)] == widget) return 2 + index;
  }
  return -1;
}

gboolean GtkSettingsWindow::on_key(GtkWidget* window, GdkEventKey* key, gpointer data) {
  auto* self = static_cast<GtkSettingsWindow*>(data);
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window));
  const int position = self->tab_position_of(focus);
  switch (key->keyval) {
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab: {
      const bool backward =
          key->keyval == GDK_KEY_ISO_Left_Tab || (key->state & GDK_SHIFT_MASK) != 0;
      const int next = position < 0 ? 0 : (position + (backward ? 3 : 1)) % 4;
      gtk_widget_grab_focus(self->tab_stop(next));
      return TRUE;
    }
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
      // A focused button takes Enter itself.
      if (position >= 2) return FALSE;
      self->press(kOkCommand);
      return TRUE;
    case GDK_KEY_Escape:
      self->press(kCancelCommand);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace showsaver
