// X protocol errors as values: the default Xlib handler ends the process on any error, which
// a saver must not do when, say, a preview host disappears between two requests.
#pragma once

#include "app/x11/x11_types.h"

// Installs handlers that count protocol errors instead of exiting, and end the process
// quietly (exit code 0) when the connection to the display is lost.
void InstallX11ErrorHandlers();

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
