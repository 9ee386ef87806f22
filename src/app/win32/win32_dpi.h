// Display density on Windows, for windows that lay themselves out per monitor. The per-monitor
// functions arrived with Windows 10 (and are in Wine); older systems have one density for the
// whole screen, so each query falls back to that.
#pragma once

#include <windows.h>

// Sent when a window moves to a monitor of another density (Windows 8.1) and asked before it
// does (Windows 10 1703); older headers may lack them.
inline constexpr UINT kWmDpiChanged = 0x02E0;
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// Pixels per inch of the monitor `window` is on: GetDpiForWindow where user32 has it, else the
// screen's LOGPIXELSX.
UINT WindowDpi(HWND window);

// The outer size of a window with these styles whose client area is `clientWidth` by
// `clientHeight` at `dpi`: AdjustWindowRectExForDpi where user32 has it, else
// AdjustWindowRectEx (the system's density).
SIZE FrameSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);
