// Marker DLL: when a process loads it, it writes a file named like itself plus ".loaded"
// beside itself, holding the loading program's path, and refuses to stay loaded, so the
// program runs on as if the library were missing.
// Dependencies: kernel32 only.
#include <windows.h>

#include <cstring>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 8], program[MAX_PATH];
  DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
  DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  if (n && n < MAX_PATH) {
    std::memcpy(path + n, ".loaded", 8);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, program, length, &written, nullptr);
      CloseHandle(file);
    }
  }
  return FALSE;
}
