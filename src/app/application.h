// The application object: one per process. It holds the title, runs the one message loop
// and raises the events the saver hooks: idle (the frame timer), activate and deactivate of
// the whole application, and the input of every message taken from the queue, before the
// message is dispatched.
#pragma once

#include <string>

#include "app/saver_input.h"
#include "common/application_events.h"

// Raised with the saver's input event a queued message stands for; setting the flag marks the
// message handled, and a handled message is not dispatched.
using TMessageEvent = BoundMethod<const InputEvent&, bool&>;

class Application {
 public:
  virtual ~Application() = default;

  virtual void SetTitle(const std::string& title) = 0;
  virtual const std::string& Title() const = 0;

  // Shows the main window and runs the loop until the quit message: whenever the queue is
  // empty it raises Events.OnIdle and waits for the next message only if that reports done.
  // Returns the process exit code.
  virtual int Run() = 0;

  // Posts the quit message; the loop ends when it reaches it.
  virtual void Terminate() = 0;

  ApplicationEvents Events;
  TMessageEvent OnMessage;
};
