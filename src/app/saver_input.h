// The saver's input rules: which messages taken from the queue end a full-screen saver.
// Messages carry the Win32 numbers on every platform; other shells translate their own
// events into these records.
#pragma once

#include <cstdint>
#include <optional>

// Not named WM_* so that this header can sit beside <windows.h>, whose macros would
// otherwise rewrite the names.
inline constexpr uint32_t kWmActivate = 0x0006;
inline constexpr uint32_t kWmActivateApp = 0x001C;
inline constexpr uint32_t kWmNcActivate = 0x0086;
inline constexpr uint32_t kWmKeyDown = 0x0100;
inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmMouseMove = 0x0200;
inline constexpr uint32_t kWmLButtonDown = 0x0201;

// A mouse may wander this many pixels from where it was, in each direction, without
// ending the saver.
inline constexpr int64_t kMouseMoveTolerance = 15;

// A screen position: where the cursor was when the saver window was shown.
struct CursorPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

struct AppMessageRecord {
  AppMessageRecord() = default;
  AppMessageRecord(uint32_t message, uint64_t wParam, int64_t lParam)
      : Message(message), WParam(wParam), LParam(lParam) {}

  uint32_t Message = 0;
  uint64_t WParam = 0;
  int64_t LParam = 0;
  // A mouse move's position on the screen, when the shell knows it: a move can reach any of
  // the saver's windows, on any monitor, left of or above the primary one too. Without it the
  // position is lParam's two words read unsigned, as a window at the screen's origin gets it.
  std::optional<CursorPoint> ScreenPos;
};

// Where on the screen a mouse message's position is: lParam's two words read signed (left of
// or above a window they are negative) plus the screen position of that window's client area.
CursorPoint MousePositionOnScreen(int64_t lParam, CursorPoint clientOrigin);

// True when `message` ends the saver: a key press, an activation message, or a mouse move
// beyond the tolerance from `StartCursorPos` (measured from ScreenPos when the record has it).
// A preview never ends this way.
bool MessageEndsSaver(const AppMessageRecord& message, bool Preview, CursorPoint StartCursorPos);
