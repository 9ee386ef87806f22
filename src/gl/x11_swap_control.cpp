// The swap interval through GLX_EXT_swap_control or GLX_MESA_swap_control.
#include "gl/x11_swap_control.h"

#include <GL/glx.h>

#include "gl/swap_control.h"

SwapControl ChooseSwapControl(const char* glxExtensions) {
  if (ExtensionListed(glxExtensions, "GLX_EXT_swap_control")) return SwapControl::Ext;
  if (ExtensionListed(glxExtensions, "GLX_MESA_swap_control")) return SwapControl::Mesa;
  return SwapControl::Unavailable;
}

std::string_view SwapControlName(SwapControl control) {
  switch (control) {
    case SwapControl::Ext:
      return "GLX_EXT_swap_control";
    case SwapControl::Mesa:
      return "GLX_MESA_swap_control";
    case SwapControl::Unavailable:
      break;
  }
  return "none";
}

namespace {

// Looked up at run time: a libGL without the extension has no symbol to link against.
template <typename Function>
Function LookUp(const char* name) {
  return reinterpret_cast<Function>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

SwapControl RequestSwapIntervalGlx(Display* display, int screen, unsigned long drawable,
                                   int32_t interval) {
  const SwapControl control = ChooseSwapControl(glXQueryExtensionsString(display, screen));
  if (control == SwapControl::Ext) {
    const auto set = LookUp<void (*)(Display*, GLXDrawable, int)>("glXSwapIntervalEXT");
    if (set == nullptr) return SwapControl::Unavailable;
    set(display, drawable, interval);
  } else if (control == SwapControl::Mesa) {
    const auto set = LookUp<int (*)(unsigned int)>("glXSwapIntervalMESA");
    if (set == nullptr || set(static_cast<unsigned int>(interval)) != 0) {
      return SwapControl::Unavailable;
    }
  }
  return control;
}
