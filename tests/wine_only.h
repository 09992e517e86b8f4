// Win32 tests that rely on what Wine does here (its missing game devices, the GDI backdrop
// it gets instead of Direct3D, a display under Xvfb) skip with their reason on Windows.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

inline bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

#define VLMR_WINE_ONLY(why)                                   \
  do {                                                        \
    if (!UnderWine()) GTEST_SKIP() << "needs Wine: " << (why); \
  } while (0)
