// Filling the entry tables from libraries opened by name through the dynamic-library seam.
#include "gl/gl_library.h"

#include "gl/dynamic_library.h"
#include "gl/gl_entries.h"

namespace {

void* glLibrary = nullptr;
void* gluLibrary = nullptr;

// Object pointer to function pointer: how a looked-up symbol becomes an entry.
template <typename Entry>
void Resolve(Entry& entry, void* library, const char* name) {
  entry = reinterpret_cast<Entry>(FindLibrarySymbol(library, name));
}

// Empties the table and gives its library back.
template <typename Table>
void Unload(Table& table, void*& library) {
  table = Table{};
  CloseDynamicLibrary(library);
  library = nullptr;
}

// Opens the named library for a table, or throws `failure` followed by the name.
void* Open(const std::string& name, std::string_view failure) {
  void* library = OpenDynamicLibrary(name.c_str());
  if (library == nullptr) throw GlLoadError(std::string(failure) + name);
  return library;
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
  Unload(GL, glLibrary);
}

void LoadGLLibrary(const std::string& name) {
  UnloadGLLibrary();
  glLibrary = Open(name, "Could not load OpenGL from ");
#define ORVANTA_RESOLVE_ENTRY(ret, fn, params, args) Resolve(GL.fn, glLibrary, #fn);
  ORVANTA_GL_FUNCTIONS(ORVANTA_RESOLVE_ENTRY)
#undef ORVANTA_RESOLVE_ENTRY
  Resolve(GL.wglGetProcAddress, glLibrary, "wglGetProcAddress");
  Resolve(GL.ChoosePixelFormat, glLibrary, "ChoosePixelFormat");
  if (GL.ChoosePixelFormat == nullptr) {
    GL.ChoosePixelFormat =
        reinterpret_cast<decltype(GL.ChoosePixelFormat)>(FindSystemChoosePixelFormat());
  }
}

void UnloadGLuLibrary() {
  Unload(GLu, gluLibrary);
}

void LoadGLuLibrary(const std::string& name) {
  UnloadGLuLibrary();
  gluLibrary = Open(name, "Could not load GLu from ");
#define ORVANTA_RESOLVE_ENTRY(ret, fn, params, args) Resolve(GLu.fn, gluLibrary, #fn);
  ORVANTA_GLU_FUNCTIONS(ORVANTA_RESOLVE_ENTRY)
#undef ORVANTA_RESOLVE_ENTRY
}
