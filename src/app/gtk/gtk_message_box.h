// Message boxes on a Linux desktop: a modal GTK message dialog when a display can be
// reached, and always the same "title: text" line on standard error, so that a failure is
// never lost when nobody sees the screen.
#pragma once

#include <string_view>

#include "app/saver_platform.h"

// Initialises GTK on first use; false when there is no display to show a dialog on.
bool GtkDisplayAvailable();

// `hook` runs once GTK has opened its display, so that the shell can put back what GTK
// replaced for the whole process (its handler for a lost display prints several lines).
void OnGtkDisplayOpened(void (*hook)());

// A box without an icon of its own shows GTK's information icon, the nearest it has.
// Returns when the user has pressed OK.
void ShowMessageBoxGtk(std::string_view text, std::string_view title, MessageBoxIcon icon);

// "title: text" on standard error, the line every message box also writes.
void WriteMessageLine(std::string_view text, std::string_view title);
