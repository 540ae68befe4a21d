#include "platform/gtk/gtk_modal.h"

#include <gdk/gdkx.h>
#include <glib-unix.h>

#include <initializer_list>

namespace showsaver {
namespace {

struct ModalRun {
  GMainLoop* loop = nullptr;
  GtkWindow* window = nullptr;
  guint end_watch = 0;
};

void quit_on_hide(GtkWidget*, gpointer data) {
  g_main_loop_quit(static_cast<ModalRun*>(data)->loop);
}

gboolean hide_on_close(GtkWidget* window, GdkEvent*, gpointer) {
  gtk_widget_hide(window);
  return TRUE;
}

gboolean close_on_end_request(gint, GIOCondition, gpointer data) {
  auto* run = static_cast<ModalRun*>(data);
  run->end_watch = 0;
  gtk_window_close(run->window);
  return G_SOURCE_REMOVE;
}

// Without a window manager nobody gives the new window the keyboard; asking
// for it once the window is on screen makes GTK set the focus itself.
gboolean focus_when_mapped(GtkWidget* window, GdkEvent*, gpointer) {
  gtk_window_present_with_time(GTK_WINDOW(window), GDK_CURRENT_TIME);
  return FALSE;
}

}  // namespace

GtkWindow* new_dialog_window(const char* title, GtkWindow* parent) {
  GtkWindow* window = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
  gtk_window_set_title(window, title);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_modal(window, TRUE);
  gtk_window_set_skip_taskbar_hint(window, TRUE);
  gtk_window_set_skip_pager_hint(window, TRUE);
  if (parent != nullptr) {
    gtk_window_set_transient_for(window, parent);
    gtk_window_set_position(window, GTK_WIN_POS_CENTER_ON_PARENT);
  } else {
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  }
  gtk_widget_realize(GTK_WIDGET(window));
  gdk_window_set_functions(gtk_widget_get_window(GTK_WIDGET(window)),
                           static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
  return window;
}

void set_foreign_owner(GtkWindow* window, std::uintptr_t owner) {
  GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window));
  if (owner == 0 || !GDK_IS_X11_DISPLAY(display)) return;
  GdkWindow* foreign = gdk_x11_window_foreign_new_for_display(display, static_cast<Window>(owner));
  if (foreign == nullptr) return;
  gdk_window_set_transient_for(gtk_widget_get_window(GTK_WIDGET(window)), foreign);
  g_object_unref(foreign);
}

void run_modal(GtkWindow* window, int end_request_fd) {
  ModalRun run{g_main_loop_new(nullptr, FALSE), window, 0};
  const gulong on_hide = g_signal_connect(window, "hide", G_CALLBACK(quit_on_hide), &run);
  const gulong on_close =
      g_signal_connect(window, "delete-event", G_CALLBACK(hide_on_close), nullptr);
  const gulong on_map =
      g_signal_connect(window, "map-event", G_CALLBACK(focus_when_mapped), nullptr);
  if (end_request_fd >= 0) {
    run.end_watch = g_unix_fd_add(end_request_fd, G_IO_IN, close_on_end_request, &run);
  }
  gtk_widget_show_all(GTK_WIDGET(window));
  gtk_window_present(window);
  g_main_loop_run(run.loop);
  if (run.end_watch != 0) g_source_remove(run.end_watch);
  for (const gulong handler : {on_hide, on_close, on_map})
    g_signal_handler_disconnect(window, handler);
  g_main_loop_unref(run.loop);
}

void destroy_modal_window(GtkWindow* window) {
  GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window));
  gtk_widget_destroy(GTK_WIDGET(window));
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  gdk_display_sync(display);
}

}  // namespace showsaver
