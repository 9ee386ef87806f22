// Error handlers that keep the saver alive through protocol errors.
#include "app/x11/x11_errors.h"

#include <X11/Xlib.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

// Atomic: the ending watch's connection reports through the same handler from its thread.
std::atomic<unsigned long> errorCount = 0;

int CountError(Display*, XErrorEvent*) {
  ++errorCount;
  return 0;
}

// Xlib calls this once it cannot read from or write to the server, and must not be returned
// to. Nothing is left to draw on or to save; the libraries' own clean-up at exit would only
// talk to the dead connection again, so the process ends without it.
int DisplayLost(Display* display) {
  // The loop's connection and the ending watch's may both find the server gone; one line.
  static std::atomic_flag said = ATOMIC_FLAG_INIT;
  if (said.test_and_set()) {
    for (;;) pause();  // the first caller's _Exit ends this thread with the rest
  }
  std::fprintf(stderr, "orvanta: lost the connection to the display %s\n",
               display != nullptr ? DisplayString(display) : "");
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

void InstallX11ErrorHandlers() {
  XSetErrorHandler(CountError);
  InstallDisplayLostHandler();
}

void InstallDisplayLostHandler() {
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
