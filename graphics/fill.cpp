// The flood fill: span by span, each line's filled spans recorded in fill_rows so that no
// part is visited twice (which also stops fills whose colour equals the region's). Span
// records and pending seeds come from fill_pool, a block pool cleared after every fill.
#include "graphics/shapes.h"
#include "runtime/runtime.h"

namespace {

struct Seed {
  Seed* next;
  int32_t x, y;
};
static_assert(sizeof(Seed) == sizeof(FillSpan));

inline uint32_t Rgb(const Canvas* c, int32_t x, int32_t y) {
  const uint8_t* p = canvas_at(c, x, y);
  return p[2] | p[1] << 8 | p[0] << 16;
}

struct Fill {
  Canvas* c;
  uint32_t colour;  // the border, or the region's own colour
  bool bounded;     // true: stop at the border colour; false: run across the region colour
  Seed* seeds;

  bool Fillable(int32_t x, int32_t y) const { return (Rgb(c, x, y) == colour) != bounded; }

  bool Recorded(int32_t x, int32_t y) const {
    for (FillSpan* s = c->fill_rows[y]; s; s = s->next)
      if (x >= s->left && x <= s->right) return true;
    return false;
  }

  bool Open(int32_t x, int32_t y) const { return Fillable(x, y) && !Recorded(x, y); }

  bool Push(int32_t x, int32_t y) {
    auto* s = static_cast<Seed*>(TakeBlock(c->fill_pool));
    if (!s) return false;
    *s = {seeds, x, y};
    seeds = s;
    return true;
  }

  // Queues the start of every open run of line y between left and right.
  bool SeedLine(int32_t left, int32_t right, int32_t y) {
    if (y < 0 || y >= c->height) return true;
    for (int32_t x = left; x <= right; ++x) {
      if (!Open(x, y)) continue;
      if (!Push(x, y)) return false;
      while (x + 1 <= right && Open(x + 1, y)) ++x;
    }
    return true;
  }

  void Run(int32_t x, int32_t y) {
    if (!Push(x, y)) return;
    while (seeds) {
      Seed s = *seeds;
      ReturnBlock(c->fill_pool, seeds);
      seeds = s.next;
      if (!Open(s.x, s.y)) continue;
      int32_t left = s.x, right = s.x;
      while (left > 0 && Open(left - 1, s.y)) --left;
      while (right + 1 < c->width && Open(right + 1, s.y)) ++right;
      auto* span = static_cast<FillSpan*>(TakeBlock(c->fill_pool));
      if (!span) return;
      *span = {c->fill_rows[s.y], left, right};
      c->fill_rows[s.y] = span;
      c->span(c, left, right, s.y);
      if (!SeedLine(left, right, s.y - 1) || !SeedLine(left, right, s.y + 1)) return;
    }
  }
};

}  // namespace

void shape_fill_area(Canvas* c, int32_t x, int32_t y, int32_t border) {
  if (!canvas_inside(c, x, y) || !c->pixels) return;
  if (!c->fill_pool) c->fill_pool = NewBlockPool(sizeof(FillSpan), 128, 1024);
  if (!c->fill_rows) c->fill_rows = static_cast<FillSpan**>(ObjectAlloc(sizeof(FillSpan*) * size_t(c->height)));
  if (!c->fill_pool || !c->fill_rows) return;
  for (int32_t row = 0; row < c->height; ++row) c->fill_rows[row] = nullptr;
  bool bounded = border != -1;
  Fill fill{c, bounded ? uint32_t(border) & 0xFFFFFF : Rgb(c, x, y), bounded, nullptr};
  fill.Run(x, y);
  ClearBlockPool(c->fill_pool);
}
