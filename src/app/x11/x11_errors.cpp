// Error handlers that keep the saver alive through protocol errors.
#include "app/x11/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace {

unsigned long errorCount = 0;

int CountError(Display*, XErrorEvent*) {
  ++errorCount;
  return 0;
}

int DisplayLost(Display*) {
  // Nothing is left to draw on; a saver without a display just stops.
  std::_Exit(0);
}

}  // namespace

void InstallX11ErrorHandlers() {
  XSetErrorHandler(CountError);
  XSetIOErrorHandler(DisplayLost);
}

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  errorsBefore_ = errorCount;
}

bool X11ErrorTrap::Failed() {
  XSync(display_, False);
  return errorCount != errorsBefore_;
}

bool X11WindowExists(Display* display, Window window) {
  if (window == None) return false;
  X11ErrorTrap trap(display);
  XWindowAttributes attributes;
  const Status status = XGetWindowAttributes(display, window, &attributes);
  return !trap.Failed() && status != 0;
}
