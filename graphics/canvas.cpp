// The canvas record: creation defaults, the mode register with its masking rules, colour
// components, and the release of the buffers that shapes allocate on demand.
#include "graphics/canvas.h"

#include "graphics/writers.h"
#include "runtime/runtime.h"

namespace {

float FullGradient(int32_t, int32_t) { return 1.0f; }

}  // namespace

void canvas_init(Canvas* c, uint8_t* pixels, int32_t width, int32_t height, int32_t stride, int32_t bytesPerPixel) {
  *c = {};
  c->pixels = pixels;
  c->width = width;
  c->height = height;
  c->stride = stride;
  c->bytes_per_pixel = bytesPerPixel;
  c->gradient_end = 0xFFFFFFFF;
  c->gradient_start = 0xFF000000;
  c->gradient_function = FullGradient;
  canvas_set_mode(c, 0);
}

void canvas_release(Canvas* c) {
  if (c->fill_pool) DeleteBlockPool(c->fill_pool);
  if (c->fill_rows) ObjectFree(c->fill_rows);
  while (c->gradient_stops) RemoveNode(&c->gradient_stops, PayloadOf(c->gradient_stops));
  c->fill_pool = nullptr;
  c->fill_rows = nullptr;
}

void canvas_set_mode(Canvas* c, int32_t mode) {
  if (mode & MODE_ALL_CHANNELS) {
    mode &= ~(MODE_ALPHA_CHANNEL | MODE_ALPHA_BLEND | MODE_ALPHA_CLIP);
    if (c->bytes_per_pixel != 4) mode &= ~MODE_ALL_CHANNELS;
  }
  c->mode = mode;
  c->gradient_on = mode & MODE_GRADIENT;
  c->filter_on = (mode & MODE_CUSTOM) && c->filter_function;
  // The custom bit without a filter draws the front colour, which the blend writers then
  // take premultiplied.
  c->premultiply = (mode & (MODE_ALPHA_BLEND | MODE_ALPHA_CLIP)) &&
                   !(mode & (MODE_XOR | MODE_GRADIENT | MODE_ALL_CHANNELS)) && !c->filter_on;
  writers_select(c);
  canvas_set_front_colour(c, c->front_colour);
  canvas_set_back_colour(c, c->back_colour);
}

void canvas_set_front_colour(Canvas* c, uint32_t colour) {
  c->front_colour = colour;
  c->front = canvas_parts(colour, c->premultiply);
}

void canvas_set_back_colour(Canvas* c, uint32_t colour) {
  c->back_colour = colour;
  c->back = canvas_parts(colour, c->premultiply);
}
