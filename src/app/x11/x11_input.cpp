// X events read as the saver's input and activation.
#include "app/x11/x11_input.h"

#include <X11/keysym.h>

ActivationChange ClassifyFocusEvent(const XFocusChangeEvent& event) {
  if (event.mode == NotifyGrab || event.mode == NotifyUngrab) return ActivationChange::Unchanged;
  // Focus passing between a window of ours and its child, or following the pointer around
  // inside it, does not change which application is active.
  if (event.detail == NotifyInferior || event.detail == NotifyPointer)
    return ActivationChange::Unchanged;
  return event.type == FocusIn ? ActivationChange::Activate : ActivationChange::Deactivate;
}

std::optional<InputEvent> InputFromX11Event(const XEvent& event, KeySym keysym) {
  switch (event.type) {
    case MotionNotify:
      return InputEvent{InputKind::PointerMoved, {event.xmotion.x_root, event.xmotion.y_root}};
    case KeyPress: {
      const bool system = keysym == XK_Alt_L || keysym == XK_Alt_R || keysym == XK_F10 ||
                          (event.xkey.state & Mod1Mask) != 0;
      return InputEvent{system ? InputKind::SystemKeyPressed : InputKind::KeyPressed, {}};
    }
    case ButtonPress:
      return InputEvent{InputKind::ButtonPressed, {}};
    default:
      return std::nullopt;
  }
}
