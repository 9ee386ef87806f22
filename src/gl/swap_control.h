// Pacing buffer swaps to the display: asking WGL for a swap interval through the
// WGL_EXT_swap_control extension, when the driver offers it. Every lookup and call goes through
// the entry tables, so the recording layer sees them.
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
bool RequestSwapInterval(int32_t interval);
