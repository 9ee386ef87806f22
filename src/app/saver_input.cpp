// The input rules that end a full-screen saver.
#include "app/saver_input.h"

namespace {

// The position packed in a mouse message's lParam, each half read unsigned (0..65535).
int64_t LowWord(int64_t lParam) {
  return static_cast<int64_t>(lParam & 0xFFFF);
}
int64_t HighWord(int64_t lParam) {
  return static_cast<int64_t>((lParam >> 16) & 0xFFFF);
}

// 64-bit arithmetic, so that no recorded position can overflow the difference.
bool FarApart(int64_t a, int64_t b) {
  const int64_t distance = a > b ? a - b : b - a;
  return distance > kMouseMoveTolerance;
}

bool MovedTooFar(const AppMessageRecord& move, CursorPoint start) {
  if (move.ScreenPos) {
    return FarApart(move.ScreenPos->X, start.X) || FarApart(move.ScreenPos->Y, start.Y);
  }
  return FarApart(LowWord(move.LParam), start.X) || FarApart(HighWord(move.LParam), start.Y);
}

}  // namespace

CursorPoint MousePositionOnScreen(int64_t lParam, CursorPoint clientOrigin) {
  const auto x = static_cast<int16_t>(static_cast<uint16_t>(LowWord(lParam)));
  const auto y = static_cast<int16_t>(static_cast<uint16_t>(HighWord(lParam)));
  return {clientOrigin.X + x, clientOrigin.Y + y};
}

bool MessageEndsSaver(const AppMessageRecord& message, bool Preview, CursorPoint StartCursorPos) {
  if (Preview) return false;
  switch (message.Message) {
    case kWmMouseMove:
      return MovedTooFar(message, StartCursorPos);
    case kWmKeyDown:
    case kWmActivate:
    case kWmActivateApp:
    case kWmNcActivate:
      return true;
    default:
      return false;  // clicks, Alt (WM_SYSKEYDOWN) and the rest pass untouched
  }
}
