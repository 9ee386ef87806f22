// Which GLX extension sets the swap interval, chosen from the extension string GLX reports.
// Kept apart from GLX itself so that the choice can be tested without a display.
#pragma once

#include <string_view>

enum class SwapControl {
  Unavailable,  // no way to ask: swaps are not synchronised
  Ext,          // GLX_EXT_swap_control: glXSwapIntervalEXT(display, drawable, interval)
  Mesa,         // GLX_MESA_swap_control: glXSwapIntervalMESA(interval)
};

// GLX_EXT_swap_control where offered, else GLX_MESA_swap_control, else none. Names are
// whole space-separated words: GLX_EXT_swap_control_tear alone is not GLX_EXT_swap_control.
SwapControl ChooseSwapControl(std::string_view glxExtensions);

// The extension's name for reports, or "none".
std::string_view SwapControlName(SwapControl control);
