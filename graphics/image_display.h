// The image library's display state: AlphaBlend from msimg32 (loaded at run time) and
// whether the system itself draws 32-bit pictures with alpha. Shared by the image library
// and its bitmap utilities; set once by image_display_init.
#pragma once
#include <windows.h>

using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

struct ImageDisplay {
  HMODULE msimg32;
  AlphaBlendFn alpha_blend;  // null when msimg32.dll or the export is missing
  bool system_draws_alpha;
};

extern ImageDisplay g_imageDisplay;
