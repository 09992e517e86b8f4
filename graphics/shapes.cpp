// Lines, boxes, rounded boxes and ellipses. Ellipses step with integer error terms along the
// quarter from (-rx, 0) to (0, ry); the terms grow like 2·rx·ry², so radii above 700 use
// 64-bit arithmetic. Filled shapes draw each line once, so XOR and blending modes stay exact.
#include "graphics/shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void shape_hspan(Canvas* c, int64_t x1, int64_t x2, int64_t y) {
  if (x1 > x2) std::swap(x1, x2);
  if (y < 0 || y >= c->height || x2 < 0 || x1 >= c->width) return;
  c->span(c, int32_t(std::max<int64_t>(x1, 0)), int32_t(std::min<int64_t>(x2, c->width - 1)), int32_t(y));
}

void shape_vspan(Canvas* c, int64_t x, int64_t y1, int64_t y2) {
  if (y1 > y2) std::swap(y1, y2);
  if (x < 0 || x >= c->width || y2 < 0 || y1 >= c->height) return;
  for (int64_t y = std::max<int64_t>(y1, 0), end = std::min<int64_t>(y2, c->height - 1); y <= end; ++y)
    c->plot(c, int32_t(x), int32_t(y));
}

void shape_plot(Canvas* c, int64_t x, int64_t y) {
  if (canvas_inside(c, x, y)) c->plot(c, int32_t(x), int32_t(y));
}

namespace {

// Cuts the segment to the canvas (parametric clipping); false when none of it is inside.
bool ClipSegment(const Canvas* c, double& x1, double& y1, double& x2, double& y2) {
  double t0 = 0, t1 = 1, dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1, c->width - 1 - x1, y1, c->height - 1 - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  x2 = x1 + t1 * dx, y2 = y1 + t1 * dy;
  x1 += t0 * dx, y1 += t0 * dy;
  return true;
}

// Walks one quarter of an ellipse, calling point(px, py) with px, py ≥ 0 from (rx, 0) to
// (0, ry); Int holds the error terms.
template <typename Int, typename Fn>
void QuarterEllipse(int32_t rx, int32_t ry, Fn point) {
  Int x = -rx, y = 0;
  Int b2 = Int(ry) * ry, a2 = Int(rx) * rx;
  Int err = x * (2 * b2 + x) + b2;
  do {
    point(int32_t(-x), int32_t(y));
    Int e2 = 2 * err;
    if (e2 >= (x * 2 + 1) * b2) err += (++x * 2 + 1) * b2;
    if (e2 <= (y * 2 + 1) * a2) err += (++y * 2 + 1) * a2;
  } while (x <= 0);
  while (y++ < ry) point(0, int32_t(y));  // the tip of very flat ellipses
}

template <typename Fn>
void Quarter(int32_t rx, int32_t ry, Fn point) {
  if (rx > 700 || ry > 700) QuarterEllipse<int64_t>(rx, ry, point);
  else QuarterEllipse<int32_t>(rx, ry, point);
}

// Calls row(py, halfWidth) once per line of the quarter, with the widest point on it.
template <typename Fn>
void QuarterRows(int32_t rx, int32_t ry, Fn row) {
  int32_t lastY = -1;
  Quarter(rx, ry, [&](int32_t px, int32_t py) {
    if (py != lastY) row(py, px);
    lastY = py;
  });
}

// Radii are capped at 2^20 so that even the 64-bit error terms cannot overflow.
int32_t Radius(int32_t r) {
  return int32_t(std::min<int64_t>(std::abs(int64_t(r)), int64_t(1) << 20));
}

}  // namespace

void shape_line(Canvas* c, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (y1 == y2) return shape_hspan(c, x1, x2, y1);
  if (x1 == x2) return shape_vspan(c, x1, y1, y2);
  double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
  if (!ClipSegment(c, fx1, fy1, fx2, fy2)) return;
  int32_t ax = int32_t(std::lround(fx1)), ay = int32_t(std::lround(fy1));
  int32_t bx = int32_t(std::lround(fx2)), by = int32_t(std::lround(fy2));
  int32_t dx = std::abs(bx - ax), dy = -std::abs(by - ay);
  int32_t sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1, err = dx + dy;
  for (;;) {
    shape_plot(c, ax, ay);
    if (ax == bx && ay == by) break;
    int32_t e2 = 2 * err;
    if (e2 >= dy) err += dy, ax += sx;
    if (e2 <= dx) err += dx, ay += sy;
  }
}

void shape_box(Canvas* c, int32_t x, int32_t y, int32_t width, int32_t height) {
  int64_t left = x, top = y, w = width, h = height;
  if (w < 0) left += w, w = -w;
  if (h < 0) top += h, h = -h;
  if (w == 0 || h == 0) return;
  int64_t right = left + w - 1, bottom = top + h - 1;
  if (c->mode & MODE_OUTLINED) {
    shape_hspan(c, left, right, top);
    if (h > 1) shape_hspan(c, left, right, bottom);
    if (h > 2) {
      shape_vspan(c, left, top + 1, bottom - 1);
      if (w > 1) shape_vspan(c, right, top + 1, bottom - 1);
    }
    return;
  }
  for (int64_t line = std::max<int64_t>(top, 0), end = std::min<int64_t>(bottom, c->height - 1); line <= end; ++line)
    shape_hspan(c, left, right, line);
}

void shape_ellipse(Canvas* c, int32_t x, int32_t y, int32_t rx, int32_t ry) {
  rx = Radius(rx), ry = Radius(ry);
  const int64_t cx = x, cy = y;
  if (c->mode & MODE_OUTLINED) {
    Quarter(rx, ry, [&](int32_t px, int32_t py) {
      shape_plot(c, cx + px, cy + py);
      if (px) shape_plot(c, cx - px, cy + py);
      if (py) {
        shape_plot(c, cx + px, cy - py);
        if (px) shape_plot(c, cx - px, cy - py);
      }
    });
    return;
  }
  QuarterRows(rx, ry, [&](int32_t py, int32_t half) {
    shape_hspan(c, cx - half, cx + half, cy + py);
    if (py) shape_hspan(c, cx - half, cx + half, cy - py);
  });
}

void shape_round_box(Canvas* c, int32_t x, int32_t y, int32_t width, int32_t height, int32_t rx, int32_t ry) {
  int64_t left = x, top = y, w = width, h = height;
  if (w < 0) left += w, w = -w;
  if (h < 0) top += h, h = -h;
  if (w == 0 || h == 0) return;
  rx = int32_t(std::min<int64_t>(Radius(rx), (w - 1) / 2));
  ry = int32_t(std::min<int64_t>(Radius(ry), (h - 1) / 2));
  // Centres of the corner arcs.
  const int64_t l = left + rx, r = left + w - 1 - rx, t = top + ry, b = top + h - 1 - ry;
  if (c->mode & MODE_OUTLINED) {
    Quarter(rx, ry, [&](int32_t px, int32_t py) {
      shape_plot(c, l - px, t - py);
      if (r + px != l - px) shape_plot(c, r + px, t - py);
      if (b + py != t - py) {
        shape_plot(c, l - px, b + py);
        if (r + px != l - px) shape_plot(c, r + px, b + py);
      }
    });
    if (r - l > 1) {
      shape_hspan(c, l + 1, r - 1, top);
      if (b + ry != top) shape_hspan(c, l + 1, r - 1, b + ry);
    }
    if (b - t > 1) {
      shape_vspan(c, left, t + 1, b - 1);
      if (left + w - 1 != left) shape_vspan(c, left + w - 1, t + 1, b - 1);
    }
    return;
  }
  QuarterRows(rx, ry, [&](int32_t py, int32_t half) {
    shape_hspan(c, l - half, r + half, t - py);
    if (b + py != t - py) shape_hspan(c, l - half, r + half, b + py);
  });
  for (int64_t line = std::max<int64_t>(t + 1, 0), end = std::min<int64_t>(b - 1, c->height - 1); line <= end; ++line)
    shape_hspan(c, left, left + w - 1, line);
}
