// Shapes on a canvas, clipped to it and drawn through its current writers: lines, boxes,
// boxes with rounded corners, ellipses, and the flood fill.
#pragma once
#include <cstdint>

#include "graphics/canvas.h"

void shape_line(Canvas* c, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void shape_box(Canvas* c, int32_t x, int32_t y, int32_t width, int32_t height);
void shape_round_box(Canvas* c, int32_t x, int32_t y, int32_t width, int32_t height, int32_t rx, int32_t ry);
void shape_ellipse(Canvas* c, int32_t x, int32_t y, int32_t rx, int32_t ry);
// Fills around (x, y): up to pixels of the border colour, or with border -1 across pixels of
// the colour found at (x, y). Colours compare on red, green and blue.
void shape_fill_area(Canvas* c, int32_t x, int32_t y, int32_t border);

// Clipped helpers the shapes share.
void shape_hspan(Canvas* c, int64_t x1, int64_t x2, int64_t y);
void shape_vspan(Canvas* c, int64_t x, int64_t y1, int64_t y2);
void shape_plot(Canvas* c, int64_t x, int64_t y);
