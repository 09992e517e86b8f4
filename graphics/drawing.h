// Drawing on images: a drawing output wraps one image's pixel memory; drawing_start makes it
// ready, the drawing_* operations act on the current output, drawing_stop destroys it.
// Win32 only (text is rendered by GDI; everything else is written to pixel memory directly).
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/objects.h"

struct DrawingOutput;

constexpr intptr_t SYSTEM_FONT_HANDLE = -1;

void drawing_library_init();

// A new output on the image's pixel memory, now the current one; 0 when the number holds no
// 24- or 32-bit bitmap with pixel memory.
DrawingOutput* image_output(ObjectId number);
// The image's device context when drawing may begin; 0 on failure, after which the output
// no longer exists.
HDC drawing_start(DrawingOutput* output);
// The output drawing operations act on; 0 outside a drawing.
DrawingOutput* drawing_current();
void drawing_font(intptr_t font);  // an HFONT, or SYSTEM_FONT_HANDLE
void drawing_image(HANDLE image, int32_t x, int32_t y);
void drawing_image_sized(HANDLE image, int32_t x, int32_t y, int32_t width, int32_t height);
// Draws the text with its top-left corner at (x, y); returns the x just right of it.
int32_t drawing_text(int32_t x, int32_t y, const char* text, uint32_t front, uint32_t back);
void drawing_stop();
