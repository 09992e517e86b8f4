// Image display support: loads msimg32.dll for AlphaBlend and decides whether the system
// draws 32-bit pictures with alpha itself (themed comctl32 6 on Windows XP or later).
// Depends on kernel32 (run-time loading from the system folder), comctl32's DllGetVersion
// and uxtheme's IsAppThemed, all optional. Limitation: the answer is taken once at start
// and not revised.
#include <shlwapi.h>

#include "graphics/image.h"
#include "graphics/image_display.h"
#include "runtime/system_library.h"

ImageDisplay g_imageDisplay;

namespace {

using DllGetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
using IsAppThemedFn = BOOL(WINAPI*)();

template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool OldPlatform() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return false;
  if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return true;
  if (version.dwPlatformId == VER_PLATFORM_WIN32_NT)
    return version.dwMajorVersion < 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion == 0);
  return false;
}

DWORD CommonControlsVersion() {
  DWORD result = 0;
  HMODULE comctl = LoadSystemLibrary("COMCTL32.DLL");
  if (!comctl) return result;
  if (auto getVersion = ProcAddress<DllGetVersionFn>(comctl, "DllGetVersion")) {
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    result = SUCCEEDED(getVersion(&info)) ? (info.dwMajorVersion << 16 | info.dwMinorVersion) : 1;
  }
  FreeLibrary(comctl);
  return result;
}

bool ThemedCommonControls() {
  DWORD version = CommonControlsVersion();
  HMODULE uxtheme = LoadSystemLibrary("uxtheme.dll");
  if (!uxtheme) return false;
  bool themed = false;
  if (auto isAppThemed = ProcAddress<IsAppThemedFn>(uxtheme, "IsAppThemed"))
    themed = isAppThemed() && version > 0x5FFFF;
  FreeLibrary(uxtheme);
  return themed;
}

}  // namespace

static_assert(sizeof(OSVERSIONINFOA) == 148 && sizeof(DLLVERSIONINFO) == 20);

void image_display_init() {
  g_imageDisplay = {};
  g_imageDisplay.msimg32 = LoadSystemLibrary("msimg32.dll");
  if (g_imageDisplay.msimg32)
    g_imageDisplay.alpha_blend = ProcAddress<AlphaBlendFn>(g_imageDisplay.msimg32, "AlphaBlend");
  g_imageDisplay.system_draws_alpha = !OldPlatform() && ThemedCommonControls();
}

void image_display_end() {
  if (g_imageDisplay.msimg32) FreeLibrary(g_imageDisplay.msimg32);
  g_imageDisplay = {};
}
