// Clipping of a rectangle against an area that starts at (0, 0), shared by the blits, the
// grabs and the text mix. Works in 64 bits, so that no position or size can overflow.
#pragma once
#include <algorithm>
#include <cstdint>

struct ClipResult {
  int32_t innerX, innerY;  // first visible column and line inside the rectangle
  int32_t outerX, outerY;  // where that lands in the area
  int32_t width, height;   // visible size
};

// The part of a width × height rectangle at (x, y) that lies inside an areaWidth ×
// areaHeight area; false when nothing of it does.
inline bool ClipRectangle(int32_t areaWidth, int32_t areaHeight, int64_t x, int64_t y, int64_t width,
                          int64_t height, ClipResult* out) {
  int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  int64_t right = std::min<int64_t>(x + width, areaWidth), bottom = std::min<int64_t>(y + height, areaHeight);
  if (right <= left || bottom <= top) return false;
  *out = {int32_t(left - x), int32_t(top - y), int32_t(left), int32_t(top), int32_t(right - left),
          int32_t(bottom - top)};
  return true;
}
