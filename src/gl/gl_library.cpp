// Filling the entry tables from libraries opened by name through the dynamic-library seam.
#include "gl/gl_library.h"

#include "gl/dynamic_library.h"
#include "gl/gl_entries.h"

namespace {

void* g_gl_library = nullptr;
void* g_glu_library = nullptr;

// Object pointer to function pointer: how a looked-up symbol becomes an entry.
template <typename Entry>
void Resolve(Entry& entry, void* library, const char* name) {
  entry = reinterpret_cast<Entry>(FindLibrarySymbol(library, name));
}

}  // namespace

std::string LoadSystemGraphicsLibraries() {
  std::string error;
  // Both are tried, as each library's own set-up would be; the first failure is kept.
  try {
    LoadGLLibrary(std::string(DefaultGLLibraryName));
  } catch (const GlLoadError& e) {
    error = e.what();
  }
  try {
    LoadGLuLibrary(std::string(DefaultGLuLibraryName));
  } catch (const GlLoadError& e) {
    if (error.empty()) error = e.what();
  }
  if (!error.empty()) return error;
  std::vector<std::string_view> missing = MissingGlEntries();
  for (std::string_view name : MissingGluEntries()) missing.push_back(name);
  if (missing.empty()) return {};
  return "The graphics library lacks the function " + std::string(missing.front());
}

void UnloadGLLibrary() {
  GL = GlEntries{};
  CloseDynamicLibrary(g_gl_library);
  g_gl_library = nullptr;
}

void LoadGLLibrary(const std::string& name) {
  UnloadGLLibrary();
  g_gl_library = OpenDynamicLibrary(name.c_str());
  if (g_gl_library == nullptr) throw GlLoadError("Could not load OpenGL from " + name);
#define ORVANTA_RESOLVE_ENTRY(ret, fn, params, args) Resolve(GL.fn, g_gl_library, #fn);
  ORVANTA_GL_FUNCTIONS(ORVANTA_RESOLVE_ENTRY)
#undef ORVANTA_RESOLVE_ENTRY
  Resolve(GL.wglGetProcAddress, g_gl_library, "wglGetProcAddress");
  Resolve(GL.ChoosePixelFormat, g_gl_library, "ChoosePixelFormat");
  if (GL.ChoosePixelFormat == nullptr) {
    GL.ChoosePixelFormat =
        reinterpret_cast<decltype(GL.ChoosePixelFormat)>(FindSystemChoosePixelFormat());
  }
}

void UnloadGLuLibrary() {
  GLu = GluEntries{};
  CloseDynamicLibrary(g_glu_library);
  g_glu_library = nullptr;
}

void LoadGLuLibrary(const std::string& name) {
  UnloadGLuLibrary();
  g_glu_library = OpenDynamicLibrary(name.c_str());
  if (g_glu_library == nullptr) throw GlLoadError("Could not load GLu from " + name);
#define ORVANTA_RESOLVE_ENTRY(ret, fn, params, args) Resolve(GLu.fn, g_glu_library, #fn);
  ORVANTA_GLU_FUNCTIONS(ORVANTA_RESOLVE_ENTRY)
#undef ORVANTA_RESOLVE_ENTRY
}
