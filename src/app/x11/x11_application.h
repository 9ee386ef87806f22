// The application object on X11: one loop over the display connection that dispatches
// events and, whenever the queue is empty, raises the idle event. Keyboard focus on the
// application's windows drives the activate and deactivate events; a terminating signal
// ends the loop like Terminate does (EndOnTerminationSignals).
#pragma once

#include <cstdint>

#include <functional>
#include <string>

#include "app/application.h"
#include "app/x11/x11_types.h"

// Called once at process start: SIGTERM, SIGINT and SIGHUP end the program with exit code 0
// from then on. Before the loop runs they end it at once: start-up keeps nothing that needs
// finishing, and may be waiting on a display, a library or a box nobody will answer. While
// the loop runs they end the loop, which returns 0 like Terminate; after it they leave the
// program to end the way it was already ending.
void EndOnTerminationSignals();

class X11Application : public Application {
 public:
  explicit X11Application(Display* display);
  X11Application(const X11Application&) = delete;
  X11Application& operator=(const X11Application&) = delete;

  void SetTitle(const std::string& title) override { title_ = title; }
  const std::string& Title() const override { return title_; }
  int Run() override;
  void Terminate() override { PostQuit(0); }

  // Posts the quit message with the code Run returns. The first code posted wins.
  void PostQuit(int exitCode);
  bool QuitPosted() const { return quitPosted_; }
  bool Active() const { return active_; }

  // After each turn of the loop wait this long less the time the turn took, still waking
  // for events and signals. 0, the default, never waits while the idle event asks not to.
  void SetTurnDelay(int64_t microseconds) { turnDelay_ = microseconds; }

  // Called once by Run before the first event: maps the main window.
  std::function<void()> ShowMainWindow;
  // Every event, after the message filter has seen it.
  std::function<void(XEvent&)> OnEvent;
  // Shows an error raised while the loop runs, in a box titled with the application's
  // title; the loop then goes on.
  std::function<void(const std::string& text, const std::string& title)> ShowException;

 private:
  void Dispatch(XEvent& event);
  template <class Step>
  void Guarded(Step step);
  void WaitForEvent();
  void WaitOutTurn(int64_t turnStart);
  void DispatchPending();

  Display* display_;
  std::string title_;
  bool quitPosted_ = false;
  int exitCode_ = 0;
  bool active_ = false;
  int64_t turnDelay_ = 0;
};
