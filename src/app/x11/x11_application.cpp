// The X11 message loop, input translation and focus tracking.
#include "app/x11/x11_application.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <time.h>

#include <csignal>
#include <exception>
#include <optional>

#include "app/frame_pacing.h"
#include "app/x11/x11_input.h"

#include <X11/Xlib.h>

namespace {

// Written by the signal handler so that a loop waiting in poll() wakes at once.
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t terminationRequested = 0;

enum LoopState : std::sig_atomic_t { BeforeLoop, InLoop, AfterLoop };
volatile std::sig_atomic_t loopState = BeforeLoop;

// The signals that ask a program to end: XScreenSaver's and MATE's ending, Ctrl+C, and the
// terminal or session going away.
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnTerminationSignal(int) {
  if (loopState == BeforeLoop) _exit(0);  // async-signal-safe, unlike exit
  terminationRequested = 1;
  if (signalPipe[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  }
}

void DrainSignalPipe() {
  char buffer[16];
  while (signalPipe[0] >= 0 && read(signalPipe[0], buffer, sizeof buffer) > 0) {
  }
}

int64_t MonotonicMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1'000;
}

}  // namespace

void EndOnTerminationSignals() {
  if (signalPipe[0] < 0 && pipe(signalPipe) == 0) {
    for (int fd : signalPipe) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : kTerminationSignals) sigaction(signal, &action, nullptr);
}

X11Application::X11Application(Display* display) : display_(display) {}

void X11Application::PostQuit(int exitCode) {
  if (quitPosted_) return;
  quitPosted_ = true;
  exitCode_ = exitCode;
}

int X11Application::Run() {
  loopState = InLoop;
  if (ShowMainWindow) ShowMainWindow();
  XFlush(display_);
  while (!quitPosted_) {
    const int64_t turnStart = MonotonicMicroseconds();
    DispatchPending();
    if (terminationRequested) Terminate();
    if (quitPosted_) break;
    bool done = true;
    Guarded([&] { done = Events.RaiseIdle(this); });
    XFlush(display_);
    if (done && !quitPosted_ && XPending(display_) == 0) {
      WaitForEvent();
    } else if (!done && turnDelay_ > 0) {
      WaitOutTurn(turnStart);
    }
  }
  loopState = AfterLoop;
  return exitCode_;
}

void X11Application::DispatchPending() {
  while (!quitPosted_ && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    Guarded([&] { Dispatch(event); });
  }
}

template <class Step>
void X11Application::Guarded(Step step) {
  try {
    step();
  } catch (const std::exception& error) {
    if (!ShowException) throw;
    ShowException(error.what(), title_);
  }
}

void X11Application::Dispatch(XEvent& event) {
  const KeySym keysym = event.type == KeyPress ? XLookupKeysym(&event.xkey, 0) : NoSymbol;
  if (OnMessage) {
    // X has no dispatching of its own to skip: every event goes on to OnEvent.
    if (const std::optional<InputEvent> input = InputFromX11Event(event, keysym)) {
      bool handled = false;
      OnMessage(*input, handled);
    }
  }
  if (event.type == FocusIn || event.type == FocusOut) {
    const ActivationChange change = ClassifyFocusEvent(event.xfocus);
    if (change == ActivationChange::Activate && !active_) {
      active_ = true;
      Events.RaiseActivate(this);
    } else if (change == ActivationChange::Deactivate && active_) {
      active_ = false;
      Events.RaiseDeactivate(this);
    }
  }
  if (OnEvent) OnEvent(event);
}

// Sleeps until the display or a signal has something. The timeout bounds how late a
// condition that no event announces can be noticed.
void X11Application::WaitForEvent() {
  pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
  const nfds_t count = signalPipe[0] >= 0 ? 2 : 1;
  if (poll(fds, count, 250) > 0 && count == 2 && (fds[1].revents & POLLIN)) DrainSignalPipe();
}

// The rest of the turn's delay, spent in ppoll so that events are handled as they come and a
// terminating signal ends the wait at once.
void X11Application::WaitOutTurn(int64_t turnStart) {
  TurnPacer pacer(turnDelay_);
  pacer.TurnStarted(turnStart);
  for (;;) {
    DispatchPending();  // events the turn read into the queue would not wake ppoll
    const int64_t left = pacer.WaitLeft(MonotonicMicroseconds());
    if (left == 0 || quitPosted_ || terminationRequested) return;
    pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    const nfds_t count = signalPipe[0] >= 0 ? 2 : 1;
    const timespec timeout{static_cast<time_t>(left / 1'000'000),
                           static_cast<long>(left % 1'000'000) * 1'000};
    if (ppoll(fds, count, &timeout, nullptr) > 0 && count == 2 && (fds[1].revents & POLLIN)) {
      DrainSignalPipe();
    }
  }
}
