// The application object's events that other layers hook: the frame timer takes idle,
// activate and deactivate. Portable: the platform shells own the application object and
// raise these events.
#pragma once

#include "common/bound_method.h"

struct ApplicationEvents {
  TIdleEvent OnIdle;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  // Called by the message loop whenever its queue is empty; true means wait for a message.
  bool RaiseIdle(void* Sender) const {
    bool done = true;
    if (OnIdle) OnIdle(Sender, done);
    return done;
  }
  void RaiseActivate(void* Sender) const {
    if (OnActivate) OnActivate(Sender);
  }
  void RaiseDeactivate(void* Sender) const {
    if (OnDeactivate) OnDeactivate(Sender);
  }
};
