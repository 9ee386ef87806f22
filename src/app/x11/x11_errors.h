// X protocol errors as values: the default Xlib handler ends the process on any error, which
// a saver must not do when, say, a preview host disappears between two requests.
#pragma once

#include "app/x11/x11_types.h"

// Installs handlers that count protocol errors instead of exiting, and end the process when
// the connection to the display is lost (InstallDisplayLostHandler).
void InstallX11ErrorHandlers();

// When the connection to the display is lost (the X server ended or went away), one line on
// standard error says so and the process ends at once with exit code 1. GTK installs its own
// handler when it opens its display; calling this afterwards puts ours back.
void InstallDisplayLostHandler();

// Counts the protocol errors raised by the requests made while it lives.
class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  // Waits for the server to answer every request made so far; true if any failed.
  bool Failed();

 private:
  Display* display_;
  unsigned long errorsBefore_;
};

// True when `window` names an existing window on the display.
bool X11WindowExists(Display* display, Window window);
