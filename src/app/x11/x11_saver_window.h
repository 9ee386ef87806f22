// The saver window on X11: the window system behind TForm1. It owns the window the saver
// shows (a full-screen top-level window, or a preview host's or XScreenSaver's window that it
// follows) and the host services: pointer capture, cursor position, message boxes and
// quitting. GL draws through the rendering surface beside it (X11GlxSurface), which it tells
// where to draw and how large.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "app/saver_platform.h"
#include "app/x11/x11_application.h"
#include "app/x11/x11_glx_surface.h"
#include "app/x11/x11_types.h"

enum class X11SaverKind {
  FullScreen,  // our own window over the whole screen, taking keyboard and pointer
  Preview,     // a child that fills a host's window and follows its size
  External,    // a window XScreenSaver gives us (or the root); its input is not ours
};

using MessageBoxFunction =
    std::function<void(std::string_view text, std::string_view title, MessageBoxIcon icon)>;

class X11SaverWindow final : public SaverHost {
 public:
  // `host` is the preview host or the XScreenSaver window; unused for FullScreen. `surface`
  // outlives the window.
  X11SaverWindow(Display* display, X11Application& app, X11SaverKind kind, Window host,
                 X11GlxSurface& surface, MessageBoxFunction messageBox);
  ~X11SaverWindow() override;
  X11SaverWindow(const X11SaverWindow&) = delete;
  X11SaverWindow& operator=(const X11SaverWindow&) = delete;

  // Handlers the shell wires to TForm1.
  std::function<void()> OnShow;
  std::function<void(int32_t, int32_t)> OnResize;

  // Maps the window (the application's ShowMainWindow).
  void Show();
  // The application's OnEvent.
  void HandleEvent(const XEvent& event);

  // SaverHost
  void SetApplicationToolWindow() override;
  // Nothing to tell: X11 keeps no system-wide "a saver runs" flag (XScreenSaver knows by
  // itself which saver it runs).
  void SetScreenSaverRunning(bool) override {}
  void CaptureMouse() override;
  CursorPoint GetCursorPos() override;
  void ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon) override;
  void PostQuitMessage(int exitCode) override { app_.PostQuit(exitCode); }
  void CloseMainWindow() override;

 private:
  void CreateFullScreenWindow();
  bool WindowManagerRunning() const;
  void HideCursor(Window window);
  void TakeInput();
  void FollowHostSize(int32_t width, int32_t height);
  void HostGone();

  Display* display_;
  X11Application& app_;
  X11SaverKind kind_;
  Window host_;
  X11GlxSurface& surface_;
  MessageBoxFunction messageBox_;
  int screen_;
  Window root_;
  Window topWindow_ = 0;  // the full-screen window (0 is Xlib's None)
  Cursor blankCursor_ = 0;
  bool pointerCaptureWanted_ = false;
  bool shown_ = false;
  bool gone_ = false;
};
