// Mixing rendered text into a canvas: the platform renders the text white on black into a
// 24-bit text bitmap; each pixel's brightness is its coverage, which mixes the front colour
// over the back colour (or over the pixel itself with a transparent background).
#pragma once
#include <cstdint>

#include "graphics/canvas.h"
#include "graphics/pixels.h"

// Mixes the width × height rectangle at the text bitmap's top-left corner into the canvas
// at (x, y), clipped to the canvas. transparent forces a transparent background.
void MixText(Canvas* c, const PixelBuffer& text, int32_t x, int32_t y, int32_t width, int32_t height,
             bool transparent);

// The box of a text of width × height turned by angle degrees counter-clockwise about its
// top-left corner: the bitmap size that holds it and where the text's corner lies in it.
struct RotatedBox {
  int32_t width, height;
  int32_t originX, originY;
};
RotatedBox RotatedTextBox(int32_t width, int32_t height, float angle);
