// Pixel kernels that put one picture onto another: the blit table of image drawing (24- and
// 32-bit sources onto 24- and 32-bit outputs, per drawing mode) and the rectangle copy of the
// grabs. Portable; both sides are PixelBuffers.
#pragma once
#include <cstdint>

#include "graphics/canvas.h"
#include "graphics/pixels.h"

// Draws source with its top-left corner at (x, y) of the canvas, clipped, by the canvas's
// mode. alpha is the constant alpha (255 = opaque); useAlpha blends a 32-bit source by its
// own alpha as well. Only 3- and 4-byte sources are drawn.
void BlitPixels(Canvas* output, const PixelBuffer& source, int32_t x, int32_t y, int32_t alpha, bool useAlpha);

// Copies the rectangle of source whose top-left corner is (x, y) and whose size is target's
// into target; target pixels outside source keep their bytes. Both must have the same bytes
// per pixel; false when they differ.
bool CopyPixelRect(const PixelBuffer& target, const PixelBuffer& source, int64_t x, int64_t y);
