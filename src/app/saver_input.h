// The saver's input rules: which input ends a full-screen saver. The rules read events of
// the saver's own; each platform shell translates its native input into them once.
#pragma once

#include <cstdint>

// A mouse may wander this many pixels from where it was, in each direction, without
// ending the saver.
inline constexpr int64_t kMouseMoveTolerance = 15;

// A screen position: where the cursor was when the saver window was shown, or where a
// pointer move took it.
struct CursorPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

enum class InputKind : uint8_t {
  KeyPressed,
  SystemKeyPressed,  // Alt, F10 and keys pressed with Alt held: the system's, not the user's
  PointerMoved,
  ButtonPressed,
  Activated,    // an activation change reached the saver's own input
  Deactivated,  // the same, taking the activation away
};

struct InputEvent {
  InputKind Kind = InputKind::KeyPressed;
  // PointerMoved only: where the pointer is now, on the screen (which may be left of or above
  // the primary monitor, so negative).
  CursorPoint Position;
};

// True when `event` ends the saver: a key press, a change of activation, or a pointer move
// beyond the tolerance from `StartCursorPos`. A preview never ends this way.
bool InputEndsSaver(const InputEvent& event, bool Preview, CursorPoint StartCursorPos);
