// The gamepad artwork: one full drawing of the pad, resting or with one control lit.
#pragma once
#include "graphics/pixels.h"

// Draws the whole 300 × 186 picture into `out` (24-bit, at least that size). `lit` is the
// Control (layout.h) shown in its active form, or -1 for the resting picture.
void draw_gamepad(PixelBuffer& out, int lit);
