// Pixel writers and readers per drawing mode, chosen once per mode change so that no shape
// tests the mode per pixel.
#pragma once
#include "graphics/canvas.h"

// Fills plot, plot_colour, span and point of the canvas for its mode and pixel size.
void writers_select(Canvas* c);
