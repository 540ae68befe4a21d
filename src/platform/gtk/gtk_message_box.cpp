#include "platform/gtk/gtk_message_box.h"

#include <algorithm>

#include "platform/gtk/gtk_modal.h"
#include "platform/player_texts.h"

namespace showsaver {
namespace {

constexpr int kSpacing = 12;
// Long failure descriptions wrap at about this many characters.
constexpr int kMaximumLineCharacters = 60;

gboolean dismiss_on_escape(GtkWidget* window, GdkEventKey* key, gpointer) {
  if (key->keyval != GDK_KEY_Escape) return FALSE;
  gtk_widget_hide(window);
  return TRUE;
}

void dismiss(GtkButton*, gpointer window) {
  gtk_widget_hide(GTK_WIDGET(window));
}

}  // namespace

const char* message_box_icon(unsigned style) {
  switch (style & 0xF0u) {
    case 0x10:
      return "dialog-error";
    case 0x20:
      return "dialog-question";
    case 0x30:
      return "dialog-warning";
    case 0x40:
      return "dialog-information";
    default:
      return nullptr;
  }
}

void run_message_box(const std::string& text, const std::string& title, unsigned style,
                     GtkWindow* parent, std::uintptr_t foreign_owner, int end_request_fd) {
  GtkWindow* window = new_dialog_window(title.c_str(), parent);
  // Above the show window, which stays on top of everything else.
  gtk_window_set_keep_above(window, TRUE);
  if (parent == nullptr) set_foreign_owner(window, foreign_owner);

  GtkWidget* rows = gtk_box_new(GTK_ORIENTATION_VERTICAL, kSpacing);
  gtk_container_set_border_width(GTK_CONTAINER(rows), kSpacing);
  GtkWidget* message = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, kSpacing);
  if (const char* icon = message_box_icon(style)) {
    GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    gtk_box_pack_start(GTK_BOX(message), image, FALSE, FALSE, 0);
  }
  std::string shown = text;
  // Windows breaks lines at CR LF, GTK at LF.
  std::erase(shown, '\r');
  GtkWidget* label = gtk_label_new(shown.c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), kMaximumLineCharacters);
  gtk_label_set_xalign(GTK_LABEL(label), 0.0F);
  gtk_widget_set_valign(label, GTK_ALIGN_CENTER);
  gtk_box_pack_start(GTK_BOX(message), label, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(rows), message, TRUE, TRUE, 0);

  GtkWidget* ok = gtk_button_new_with_label(kOkText);
  gtk_widget_set_halign(ok, GTK_ALIGN_CENTER);
  gtk_widget_set_size_request(ok, 88, -1);
  gtk_widget_set_can_default(ok, TRUE);
  gtk_box_pack_start(GTK_BOX(rows), ok, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(window), rows);
  gtk_window_set_default(window, ok);
  gtk_widget_grab_focus(ok);

  g_signal_connect(ok, "clicked", G_CALLBACK(dismiss), window);
  g_signal_connect(window, "key-press-event", G_CALLBACK(dismiss_on_escape), nullptr);
  run_modal(window, end_request_fd);
  destroy_modal_window(window);
  // Back to the dialog the box came from, also where no window manager does it.
  if (parent != nullptr) gtk_window_present(parent);
}

}  // namespace showsaver
