// Loading the platform's optional libraries by name from the system folder only.
// Win32 only (system_library_win32.cpp).
#pragma once
#include <windows.h>

// The library from the system folder, never from the program's or the working folder,
// where anyone may put a DLL of that name; 0 when the system has none.
HMODULE LoadSystemLibrary(const char* name);
