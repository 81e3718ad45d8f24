// LoadLibraryA, GetProcAddress and FreeLibrary over the dynamic loader.
#include <dlfcn.h>

#include "platform/win32_library.h"

HMODULE WINAPI LoadLibraryA(LPCSTR path) {
  if (path == nullptr || *path == '\0') return nullptr;
  // RTLD_LOCAL: each library keeps its symbols to itself, as a Windows
  // module does; RTLD_NOW: a library with an unresolved symbol fails here
  // rather than at its first call.
  return static_cast<HMODULE>(dlopen(path, RTLD_NOW | RTLD_LOCAL));
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
  if (module == nullptr || name == nullptr) return nullptr;
  void* address = dlsym(module, name);
  // Object pointers and function pointers have the same width on every
  // system with dlsym; POSIX guarantees this conversion.
  return reinterpret_cast<FARPROC>(address);
}

BOOL WINAPI FreeLibrary(HMODULE module) {
  if (module == nullptr) return FALSE;
  return dlclose(module) == 0 ? TRUE : FALSE;
}
