// Binding the entry tables straight to the functions linked from OSMesa and GLU.
#ifdef ORVANTA_GL_CONSTANTS_INCLUDED
#error "the system GL headers below clash with gl/gl_constants.h"
#endif

#include "gl/headless_gl_binding.h"

#include <GL/osmesa.h>
// osmesa.h brings in <GL/gl.h>.
#include <GL/glu.h>
#include <dlfcn.h>

#include <cstddef>
#include <cstring>
#include <stdexcept>

#include "gl/gl_entries.h"

namespace {

// True when the GL function linked into the executable is OSMesa's. It is not when libGL
// or libOpenGL comes first in the link order; then every call, GLU's own included, would
// go to a GL with no context and draw nothing, silently.
bool LinkedGLIsOsMesa() {
  // Looked up the way the dynamic linker resolves GLU's references: in the global scope.
  void* linked = dlsym(RTLD_DEFAULT, "glBegin");
  Dl_info info{};
  if (linked == nullptr || dladdr(linked, &info) == 0) return false;
  return info.dli_fname != nullptr && std::strstr(info.dli_fname, "OSMesa") != nullptr;
}

}  // namespace

void BindOsMesaEntries() {
  if (!LinkedGLIsOsMesa()) {
    throw std::runtime_error("The GL linked into this program is not OSMesa's; link OSMesa first");
  }
  // A mismatch between our entry types and the system declarations fails to compile here.
#define ORVANTA_BIND_GL(ret, name, params, args) GL.name = &::name;
#define ORVANTA_BIND_GLU(ret, name, params, args) GLu.name = &::name;
  ORVANTA_GL_FUNCTIONS(ORVANTA_BIND_GL)
  ORVANTA_GLU_FUNCTIONS(ORVANTA_BIND_GLU)
#undef ORVANTA_BIND_GL
#undef ORVANTA_BIND_GLU
  GL.ChoosePixelFormat = nullptr;
}

HeadlessBuffer::HeadlessBuffer(int width, int height)
    : width_(width), height_(height), context_(nullptr) {
  if (width <= 0 || height <= 0) {
    throw std::runtime_error("An off-screen surface needs a positive width and height");
  }
  pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  if (context_ == nullptr) throw std::runtime_error("Could not create an OSMesa context");
}

HeadlessBuffer::~HeadlessBuffer() {
  OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void HeadlessBuffer::MakeCurrent() {
  if (!OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), pixels_.data(), GL_UNSIGNED_BYTE,
                         width_, height_)) {
    throw std::runtime_error("Could not make the OSMesa context current");
  }
}

std::vector<std::uint8_t> HeadlessBuffer::RgbTopDown() const {
  const auto width = static_cast<std::size_t>(width_);
  const auto height = static_cast<std::size_t>(height_);
  std::vector<std::uint8_t> rgb(width * height * 3);
  for (std::size_t row = 0; row < height; ++row) {
    const std::uint8_t* from = pixels_.data() + (height - 1 - row) * width * 4;
    std::uint8_t* to = rgb.data() + row * width * 3;
    for (std::size_t x = 0; x < width; ++x, from += 4, to += 3) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
  return rgb;
}
