// A stand-in for a screen-saver host in the end-to-end tests: it creates a window, prints
// its id, and on signals resizes it (SIGUSR1, to twice its size) or destroys it (SIGUSR2).
// SIGTERM ends it. With "--close ID" it instead asks window ID to close, as a window
// manager's close button does, and exits.
#include <X11/Xlib.h>
#include <poll.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace {

volatile std::sig_atomic_t resizeRequested = 0;
volatile std::sig_atomic_t destroyRequested = 0;
volatile std::sig_atomic_t quitRequested = 0;

void OnSignal(int signal) {
  if (signal == SIGUSR1) resizeRequested = 1;
  if (signal == SIGUSR2) destroyRequested = 1;
  if (signal == SIGTERM) quitRequested = 1;
}

int AskToClose(const char* id) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::strtoul(id, nullptr, 0);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--close") return AskToClose(argv[2]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
  attributes.override_redirect = True;
  Window window =
      XCreateWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
  XMapWindow(display, window);
  XSync(display, False);
  std::printf("%lu\n", window);
  std::fflush(stdout);

  for (int s : {SIGUSR1, SIGUSR2, SIGTERM}) std::signal(s, OnSignal);
  while (!quitRequested) {
    if (resizeRequested) {
      resizeRequested = 0;
      XResizeWindow(display, window, 2 * width, 2 * height);
      XSync(display, False);
    }
    if (destroyRequested && window != None) {
      XDestroyWindow(display, window);
      XSync(display, False);
      window = None;
    }
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
    }
    poll(nullptr, 0, 20);
  }
  return 0;
}
