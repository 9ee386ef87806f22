// The options XScreenSaver starts its savers with: draw on the (virtual) root window, or into
// a window it names on the command line or in XSCREENSAVER_WINDOW. They sit beside the
// Windows-style modes and are only looked at when no "/S" or "/P" comes first.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct XScreenSaverTarget {
  bool Root = false;    // the virtual root: "-root", with no window named anywhere
  uint32_t Window = 0;  // the window to draw into when Root is false
};

// An X window id in decimal or with a 0x prefix in hexadecimal, 1 to 0x1FFFFFFF (ids never
// use the top three bits). Throws StartupError "'<text>' is not a valid window id".
uint32_t ParseX11WindowId(std::string_view text);

// The drawing target XScreenSaver asked for, or nothing when the arguments and environment
// ask for none. "-window-id <id>" (or "--window-id") wins over XSCREENSAVER_WINDOW (passed
// here as `environmentWindow`, null when unset), which wins over "-root"/"--root".
std::optional<XScreenSaverTarget> ParseXScreenSaverOptions(std::span<const std::string> args,
                                                           const char* environmentWindow);
