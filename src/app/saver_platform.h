// What the saver window needs from the window system, in two small seams: the rendering
// surface (device context, pixel format, GL context, swap) and the host services around it
// (application window style, screen-saver flag, mouse capture, cursor, message boxes, quit).
// Each platform implements both; tests use fakes.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/saver_input.h"

class RenderingSurface {
 public:
  virtual ~RenderingSurface() = default;
  virtual void AcquireDeviceContext() = 0;  // GetDC
  virtual bool ChoosePixelFormat() = 0;     // false: no matching format
  virtual bool SetPixelFormat() = 0;
  virtual bool CreateContext() = 0;
  virtual bool MakeCurrent() = 0;
  // Asks the driver to wait for `interval` vertical blanks in every buffer swap, so that a
  // loop that never sleeps still turns no faster than the display. Does nothing where the
  // driver offers no way to; never a failure.
  virtual void SetSwapInterval(int32_t interval) = 0;
  virtual void SwapBuffers() = 0;
  virtual int32_t ClientWidth() const = 0;
  virtual int32_t ClientHeight() const = 0;
};

// Message-box styles, with the values the Windows shell passes straight through.
inline constexpr uint32_t kMbOk = 0x0;
inline constexpr uint32_t kMbIconError = 0x10;
inline constexpr uint32_t kMbTaskModal = 0x2000;

class SaverHost {
 public:
  virtual ~SaverHost() = default;
  virtual void SetApplicationToolWindow() = 0;  // the hidden application window
  virtual void SetScreenSaverRunning(bool running) = 0;
  virtual void CaptureMouse() = 0;
  virtual CursorPoint GetCursorPos() = 0;
  virtual void ShowMessageBox(std::string_view text, std::string_view title, uint32_t style) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;
  virtual void CloseMainWindow() = 0;  // closing the main window terminates the application
};
