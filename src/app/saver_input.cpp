// The input rules that end a full-screen saver.
#include "app/saver_input.h"

namespace {

// 64-bit arithmetic, so that no recorded position can overflow the difference.
bool FarApart(int64_t a, int64_t b) {
  const int64_t distance = a > b ? a - b : b - a;
  return distance > kMouseMoveTolerance;
}

bool MovedTooFar(CursorPoint now, CursorPoint start) {
  return FarApart(now.X, start.X) || FarApart(now.Y, start.Y);
}

}  // namespace

bool InputEndsSaver(const InputEvent& event, bool Preview, CursorPoint StartCursorPos) {
  if (Preview) return false;
  switch (event.Kind) {
    case InputKind::PointerMoved:
      return MovedTooFar(event.Position, StartCursorPos);
    case InputKind::KeyPressed:
    // Activation that comes through the input at all, either way, means another window is
    // taking part: the saver must not go on under it.
    case InputKind::Activated:
    case InputKind::Deactivated:
      return true;
    case InputKind::SystemKeyPressed:
    case InputKind::ButtonPressed:
      return false;  // Alt alone or a click leaves the saver running
  }
  return false;
}
