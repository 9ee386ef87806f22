// The cover windows over the other monitors.
#include "app/win32/win32_cover_windows.h"

#include <stdexcept>

namespace {

constexpr wchar_t kCoverClass[] = L"OrvantaCover";

}  // namespace

Win32CoverWindows::~Win32CoverWindows() {
  // Like the saver window, left for the process's end to take away; only the callbacks into
  // this object stop.
  for (HWND window : windows_) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

void Win32CoverWindows::Create(const std::vector<ScreenRect>& covers) {
  if (covers.empty()) return;
  // No cursor of its own: the saver hides the pointer, over every monitor.
  RegisterWindowClass(
      app_.Instance(), &WindowProcOf<Win32CoverWindows>,
      {.Name = kCoverClass, .Background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});
  for (const ScreenRect& r : covers) {
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass,
                                  L"", WS_POPUP | WS_CLIPSIBLINGS, r.Left, r.Top, r.Width(),
                                  r.Height(), app_.Handle(), nullptr, app_.Instance(), this);
    if (window == nullptr) throw std::runtime_error("Could not create the saver's cover windows");
    windows_.push_back(window);
  }
}

void Win32CoverWindows::Show(HWND scene) {
  for (HWND window : windows_) {
    SetWindowPos(window, scene, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

LRESULT Win32CoverWindows::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      // A click on a cover is no reason to move the activation off the saver window: a click
      // alone must not end the saver.
      return MA_NOACTIVATE;
    default:
      break;
  }
  if (IsScreenSaverStart(message, wParam)) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}
