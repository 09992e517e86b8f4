// Gradient colours: the position the gradient function gives at a pixel, mixed between the
// start colour, the stops (in position order) and the end colour; and the colour source the
// writers use in gradient and custom-filter modes.
#include "graphics/canvas.h"

namespace {

uint32_t StopColour(const GradientStop& s) {
  return s.blue << 16 | s.green << 8 | s.red | uint32_t(s.alpha) << 24;
}

// Each of the four bytes: a × (1 - t) + b × t, truncated. t is held to 0 … 1, a position
// that is no number (a stop at 0 divides by zero) counting as 0.
uint32_t Mix(uint32_t a, uint32_t b, float t) {
  t = t > 0 ? (t < 1 ? t : 1) : 0;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    float value = float(a >> shift & 0xFF) * (1.0f - t) + float(b >> shift & 0xFF) * t;
    out |= uint32_t(int32_t(value)) << shift;
  }
  return out;
}

}  // namespace

bool canvas_add_gradient_stop(Canvas* c, float position, uint32_t colour) {
  auto* stop = static_cast<GradientStop*>(AddNode(&c->gradient_stops, sizeof(GradientStop)));
  if (!stop) return false;
  *stop = {position, uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour), uint8_t(colour >> 24)};
  return true;
}

uint32_t canvas_gradient_colour(const Canvas* c, int32_t x, int32_t y) {
  float e = c->gradient_function ? c->gradient_function(x, y) : 1.0f;
  const GradientStop *below = nullptr, *above = nullptr;
  for (ObjectNode* n = c->gradient_stops; n; n = n->next) {
    auto* s = static_cast<const GradientStop*>(PayloadOf(n));
    if (s->position <= e && (!below || s->position > below->position)) below = s;
    if (s->position > e && (!above || s->position < above->position)) above = s;
  }
  if (!below && !above) return Mix(c->gradient_start, c->gradient_end, e);
  if (!below) return Mix(c->gradient_start, StopColour(*above), e / above->position);
  if (above)
    return Mix(StopColour(*below), StopColour(*above), (e - below->position) / (above->position - below->position));
  if (below->position >= 1.0f) return StopColour(*below);
  return Mix(StopColour(*below), c->gradient_end, (e - below->position) / (1.0f - below->position));
}

uint32_t canvas_source_colour(Canvas* c, int32_t x, int32_t y) {
  if (c->filter_on) return c->filter_function(x, y, c->front_colour, c->point(c, x, y));
  if (c->gradient_on) return canvas_gradient_colour(c, x, y);
  return c->front_colour;
}
