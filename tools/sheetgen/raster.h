// Anti-aliased shape painting for the picture-sheet generator. Shapes are signed distances
// (negative inside, in pixels) with a bounding box; painting turns the distance at each
// pixel centre into coverage and blends a solid colour or a vertical gradient into a
// 24-bit blue-green-red PixelBuffer. Host tool only; float arithmetic, the same every run.
#pragma once
#include <functional>

#include "graphics/pixels.h"

struct Rgb {
  float r, g, b;
};

// A vertical gradient from `top` at y0 to `bottom` at y1; solid when both colours agree.
struct Paint {
  Rgb top, bottom;
  float y0, y1;
};

Paint solid(Rgb colour);
Paint vertical(Rgb top, Rgb bottom, float y0, float y1);

struct Box {
  float x0, y0, x1, y1;
};

struct Shape {
  Box bounds;
  std::function<float(float x, float y)> distance;
};

// Pixel x covers [x, x + 1); shapes are placed in those continuous coordinates.
Shape circle(float cx, float cy, float r);
Shape round_rect(float x0, float y0, float x1, float y1, float r);
Shape capsule(float ax, float ay, float bx, float by, float r);
Shape triangle(float ax, float ay, float bx, float by, float cx, float cy);

Shape unite(const Shape& a, const Shape& b, float smoothness = 0);
Shape intersect(const Shape& a, const Shape& b);
Shape subtract(const Shape& a, const Shape& b);
Shape shift(const Shape& a, float dx, float dy);
Shape grow(const Shape& a, float by);      // negative shrinks
Shape outline(const Shape& a, float width);  // a band of `width` centred on the edge

// Blends `paint` over the shape with the given opacity. The edge is 2 × feather pixels
// wide: 0.5 gives a crisp anti-aliased edge, larger values a soft shadow or glow.
void fill(PixelBuffer& target, const Shape& shape, const Paint& paint, float opacity = 1,
          float feather = 0.5f);
