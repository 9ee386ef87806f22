// Endings that cannot wait for the loop. A frame on a software renderer can take seconds
// while it compiles a shader on a busy machine, and the loop only looks at its events between
// frames; but a preview must not outlive its host by more than a second, nor any mode its X
// server. A thread with a connection of its own ends the process as soon as either happens.
#pragma once

#include <thread>

#include "app/x11/x11_types.h"

class X11EndingWatch {
 public:
  // Watches the server of `display` and, unless it is 0 (Xlib's None), the window `host`:
  // its destruction ends the process with exit code 0, the server going away with the
  // lost-display line and exit code 1. Without a connection of its own it watches nothing.
  X11EndingWatch(Display* display, Window host);
  // Stops watching (the loop has ended by itself).
  ~X11EndingWatch();
  X11EndingWatch(const X11EndingWatch&) = delete;
  X11EndingWatch& operator=(const X11EndingWatch&) = delete;

 private:
  void Watch();

  Display* own_ = nullptr;
  Window host_;
  int stopPipe_[2] = {-1, -1};
  std::thread thread_;
};
