// orvanta.scr's process: module set-up, then the shared start-up with the Win32 application
// object, registry store, native dialog and WGL saver window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/win32/win32_saver_window.h"

// Masks floating-point exceptions and binds the GL and GLU entry tables to the system's
// libraries, as the program's module set-up does before anything else. Returns why the saver
// modes could not draw, or empty (see LoadSystemGraphicsLibraries).
std::string PrepareProcess();

// Runs the process with `surface` as the saver window's rendering surface.
int RunWin32SaverProcess(HINSTANCE instance, const std::string& graphicsUnavailable,
                         Win32RenderingSurface& surface);
