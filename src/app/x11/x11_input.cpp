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

bool TranslateX11Event(const XEvent& event, AppMessageRecord& message, KeySym keysym) {
  switch (event.type) {
    case MotionNotify: {
      // Each coordinate in 16 bits, as a Windows mouse message packs them, and the screen
      // position itself, which the rules measure from.
      const int64_t x = event.xmotion.x_root & 0xFFFF;
      const int64_t y = event.xmotion.y_root & 0xFFFF;
      message = {kWmMouseMove, 0, (y << 16) | x};
      message.ScreenPos = CursorPoint{event.xmotion.x_root, event.xmotion.y_root};
      return true;
    }
    case KeyPress: {
      const bool system = keysym == XK_Alt_L || keysym == XK_Alt_R || keysym == XK_F10 ||
                          (event.xkey.state & Mod1Mask) != 0;
      message = {system ? kWmSysKeyDown : kWmKeyDown, event.xkey.keycode, 0};
      return true;
    }
    case ButtonPress:
      message = {kWmLButtonDown, event.xbutton.button, 0};
      return true;
    default:
      return false;
  }
}
