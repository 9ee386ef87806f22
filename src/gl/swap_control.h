// Pacing buffer swaps to the display: finding an extension's name in an extension string, for
// every platform, and asking WGL for a swap interval through WGL_EXT_swap_control when the
// driver offers it. Every WGL lookup and call goes through the entry tables, so the recording
// layer sees them. GLX's request is in x11_swap_control.h.
#pragma once

#include <cstdint>
#include <string_view>

// True when the space-separated extension list names `extension` as a whole word; a null list
// names nothing.
bool ExtensionListed(const char* list, std::string_view extension);

// With a context current: when WGL_EXT_swap_control is listed in the GL or the WGL extension
// string, looks up wglSwapIntervalEXT into GL.wglSwapIntervalEXT and asks it for `interval`
// vertical blanks per swap. True when the driver accepted; false, having changed nothing, when
// there is no WGL (GL.wglGetProcAddress null), no extension or no function.
bool RequestSwapIntervalWgl(int32_t interval);
