// The full-screen saver's cover windows: black, borderless, topmost windows over the monitors
// the scene does not use, so that no part of the desktop shows anywhere. They never take the
// activation, and whatever input reaches them goes through the application's message event
// like the saver window's own, so the same rules end the saver on every monitor.
#pragma once

#include <windows.h>

#include <vector>

#include "app/monitor_layout.h"
#include "app/win32/win32_application.h"

class Win32CoverWindows {
 public:
  explicit Win32CoverWindows(Win32Application& app) : app_(app) {}
  ~Win32CoverWindows();
  Win32CoverWindows(const Win32CoverWindows&) = delete;
  Win32CoverWindows& operator=(const Win32CoverWindows&) = delete;

  // One hidden window per rectangle, owned by the application window.
  void Create(const std::vector<ScreenRect>& covers);
  // Shows them without activating any, just beneath `scene` so that the scene stays on top
  // wherever the two overlap.
  void Show(HWND scene);
  const std::vector<HWND>& Handles() const { return windows_; }

  Win32Application& Application() { return app_; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:

  Win32Application& app_;
  std::vector<HWND> windows_;
};
