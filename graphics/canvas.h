// The portable half of a drawing output: the pixel memory drawn on, the mode register, the
// colours with their components, gradient and filter hooks, the flood-fill buffers, and the
// pixel writers and readers chosen for the current mode. Every pixel kernel works on it, so
// all drawing runs (and is tested) without a window system.
#pragma once
#include <cstdint>

#include "graphics/pixels.h"
#include "runtime/blockpool.h"
#include "runtime/objects.h"

constexpr int32_t MODE_TRANSPARENT = 0x001;
constexpr int32_t MODE_XOR = 0x002;
constexpr int32_t MODE_OUTLINED = 0x004;
constexpr int32_t MODE_ALPHA_CHANNEL = 0x008;
constexpr int32_t MODE_ALPHA_BLEND = 0x010;
constexpr int32_t MODE_ALPHA_CLIP = 0x020;
constexpr int32_t MODE_GRADIENT = 0x040;
constexpr int32_t MODE_CUSTOM = 0x080;
constexpr int32_t MODE_ALL_CHANNELS = 0x100;

struct Canvas;
using PlotFn = void (*)(Canvas* c, int32_t x, int32_t y);
using PlotColourFn = void (*)(Canvas* c, int32_t x, int32_t y, uint32_t colour);
using PointFn = uint32_t (*)(Canvas* c, int32_t x, int32_t y);
// Writes the front colour from column x1 to x2 (inclusive, already clipped) of line y.
using SpanFn = void (*)(Canvas* c, int32_t x1, int32_t x2, int32_t y);
// Gradient position (0.0 … 1.0) at a pixel.
using GradientFn = float (*)(int32_t x, int32_t y);
// Custom filter: the colour to write at a pixel, given the drawing colour and the pixel's own.
using FilterFn = uint32_t (*)(int32_t x, int32_t y, uint32_t colour, uint32_t pixel);

// One colour split for the writers; red, green and blue are multiplied by alpha when the
// mode premultiplies.
struct ColourParts {
  int32_t red, green, blue, alpha, inverse;  // inverse = 255 - alpha
};

struct GradientStop {
  float position;
  uint8_t blue, green, red, alpha;
};

struct FillSpan {
  FillSpan* next;
  int32_t left, right;
};

struct Canvas {
  uint8_t* pixels;  // bottom-up rows, blue, green, red (, alpha)
  int32_t width, height, stride, bytes_per_pixel;
  uint32_t gradient_end, gradient_start;
  uint32_t front_colour, back_colour;
  GradientFn gradient_function;
  FilterFn filter_function;
  ObjectNode* gradient_stops;  // chain of GradientStop
  BlockPool* fill_pool;        // FillSpan records
  FillSpan** fill_rows;        // one chain per line
  int32_t mode;
  bool premultiply, gradient_on, filter_on;
  ColourParts front, back;
  PlotFn plot;
  PlotColourFn plot_colour;
  PointFn point;
  SpanFn span;
};

// Prepares a canvas on pixel memory in mode 0 with the initial colours.
void canvas_init(Canvas* c, uint8_t* pixels, int32_t width, int32_t height, int32_t stride, int32_t bytesPerPixel);
// Frees the fill buffers and gradient stops.
void canvas_release(Canvas* c);
void canvas_set_mode(Canvas* c, int32_t mode);
void canvas_set_front_colour(Canvas* c, uint32_t colour);
void canvas_set_back_colour(Canvas* c, uint32_t colour);
bool canvas_add_gradient_stop(Canvas* c, float position, uint32_t colour);
uint32_t canvas_gradient_colour(const Canvas* c, int32_t x, int32_t y);
// The colour a writer draws at a pixel: the front colour, or the gradient's or filter's.
uint32_t canvas_source_colour(Canvas* c, int32_t x, int32_t y);

// A colour value (red in the low byte, alpha on top) split into components.
inline ColourParts canvas_parts(uint32_t colour, bool premultiply) {
  int32_t a = int32_t(colour >> 24), m = premultiply ? a : 1;
  return {int32_t(colour & 0xFF) * m, int32_t(colour >> 8 & 0xFF) * m, int32_t(colour >> 16 & 0xFF) * m, a, 255 - a};
}

inline uint8_t* canvas_at(const Canvas* c, int32_t x, int32_t y) {
  return c->pixels + intptr_t(x) * c->bytes_per_pixel + intptr_t(c->height - y - 1) * c->stride;
}
inline bool canvas_inside(const Canvas* c, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < c->width && y < c->height;
}
inline PixelBuffer canvas_buffer(const Canvas* c) {
  return {c->pixels, c->width, c->height, c->stride, c->bytes_per_pixel, true};
}
