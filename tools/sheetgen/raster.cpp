// Signed-distance shapes and their coverage painting (see raster.h).
#include "raster.h"

#include <algorithm>
#include <cmath>

Paint solid(Rgb colour) { return {colour, colour, 0, 1}; }

Paint vertical(Rgb top, Rgb bottom, float y0, float y1) { return {top, bottom, y0, y1}; }

Shape circle(float cx, float cy, float r) {
  return {{cx - r, cy - r, cx + r, cy + r},
          [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }};
}

Shape round_rect(float x0, float y0, float x1, float y1, float r) {
  float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2, mx = x0 + hx, my = y0 + hy;
  return {{x0, y0, x1, y1}, [=](float x, float y) {
            float qx = std::fabs(x - mx) - hx + r, qy = std::fabs(y - my) - hy + r;
            float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            return outside + std::min(std::max(qx, qy), 0.0f) - r;
          }};
}

Shape capsule(float ax, float ay, float bx, float by, float r) {
  Box box{std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r,
          std::max(ay, by) + r};
  return {box, [=](float x, float y) {
            float dx = bx - ax, dy = by - ay, px = x - ax, py = y - ay;
            float len2 = dx * dx + dy * dy;
            float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0;
            return std::hypot(px - t * dx, py - t * dy) - r;
          }};
}

// Exact distance to a triangle: the nearest edge, signed by which side all edges agree on.
Shape triangle(float ax, float ay, float bx, float by, float cx, float cy) {
  Box box{std::min({ax, bx, cx}), std::min({ay, by, cy}), std::max({ax, bx, cx}),
          std::max({ay, by, cy})};
  float px[3] = {ax, bx, cx}, py[3] = {ay, by, cy};
  float orient = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax) > 0 ? 1.0f : -1.0f;
  return {box, [=](float x, float y) {
            float nearest = 1e30f;
            bool inside = true;
            for (int i = 0; i < 3; ++i) {
              int j = (i + 1) % 3;
              float ex = px[j] - px[i], ey = py[j] - py[i], wx = x - px[i], wy = y - py[i];
              float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
              nearest = std::min(nearest, std::hypot(wx - t * ex, wy - t * ey));
              if (orient * (ex * wy - ey * wx) < 0) inside = false;
            }
            return inside ? -nearest : nearest;
          }};
}

static Box box_union(const Box& a, const Box& b) {
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1),
          std::max(a.y1, b.y1)};
}

// Polynomial smooth minimum: joins the two outlines with a fillet of about `k` pixels.
Shape unite(const Shape& a, const Shape& b, float k) {
  auto da = a.distance, db = b.distance;
  return {box_union(a.bounds, b.bounds), [=](float x, float y) {
            float u = da(x, y), v = db(x, y);
            if (k <= 0) return std::min(u, v);
            float h = std::clamp(0.5f + 0.5f * (v - u) / k, 0.0f, 1.0f);
            return v + (u - v) * h - k * h * (1 - h);
          }};
}

Shape intersect(const Shape& a, const Shape& b) {
  auto da = a.distance, db = b.distance;
  Box box{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
          std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
  return {box, [=](float x, float y) { return std::max(da(x, y), db(x, y)); }};
}

Shape subtract(const Shape& a, const Shape& b) {
  auto da = a.distance, db = b.distance;
  return {a.bounds, [=](float x, float y) { return std::max(da(x, y), -db(x, y)); }};
}

Shape shift(const Shape& a, float dx, float dy) {
  auto d = a.distance;
  return {{a.bounds.x0 + dx, a.bounds.y0 + dy, a.bounds.x1 + dx, a.bounds.y1 + dy},
          [=](float x, float y) { return d(x - dx, y - dy); }};
}

Shape grow(const Shape& a, float by) {
  auto d = a.distance;
  float m = std::max(by, 0.0f);
  return {{a.bounds.x0 - m, a.bounds.y0 - m, a.bounds.x1 + m, a.bounds.y1 + m},
          [=](float x, float y) { return d(x, y) - by; }};
}

Shape outline(const Shape& a, float width) {
  auto d = a.distance;
  float h = width / 2;
  return {{a.bounds.x0 - h, a.bounds.y0 - h, a.bounds.x1 + h, a.bounds.y1 + h},
          [=](float x, float y) { return std::fabs(d(x, y)) - h; }};
}

static float mix(float a, float b, float t) { return a + (b - a) * t; }

void fill(PixelBuffer& target, const Shape& shape, const Paint& paint, float opacity,
          float feather) {
  float reach = feather + 1;
  int x0 = std::max(0, int(std::floor(shape.bounds.x0 - reach)));
  int y0 = std::max(0, int(std::floor(shape.bounds.y0 - reach)));
  int x1 = std::min(target.width, int(std::ceil(shape.bounds.x1 + reach)));
  int y1 = std::min(target.height, int(std::ceil(shape.bounds.y1 + reach)));
  for (int y = y0; y < y1; ++y) {
    float cy = y + 0.5f;
    float t = paint.y1 != paint.y0 ? std::clamp((cy - paint.y0) / (paint.y1 - paint.y0), 0.0f, 1.0f) : 0;
    float colour[3] = {mix(paint.top.b, paint.bottom.b, t), mix(paint.top.g, paint.bottom.g, t),
                       mix(paint.top.r, paint.bottom.r, t)};
    uint8_t* line = PixelLine(target, y);
    for (int x = x0; x < x1; ++x) {
      float d = shape.distance(x + 0.5f, cy);
      float alpha = std::clamp((feather - d) / (2 * feather), 0.0f, 1.0f) * opacity;
      if (alpha <= 0) continue;
      uint8_t* px = line + x * target.bytesPerPixel;
      for (int c = 0; c < 3; ++c)
        px[c] = uint8_t(std::clamp(std::lround(mix(px[c], colour[c], alpha)), 0L, 255L));
    }
  }
}
