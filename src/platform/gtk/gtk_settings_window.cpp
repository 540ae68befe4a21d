#include "platform/gtk/gtk_settings_window.h"

#include "platform/gtk/gtk_modal.h"
#include "platform/gtk/settings_layout.h"
#include "platform/player_texts.h"
#include "platform/settings_dialog_design.h"

namespace showsaver {
namespace {

constexpr int kOkButton = 0;
constexpr int kCancelButton = 1;
constexpr float kGroupBoxTextAlign = 0.05F;

// The radio button that says "on" in each group box: index 0 (music) and 2 (sounds).
bool is_on_radio_button(int index) {
  return index % 2 == 0;
}

}  // namespace

GtkSettingsWindow::GtkSettingsWindow(SettingsDialog& dialog, double dpi) : dialog_(dialog) {
  window_ = new_dialog_window(kSettingsCaption, nullptr);
  // The CSS of settings_style() applies to this window only.
  gtk_widget_set_name(GTK_WIDGET(window_), "showsaver-settings");
  GtkWidget* area = gtk_fixed_new();
  const Size client = twips_to_pixels(kSettingsClientTwips, dpi);
  gtk_widget_set_size_request(area, client.width, client.height);

  GSList* group = nullptr;
  for (const DesignControl& control : kSettingsControls) {
    GtkWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::GroupBox:
        widget = gtk_frame_new(control.text);
        // The text a little in from the corner, as dialog group boxes have it.
        gtk_frame_set_label_align(GTK_FRAME(widget), kGroupBoxTextAlign, 0.5F);
        group = nullptr;  // each group box holds a group of its own
        break;
      case ControlKind::RadioButton:
        widget = gtk_radio_button_new_with_label(group, control.text);
        group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(widget));
        radio_buttons_[static_cast<std::size_t>(control.index)] = widget;
        break;
      case ControlKind::Button:
        widget = gtk_button_new_with_label(control.text);
        buttons_[static_cast<std::size_t>(control.index)] = widget;
        break;
    }
    const Rect place = placement_in_pixels(control, dpi);
    gtk_widget_set_size_request(widget, place.width, place.height);
    gtk_fixed_put(GTK_FIXED(area), widget, place.left, place.top);
  }
  gtk_container_add(GTK_CONTAINER(window_), area);

  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(radio_buttons_[dialog_.music_on() ? 0 : 1]), TRUE);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(radio_buttons_[dialog_.sounds_on() ? 2 : 3]),
                               TRUE);
  for (GtkWidget* radio_button : radio_buttons_) {
    g_signal_connect(radio_button, "toggled", G_CALLBACK(on_toggled), this);
  }
  for (GtkWidget* button : buttons_) {
    g_signal_connect(button, "clicked", G_CALLBACK(on_clicked), this);
  }
  gtk_widget_set_can_default(buttons_[kOkButton], TRUE);
  gtk_window_set_default(window_, buttons_[kOkButton]);
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
    if (self->radio_buttons_[static_cast<std::size_t>(index)] != GTK_WIDGET(button)) continue;
    if (index < 2) {
      self->dialog_.choose_music(is_on_radio_button(index));
    } else {
      self->dialog_.choose_sounds(is_on_radio_button(index));
    }
  }
}

void GtkSettingsWindow::on_clicked(GtkButton* button, gpointer data) {
  auto* self = static_cast<GtkSettingsWindow*>(data);
  self->press(GTK_WIDGET(button) == self->buttons_[kOkButton] ? kOkButton : kCancelButton);
}

void GtkSettingsWindow::press(int button) {
  if (button == kOkButton) {
    dialog_.accept();
  } else {
    dialog_.cancel();
  }
  // OK keeps the dialog open when the choice could not be kept.
  if (!dialog_.visible()) gtk_widget_hide(GTK_WIDGET(window_));
}

GtkWidget* GtkSettingsWindow::tab_stop(int position) const {
  switch (position) {
    case 0:
    case 1: {
      // A group box is entered at its selected radio button.
      GtkWidget* on = radio_buttons_[static_cast<std::size_t>(position * 2)];
      GtkWidget* off = radio_buttons_[static_cast<std::size_t>(position * 2 + 1)];
      return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(on)) ? on : off;
    }
    default:
      return buttons_[static_cast<std::size_t>(position - 2)];
  }
}

int GtkSettingsWindow::tab_position_of(GtkWidget* widget) const {
  for (int index = 0; index < 4; ++index) {
    if (radio_buttons_[static_cast<std::size_t>(index)] == widget) return index / 2;
  }
  for (int index = 0; index < 2; ++index) {
    if (buttons_[static_cast<std::size_t>(index)] == widget) return 2 + index;
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
      self->press(kOkButton);
      return TRUE;
    case GDK_KEY_Escape:
      self->press(kCancelButton);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace showsaver
