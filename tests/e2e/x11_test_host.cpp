// A stand-in for a screen-saver host in the end-to-end tests, and the stopwatch that times
// how fast the saver follows what the host does.
//   WIDTH HEIGHT [--vroot]   creates a window, prints its id, resizes it to twice its size on
//                            SIGUSR1, ends on SIGTERM; with --vroot it marks the window as
//                            the virtual root, as XScreenSaver marks the window it draws on
//   --close ID               asks window ID to close, as a window manager's close button does
//   --destroy ID PID         destroys window ID, then waits for process PID to end
//   --kill SIGNAL VICTIM PID sends SIGNAL to VICTIM, waits for it to end, then for PID
// The last two print the milliseconds from the event (the window gone, the victim ended) to
// PID's end and exit 0, or exit 1 when PID still runs 10 s later. The clock starts once the
// event is certain and stops when the kernel reports the end, so a busy machine can only make
// the figure larger, never hide a late ending.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

namespace {

// Called through syscall(): the C library's declarations of these lack C linkage in C++.
int PidfdOpen(pid_t pid) {
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}
bool PidfdSendSignal(int pidfd, int signal) {
  return syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0) == 0;
}

volatile std::sig_atomic_t resizeRequested = 0;
volatile std::sig_atomic_t quitRequested = 0;

void OnSignal(int signal) {
  if (signal == SIGUSR1) resizeRequested = 1;
  if (signal == SIGTERM) quitRequested = 1;
}

double NowMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// True when the process behind `pidfd` ends within `milliseconds`.
bool EndsWithin(int pidfd, int milliseconds) {
  pollfd watched = {pidfd, POLLIN, 0};
  return poll(&watched, 1, milliseconds) == 1;
}

// Opened before the event, so that the process cannot end unseen (or its id be reused).
int OpenProcess(const char* pid) {
  const int pidfd = PidfdOpen(static_cast<pid_t>(std::atol(pid)));
  if (pidfd < 0) std::fprintf(stderr, "no process %s: %s\n", pid, std::strerror(errno));
  return pidfd;
}

int TimeEnd(int pidfd, double eventTime) {
  if (!EndsWithin(pidfd, 10'000)) {
    std::puts("still running 10 s later");
    return 1;
  }
  std::printf("%.0f\n", NowMilliseconds() - eventTime);
  return 0;
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

int DestroyAndTime(const char* id, const char* pid) {
  const int pidfd = OpenProcess(pid);
  Display* display = XOpenDisplay(nullptr);
  if (pidfd < 0 || !display) return 2;
  XDestroyWindow(display, std::strtoul(id, nullptr, 0));
  XSync(display, False);  // the server has destroyed it and sent its DestroyNotify
  const double destroyed = NowMilliseconds();
  XCloseDisplay(display);
  return TimeEnd(pidfd, destroyed);
}

int KillAndTime(const char* signal, const char* victim, const char* pid) {
  const int victimfd = OpenProcess(victim);
  const int pidfd = OpenProcess(pid);
  if (victimfd < 0 || pidfd < 0) return 2;
  if (!PidfdSendSignal(victimfd, std::atoi(signal))) return 2;
  if (!EndsWithin(victimfd, 10'000)) {
    std::puts("the victim still runs 10 s later");
    return 1;
  }
  return TimeEnd(pidfd, NowMilliseconds());
}

// XScreenSaver tells savers asked to draw "on the root" where its window is this way.
void MarkVirtualRoot(Display* display, Window window) {
  const Atom vroot = XInternAtom(display, "__SWM_VROOT", False);
  XChangeProperty(display, window, vroot, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&window), 1);
}

int Host(int width, int height, bool virtualRoot) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
  attributes.override_redirect = True;
  const Window window =
      XCreateWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
  if (virtualRoot) MarkVirtualRoot(display, window);
  XMapWindow(display, window);
  XSync(display, False);
  std::printf("%lu\n", window);
  std::fflush(stdout);

  for (int s : {SIGUSR1, SIGTERM}) std::signal(s, OnSignal);
  while (!quitRequested) {
    if (resizeRequested) {
      resizeRequested = 0;
      XResizeWindow(display, window, 2 * width, 2 * height);
      XSync(display, False);
    }
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
    }
    poll(nullptr, 0, 20);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 3 && first == "--close") return AskToClose(argv[2]);
  if (argc == 4 && first == "--destroy") return DestroyAndTime(argv[2], argv[3]);
  if (argc == 5 && first == "--kill") return KillAndTime(argv[2], argv[3], argv[4]);
  if (argc == 3 || (argc == 4 && std::string(argv[3]) == "--vroot")) {
    return Host(std::atoi(argv[1]), std::atoi(argv[2]), argc == 4);
  }
  std::fprintf(stderr,
               "usage: %s WIDTH HEIGHT [--vroot] | --close ID | --destroy ID PID | "
               "--kill SIGNAL VICTIM PID\n",
               argv[0]);
  return 2;
}
