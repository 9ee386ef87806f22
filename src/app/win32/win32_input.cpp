// Windows messages read as the saver's input.
#include "app/win32/win32_input.h"

#include <cstdint>

namespace {

CursorPoint MovePosition(LPARAM lParam, std::optional<CursorPoint> clientOrigin) {
  const auto low = static_cast<uint16_t>(lParam & 0xFFFF);
  const auto high = static_cast<uint16_t>((lParam >> 16) & 0xFFFF);
  if (!clientOrigin) return {low, high};
  return {clientOrigin->X + static_cast<int16_t>(low),
          clientOrigin->Y + static_cast<int16_t>(high)};
}

InputEvent Activation(bool active) {
  return {active ? InputKind::Activated : InputKind::Deactivated, {}};
}

}  // namespace

std::optional<InputEvent> InputFromMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                           std::optional<CursorPoint> clientOrigin) {
  switch (message) {
    case WM_MOUSEMOVE:
      return InputEvent{InputKind::PointerMoved, MovePosition(lParam, clientOrigin)};
    case WM_KEYDOWN:
      return InputEvent{InputKind::KeyPressed, {}};
    case WM_SYSKEYDOWN:
      return InputEvent{InputKind::SystemKeyPressed, {}};
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      return InputEvent{InputKind::ButtonPressed, {}};
    case WM_ACTIVATE:
      return Activation(LOWORD(wParam) != WA_INACTIVE);
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
      return Activation(wParam != FALSE);
    default:
      return std::nullopt;
  }
}

std::optional<InputEvent> InputFromMessage(const MSG& msg) {
  std::optional<CursorPoint> origin;
  if (msg.message == WM_MOUSEMOVE && msg.hwnd != nullptr) {
    POINT p{0, 0};
    ClientToScreen(msg.hwnd, &p);
    origin = CursorPoint{p.x, p.y};
  }
  return InputFromMessage(msg.message, msg.wParam, msg.lParam, origin);
}
