// Dynamic libraries through LoadLibraryA, and GDI's ChoosePixelFormat for GL libraries that
// do not export one themselves (the system's opengl32.dll does not).
#include <windows.h>

#include "gl/dynamic_library.h"

void* OpenDynamicLibrary(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  // No "cannot find DLL" dialog box: a missing library is an ordinary, reported failure.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA(name);
  SetErrorMode(previous);
  return reinterpret_cast<void*>(module);
}

void* FindLibrarySymbol(void* library, const char* symbol) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), symbol));
}

void CloseDynamicLibrary(void* library) {
  if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

void* FindSystemChoosePixelFormat() {
  return reinterpret_cast<void*>(&::ChoosePixelFormat);
}
