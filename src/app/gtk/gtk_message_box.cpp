// GTK message dialogs with the stderr copy of their text.
#include "app/gtk/gtk_message_box.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <string>

namespace {
void (*displayOpened)() = nullptr;
}  // namespace

void OnGtkDisplayOpened(void (*hook)()) {
  displayOpened = hook;
}

bool GtkDisplayAvailable() {
  static const bool available = [] {
    if (!gtk_init_check(nullptr, nullptr)) return false;
    if (displayOpened != nullptr) displayOpened();
    return true;
  }();
  return available;
}

void WriteMessageLine(std::string_view text, std::string_view title) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
               static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
}

void ShowMessageBoxGtk(std::string_view text, std::string_view title, MessageBoxIcon icon) {
  WriteMessageLine(text, title);
  if (!GtkDisplayAvailable()) return;
  const GtkMessageType type = icon == MessageBoxIcon::Error ? GTK_MESSAGE_ERROR : GTK_MESSAGE_INFO;
  const std::string message(text);
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, GTK_BUTTONS_OK, "%s",
                                             message.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), std::string(title).c_str());
  // Above a full-screen saver window, and reachable without a window manager.
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  // Let the unmapping reach the server before the caller carries on or exits.
  while (gtk_events_pending()) gtk_main_iteration();
}
