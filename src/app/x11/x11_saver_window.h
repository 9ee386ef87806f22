// The saver window on X11: the window system behind TForm1. It owns the windows (a
// full-screen top-level window, or a child inside a preview host, or a window XScreenSaver
// hands over), the GLX context drawn through, and the host services: pointer capture,
// cursor position, message boxes and quitting.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "app/saver_platform.h"
#include "app/x11/x11_application.h"
#include "app/x11/x11_types.h"

enum class X11SaverKind {
  FullScreen,  // our own window over the whole screen, taking keyboard and pointer
  Preview,     // a child that fills a host's window and follows its size
  External,    // a window XScreenSaver gives us (or the root); its input is not ours
};

using MessageBoxFunction =
    std::function<void(std::string_view text, std::string_view title, uint32_t style)>;

class X11SaverWindow : public RenderingSurface, public SaverHost {
 public:
  // `host` is the preview host or the XScreenSaver window; unused for FullScreen.
  X11SaverWindow(Display* display, X11Application& app, X11SaverKind kind, Window host,
                 MessageBoxFunction messageBox);
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

  // RenderingSurface
  void AcquireDeviceContext() override;
  bool ChoosePixelFormat() override;
  bool SetPixelFormat() override;
  bool CreateContext() override;
  bool MakeCurrent() override;
  void SetSwapInterval(int32_t interval) override;
  void SwapBuffers() override;
  int32_t ClientWidth() const override { return width_; }
  int32_t ClientHeight() const override { return height_; }

  // SaverHost
  void SetApplicationToolWindow() override;
  // X11 keeps no system-wide "a saver runs" flag; XScreenSaver knows by itself.
  void SetScreenSaverRunning(bool) override {}
  void CaptureMouse() override;
  CursorPoint GetCursorPos() override;
  void ShowMessageBox(std::string_view text, std::string_view title, uint32_t style) override;
  void PostQuitMessage(int exitCode) override { app_.PostQuit(exitCode); }
  void CloseMainWindow() override;

  Window DrawWindow() const { return drawWindow_; }
  // The extension SetSwapInterval used, "none" when there was none (or it was not called).
  std::string_view SwapControlUsed() const { return swapControlUsed_; }

 private:
  void CreateFullScreenWindow();
  bool WindowManagerRunning() const;
  void HideCursor(Window window);
  void TakeInput();
  bool ExternalVisualIsUsable();
  void FollowHostSize(int32_t width, int32_t height);
  void HostGone();

  Display* display_;
  X11Application& app_;
  X11SaverKind kind_;
  Window host_;
  MessageBoxFunction messageBox_;
  int screen_;
  Window root_;
  Window topWindow_ = 0;   // the full-screen window (0 is Xlib's None)
  Window drawWindow_ = 0;  // where GL draws: our child, or the external window itself
  bool ownDrawWindow_ = false;
  Colormap colormap_ = 0;
  Cursor blankCursor_ = 0;
  void* visual_ = nullptr;  // the XVisualInfo chosen, untyped so that Xutil stays in the .cpp
  GLXContext context_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool pointerCaptureWanted_ = false;
  bool shown_ = false;
  bool gone_ = false;
  std::string_view swapControlUsed_ = "none";
};
