// Dynamic libraries through dlopen. There is no GDI here, so no ChoosePixelFormat.
#include <dlfcn.h>

#include "gl/dynamic_library.h"

void* OpenDynamicLibrary(const char* name) {
  // dlopen of a null or empty name hands back the program itself, which is no library.
  if (name == nullptr || *name == '\0') return nullptr;
  return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

void* FindLibrarySymbol(void* library, const char* symbol) {
  if (library == nullptr) return nullptr;
  return dlsym(library, symbol);
}

void CloseDynamicLibrary(void* library) {
  if (library != nullptr) dlclose(library);
}

void* FindSystemChoosePixelFormat() {
  return nullptr;
}
