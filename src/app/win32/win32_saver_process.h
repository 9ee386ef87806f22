// The whole saver process on Windows after module set-up: application object, settings,
// mode dispatch, the main window of the mode, the message loop and the exit code. Start-up
// errors end in an "Application Error" box and exit code 1.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/win32/win32_saver_window.h"

inline constexpr char kStartupErrorTitle[] = "Application Error";

// What loading the GL and GLU libraries found, kept so that a saver mode can refuse to
// start without them (the dialog needs neither).
struct GraphicsLibraryStatus {
  std::string Error;  // empty when both libraries and every entry the saver calls are there
};

// Masks floating-point exceptions and binds the GL and GLU entry tables to the system's
// libraries, as the program's module set-up does before anything else.
GraphicsLibraryStatus PrepareProcess();

// The window a preview host names by the decimal on the command line: a sign-extended
// 32-bit handle, as handles are on 64-bit Windows; null when the value cannot be one.
HWND PreviewWindowFromHandle(int64_t value);

// Runs the process with `surface` as the saver window's rendering surface.
int RunSaverProcess(HINSTANCE instance, const GraphicsLibraryStatus& graphics,
                    Win32RenderingSurface& surface);
