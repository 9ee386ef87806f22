// Pacing buffer swaps to the display on GLX: which extension sets the swap interval, chosen
// from the extension string GLX reports, and the request itself. The choice needs no display
// and is tested without one. GLX's own entries are linked from libGL, not the entry tables:
// they exist before any context does.
#pragma once

#include <cstdint>
#include <string_view>

struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib's own tag
typedef struct _XDisplay Display;

enum class SwapControl {
  Unavailable,  // no way to ask: swaps are not synchronised
  Ext,          // GLX_EXT_swap_control: glXSwapIntervalEXT(display, drawable, interval)
  Mesa,         // GLX_MESA_swap_control: glXSwapIntervalMESA(interval)
};

// GLX_EXT_swap_control where offered, else GLX_MESA_swap_control, else none. A null list
// offers nothing.
SwapControl ChooseSwapControl(const char* glxExtensions);

// The extension's name for reports, or "none".
std::string_view SwapControlName(SwapControl control);

// With a context current on `drawable`: asks the driver, through the extension `screen`
// offers, to wait for `interval` vertical blanks in every swap. The extension asked, or
// Unavailable when there was none, its function was missing or it refused. A protocol error
// the request raises reaches the caller's error handling.
SwapControl RequestSwapIntervalGlx(Display* display, int screen, unsigned long drawable,
                                   int32_t interval);
