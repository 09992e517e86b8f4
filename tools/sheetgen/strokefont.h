// A small stroke font for the sheet's labels: each glyph is a few polylines on a 4 × 6
// grid, drawn as round-capped strokes so labels come out anti-aliased at any size.
// Covers the digits, X Y Z R and the letters of the product name; other characters are
// left blank.
#pragma once
#include "raster.h"

// The text `s` as one shape, centred on (cx, cy); `height` is the cap height in pixels,
// `weight` the stroke width.
Shape text_shape(const char* s, float cx, float cy, float height, float weight);
