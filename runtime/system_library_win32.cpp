// Loading the platform's optional libraries (Direct3D 9, DirectInput, msimg32, uxtheme,
// comctl32) from the system folder only. A search by bare name starts in the program's
// folder and can reach the working folder, so a DLL planted there would run in our process.
// Depends on kernel32. The statically imported libraries follow the platform's own rules.
#include "runtime/system_library.h"

#include <cstring>

HMODULE LoadSystemLibrary(const char* name) {
  HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // Systems without the search flags (Windows 7 before its 2011 loader update): the full path.
  char path[MAX_PATH];
  UINT folder = GetSystemDirectoryA(path, MAX_PATH);
  size_t length = std::strlen(name);
  if (!folder || folder + 1 + length >= MAX_PATH) return nullptr;
  path[folder] = '\\';
  std::memcpy(path + folder + 1, name, length + 1);
  return LoadLibraryA(path);
}
