// The saver window on Windows: the real TForm1 window (borderless, topmost, black, caption
// "Form1"), its WGL rendering surface and the host services TForm1 asks for.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/saver_window.h"
#include "app/win32/win32_application.h"
#include "app/win32/win32_cover_windows.h"
#include "app/win32/win32_monitors.h"

// The pixel format the saver asks for: double-buffered RGBA for a window, 32-bit colour and
// 32-bit depth, every other field zero.
PIXELFORMATDESCRIPTOR SaverPixelFormat();

// The window a preview host names by the decimal on the command line: a sign-extended
// 32-bit handle, as handles are on 64-bit Windows; null when the value cannot be one.
HWND PreviewWindowFromHandle(int64_t value);

// WGL on the window's own device context: the drawable is the device context, the pixel
// format is the system's, the context WGL's. Tests derive from it to make a step fail.
class Win32RenderingSurface : public RenderingSurface {
 public:
  void Attach(HWND window) { window_ = window; }

  void PrepareDrawable() override;
  bool ChoosePixelFormat() override;
  bool SetPixelFormat() override;
  bool CreateContext() override;
  bool MakeCurrent() override;
  void SetSwapInterval(int32_t interval) override;
  void SwapBuffers() override;
  int32_t ClientWidth() const override;
  int32_t ClientHeight() const override;

 protected:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC context_ = nullptr;
  int format_ = 0;
};

class Win32SaverHost final : public SaverHost {
 public:
  explicit Win32SaverHost(Win32Application& app) : app_(app) {}
  void Attach(HWND window) { window_ = window; }

  void SetApplicationToolWindow() override;
  void SetScreenSaverRunning(bool running) override;
  void CaptureMouse() override;
  CursorPoint GetCursorPos() override;
  void ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon) override;
  void PostQuitMessage(int exitCode) override;
  void CloseMainWindow() override;

 private:
  Win32Application& app_;
  HWND window_ = nullptr;
};

class Win32SaverWindow {
 public:
  Win32SaverWindow(Win32Application& app, Win32RenderingSurface& surface, const Settings& settings,
                   bool preview);
  ~Win32SaverWindow();
  Win32SaverWindow(const Win32SaverWindow&) = delete;
  Win32SaverWindow& operator=(const Win32SaverWindow&) = delete;

  // Where the full-screen saver reads the monitors from (the system's unless replaced).
  void SetMonitorLayoutSource(MonitorLayoutSource source) { monitors_ = std::move(source); }
  // Creates the window and runs FormCreate; the application shows it maximized. The full-screen
  // saver also covers every other monitor, shown together with the window.
  void Create();
  // Preview: makes the window a child filling the client area of the host window the form's
  // PreviewParent names, and ends the application once that window is gone.
  void AdoptPreviewParent();

  HWND Handle() const { return window_; }
  Win32Application& Application() { return app_; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  TForm1& Form() { return form_; }
  const std::vector<HWND>& CoverWindows() const { return covers_.Handles(); }

 private:
  void CoverScreen();

  Win32Application& app_;
  Win32RenderingSurface& surface_;
  Win32SaverHost host_;
  TForm1 form_;
  MonitorLayoutSource monitors_ = SystemMonitorLayout;
  Win32CoverWindows covers_;
  HWND window_ = nullptr;
  HWND previewParent_ = nullptr;
};
