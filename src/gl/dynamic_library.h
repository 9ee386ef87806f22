// Loading shared libraries by file name, one implementation per platform
// (posix_dynamic_library.cpp, win32_dynamic_library.cpp). Handles are opaque.
#pragma once

// Opens the named library; null when it cannot be loaded.
void* OpenDynamicLibrary(const char* name);
// The address of an exported symbol; null when the library lacks it.
void* FindLibrarySymbol(void* library, const char* symbol);
// Releases a handle from OpenDynamicLibrary; null is ignored.
void CloseDynamicLibrary(void* library);
// The operating system's own ChoosePixelFormat (GDI on Windows); null where there is none.
void* FindSystemChoosePixelFormat();
