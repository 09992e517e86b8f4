// Fonts: numbered GDI fonts from a face name, a size in points and style flags.
// Win32 only. Depends on the object registry (runtime/objects.h).
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/objects.h"

constexpr int32_t FONT_UNDERLINE = 0x4;
constexpr int32_t FONT_STRIKEOUT = 0x8;
constexpr int32_t FONT_HIGH_QUALITY = 0x10;
constexpr int32_t FONT_BOLD = 0x100;
constexpr int32_t FONT_ITALIC = 0x200;

void font_library_init();
void font_library_end();

// Height = -MulDiv(points, the display's LOGPIXELSY, 72). Returns the HFONT for a fixed
// number, the dynamic id for -1, 0 on failure. Loading into a used number deletes the old font.
intptr_t font_load(ObjectId number, const char* face, int32_t points, int32_t flags = 0);
HFONT font_handle(ObjectId number);
void font_free(ObjectId number);
