// Reading GLX's extension string.
#include "app/x11/x11_swap_control.h"

namespace {

bool HasWord(std::string_view list, std::string_view word) {
  while (!list.empty()) {
    const std::size_t space = list.find(' ');
    if (list.substr(0, space) == word) return true;
    if (space == std::string_view::npos) break;
    list.remove_prefix(space + 1);
  }
  return false;
}

}  // namespace

SwapControl ChooseSwapControl(std::string_view glxExtensions) {
  if (HasWord(glxExtensions, "GLX_EXT_swap_control")) return SwapControl::Ext;
  if (HasWord(glxExtensions, "GLX_MESA_swap_control")) return SwapControl::Mesa;
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
