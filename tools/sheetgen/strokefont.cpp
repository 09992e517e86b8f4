// Glyph outlines of the stroke font (see strokefont.h).
#include "strokefont.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct Point {
  float x, y;
};
using Stroke = std::vector<Point>;
using Glyph = std::vector<Stroke>;

// An elliptical loop, closed, for the round parts of 0 and 8.
Stroke loop(float cx, float cy, float rx, float ry) {
  Stroke s;
  for (int i = 0; i <= 24; ++i) {
    float a = float(i) * 6.2831853f / 24;
    s.push_back({cx + rx * std::sin(a), cy - ry * std::cos(a)});
  }
  return s;
}

Stroke turned(const Stroke& s) {
  Stroke t;
  for (const Point& p : s) t.push_back({4 - p.x, 6 - p.y});
  return t;
}

const Stroke kSix{{3.6f, 0.5f}, {2.6f, 0},    {1.4f, 0.2f}, {0.4f, 1.3f}, {0, 3.3f},
                  {0.2f, 5},    {1.2f, 6},    {2.8f, 6},    {3.8f, 5},    {3.8f, 3.8f},
                  {2.8f, 2.8f}, {1.2f, 2.8f}, {0.1f, 3.7f}};

Glyph glyph(char c) {
  switch (c) {
    case '0': return {loop(2, 3, 2, 3)};
    case '1': return {{{0.7f, 1.3f}, {2.2f, 0}, {2.2f, 6}}};
    case '2':
      return {{{0.1f, 1.4f}, {0.7f, 0.4f}, {2, 0}, {3.3f, 0.4f}, {3.9f, 1.5f}, {3.5f, 2.7f},
               {0, 6}, {4, 6}}};
    case '3':
      return {{{0.2f, 0.7f}, {1.2f, 0}, {2.8f, 0}, {3.8f, 0.8f}, {3.8f, 2}, {2.8f, 2.85f},
               {1.4f, 2.85f}},
              {{2.8f, 2.85f}, {4, 3.8f}, {4, 5}, {3, 6}, {1.2f, 6}, {0.1f, 5.3f}}};
    case '4': return {{{3, 6}, {3, 0}, {0, 4.2f}, {4, 4.2f}}};
    case '5':
      return {{{3.8f, 0}, {0.5f, 0}, {0.2f, 2.7f}, {1.6f, 2.2f}, {3, 2.4f}, {4, 3.5f},
               {4, 4.8f}, {3, 5.9f}, {1.3f, 6}, {0.1f, 5.3f}}};
    case '6': return {kSix};
    case '7': return {{{0, 0}, {4, 0}, {1.6f, 6}}};
    case '8': return {loop(2, 1.45f, 1.65f, 1.45f), loop(2, 4.35f, 1.95f, 1.65f)};
    case '9': return {turned(kSix)};
    case 'X': return {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}};
    case 'Y': return {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}};
    case 'Z': return {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}};
    case 'R':
      return {{{0, 6}, {0, 0}, {2.6f, 0}, {3.6f, 0.5f}, {4, 1.6f}, {3.6f, 2.7f}, {2.6f, 3.2f},
               {0, 3.2f}},
              {{2.2f, 3.2f}, {4, 6}}};
    case 'V': return {{{0, 0}, {2, 6}, {4, 0}}};
    case 'E': return {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
    case 'L': return {{{0, 0}, {0, 6}, {4, 6}}};
    case 'O': return {loop(2, 3, 2, 3)};
    case 'M': return {{{0, 6}, {0, 0}, {2, 4}, {4, 0}, {4, 6}}};
    case 'I': return {{{2, 0}, {2, 6}}};
    default: return {};
  }
}

constexpr float kAdvance = 6;  // glyph width 4 plus spacing 2, in grid units

}  // namespace

Shape text_shape(const char* s, float cx, float cy, float height, float weight) {
  float scale = height / 6, r = weight / 2;
  float width = (float(std::strlen(s)) * kAdvance - 2) * scale;
  float left = cx - width / 2, top = cy - height / 2;
  std::vector<Shape> segments;
  for (int i = 0; s[i]; ++i) {
    float ox = left + float(i) * kAdvance * scale;
    for (const Stroke& stroke : glyph(s[i]))
      for (size_t k = 0; k + 1 < stroke.size(); ++k)
        segments.push_back(capsule(ox + stroke[k].x * scale, top + stroke[k].y * scale,
                                   ox + stroke[k + 1].x * scale, top + stroke[k + 1].y * scale,
                                   r));
  }
  // One flat minimum over all strokes, so joints are never blended twice.
  Box box{left - r, top - r, left + width + r, top + height + r};
  return {box, [segments](float x, float y) {
            float d = 1e30f;
            for (const Shape& seg : segments) d = std::min(d, seg.distance(x, y));
            return d;
          }};
}
