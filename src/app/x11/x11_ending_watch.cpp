// The watching thread: it owns its connection, so no Xlib call here meets the loop's.
#include "app/x11/x11_ending_watch.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>

X11EndingWatch::X11EndingWatch(Display* display, Window host) : host_(host) {
  // Opened and set up here, before the thread starts, so that only the thread uses it after.
  own_ = XOpenDisplay(DisplayString(display));
  if (own_ == nullptr || pipe(stopPipe_) != 0) return;
  if (host_ != None) {
    XSelectInput(own_, host_, StructureNotifyMask);
    XSync(own_, False);
  }
  thread_ = std::thread([this] { Watch(); });
}

X11EndingWatch::~X11EndingWatch() {
  if (thread_.joinable()) {
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = write(stopPipe_[1], &stop, 1);
    thread_.join();
  }
  for (int fd : stopPipe_) {
    if (fd >= 0) close(fd);
  }
  if (own_ != nullptr) XCloseDisplay(own_);
}

void X11EndingWatch::Watch() {
  for (;;) {
    // Xlib reads what has come; a server that has gone makes it call the lost-display
    // handler, which ends the process.
    while (XPending(own_) > 0) {
      XEvent event;
      XNextEvent(own_, &event);
      // _exit: nothing is left to save, and the orderly clean-up would wait on library
      // threads that a busy machine may not run for seconds.
      if (event.type == DestroyNotify && event.xdestroywindow.window == host_) _exit(0);
    }
    pollfd fds[2] = {{ConnectionNumber(own_), POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (poll(fds, 2, -1) > 0 && (fds[1].revents & POLLIN)) return;
  }
}
