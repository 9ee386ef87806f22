// What the saver window needs from the window system, in two small seams: the rendering
// surface (drawable, pixel format, GL context, swap) and the host services around it
// (application window style, screen-saver flag, mouse capture, cursor, message boxes, quit).
// Each platform implements both; tests use fakes.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/saver_input.h"

// Where GL draws. The saver window's creation takes these steps in this order and stops at
// the first that fails; a platform with nothing to do for a step says why in its own file.
class RenderingSurface {
 public:
  virtual ~RenderingSurface() = default;
  // Gets hold of what GL will draw into for the window.
  virtual void PrepareDrawable() = 0;
  // Finds the pixel format the saver wants (double-buffered RGBA with depth, drawn to a
  // window); false when there is none.
  virtual bool ChoosePixelFormat() = 0;
  // Gives the drawable that format; false when it cannot take it.
  virtual bool SetPixelFormat() = 0;
  // A GL context for the drawable; false when none can be made.
  virtual bool CreateContext() = 0;
  // Makes the context current on this thread, drawing into the drawable; false on failure.
  virtual bool MakeCurrent() = 0;
  // Asks the driver to wait for `interval` vertical blanks in every buffer swap, so that a
  // loop that never sleeps still turns no faster than the display. Does nothing where the
  // driver offers no way to; never a failure.
  virtual void SetSwapInterval(int32_t interval) = 0;
  // Shows the frame drawn into the back buffer.
  virtual void SwapBuffers() = 0;
  virtual int32_t ClientWidth() const = 0;
  virtual int32_t ClientHeight() const = 0;
};

// What a message box shows beside its text; every box has one OK button.
enum class MessageBoxIcon { None, Error };

class SaverHost {
 public:
  virtual ~SaverHost() = default;
  virtual void SetApplicationToolWindow() = 0;  // the hidden application window
  // Tells the system whether a screen saver runs. Windows keeps a system-wide flag that
  // other programs and the system's own hot keys read; a platform without one does nothing.
  virtual void SetScreenSaverRunning(bool running) = 0;
  virtual void CaptureMouse() = 0;
  virtual CursorPoint GetCursorPos() = 0;
  virtual void ShowMessageBox(std::string_view text, std::string_view title,
                              MessageBoxIcon icon) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;
  virtual void CloseMainWindow() = 0;  // closing the main window terminates the application
};
