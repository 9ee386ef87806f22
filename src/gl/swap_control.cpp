// Extension strings, and the swap interval through WGL_EXT_swap_control.
#include "gl/swap_control.h"

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

namespace {

constexpr std::string_view kSwapControl = "WGL_EXT_swap_control";

template <typename Entry>
Entry LookUp(const char* name) {
  return reinterpret_cast<Entry>(GL.wglGetProcAddress(name));
}

// The extension is listed in the GL string by older drivers and in the WGL string by all that
// have one; the GL string is asked first since it needs no lookup.
bool SwapControlOffered() {
  if (GL.glGetString != nullptr) {
    const auto* list = reinterpret_cast<const char*>(GL.glGetString(GL_EXTENSIONS));
    if (ExtensionListed(list, kSwapControl)) return true;
  }
  GL.wglGetExtensionsStringEXT =
      LookUp<decltype(GL.wglGetExtensionsStringEXT)>("wglGetExtensionsStringEXT");
  return GL.wglGetExtensionsStringEXT != nullptr &&
         ExtensionListed(GL.wglGetExtensionsStringEXT(), kSwapControl);
}

}  // namespace

bool ExtensionListed(const char* list, std::string_view extension) {
  if (list == nullptr || extension.empty()) return false;
  const std::string_view all(list);
  for (std::size_t at = all.find(extension); at != std::string_view::npos;
       at = all.find(extension, at + 1)) {
    const std::size_t end = at + extension.size();
    const bool startsWord = at == 0 || all[at - 1] == ' ';
    const bool endsWord = end == all.size() || all[end] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool RequestSwapIntervalWgl(int32_t interval) {
  if (GL.wglGetProcAddress == nullptr || !SwapControlOffered()) return false;
  GL.wglSwapIntervalEXT = LookUp<decltype(GL.wglSwapIntervalEXT)>("wglSwapIntervalEXT");
  return GL.wglSwapIntervalEXT != nullptr && GL.wglSwapIntervalEXT(interval) != 0;
}
