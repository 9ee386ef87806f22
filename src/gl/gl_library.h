// Binding the entry tables to the system's OpenGL and GLU libraries by file name.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// A library could not be loaded; what() is the user-visible text, e.g.
// "Could not load OpenGL from opengl32.dll".
class GlLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

#ifdef _WIN32
inline constexpr std::string_view DefaultGLLibraryName = "opengl32.dll";
inline constexpr std::string_view DefaultGLuLibraryName = "glu32.dll";
#else
inline constexpr std::string_view DefaultGLLibraryName = "libGL.so.1";
inline constexpr std::string_view DefaultGLuLibraryName = "libGLU.so.1";
#endif

// Binds both tables to the system's libraries (the default names above), as the program does
// before anything else, and says why a saver could not draw with them: the first library that
// could not be loaded, or the first function the program calls that is missing from one;
// empty when everything is there. Never throws: only the saver modes need the libraries.
std::string LoadSystemGraphicsLibraries();

// Releases any GL library loaded before, loads the named one and fills every GL entry (null
// for a function the library lacks). ChoosePixelFormat comes from the library if it exports
// one, else from the system; wglGetProcAddress only from a library that exports it (Windows'
// opengl32.dll), and the WGL extension entries stay null (swap_control.h fills them). Throws
// GlLoadError, with all entries null, when loading fails.
void LoadGLLibrary(const std::string& name);
// Sets every GL entry to null and releases the library.
void UnloadGLLibrary();

// The same for GLU, with "Could not load GLu from " and no fallback for anything.
void LoadGLuLibrary(const std::string& name);
void UnloadGLuLibrary();
