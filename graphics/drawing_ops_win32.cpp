// The output's shape and pixel slots: they hand the portable canvas to the shape kernels.
// The pixel slots clip, unlike the raw writers, since callers reach them directly.
// Win32 only (grab_image registers a DIB section with the image library).
#include "graphics/blit.h"
#include "graphics/drawing_output.h"
#include "graphics/image.h"
#include "graphics/shapes.h"

namespace {

void Box(DrawingOutput* o, int32_t x, int32_t y, int32_t w, int32_t h) { shape_box(&o->canvas, x, y, w, h); }

void RoundBox(DrawingOutput* o, int32_t x, int32_t y, int32_t w, int32_t h, int32_t rx, int32_t ry) {
  shape_round_box(&o->canvas, x, y, w, h, rx, ry);
}

void Ellipse(DrawingOutput* o, int32_t x, int32_t y, int32_t rx, int32_t ry) {
  shape_ellipse(&o->canvas, x, y, rx, ry);
}

void FillArea(DrawingOutput* o, int32_t x, int32_t y, int32_t border) { shape_fill_area(&o->canvas, x, y, border); }

void Line(DrawingOutput* o, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  shape_line(&o->canvas, x1, y1, x2, y2);
}

void Plot(DrawingOutput* o, int32_t x, int32_t y) { shape_plot(&o->canvas, x, y); }

void PlotColour(DrawingOutput* o, int32_t x, int32_t y, uint32_t colour) {
  if (canvas_inside(&o->canvas, x, y)) o->canvas.plot_colour(&o->canvas, x, y, colour);
}

uint32_t Point(DrawingOutput* o, int32_t x, int32_t y) {
  return canvas_inside(&o->canvas, x, y) ? o->canvas.point(&o->canvas, x, y) : 0;
}

intptr_t GrabImage(DrawingOutput* o, ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height) {
  HBITMAP bitmap = dib_create(width, height, o->depth);
  PixelBuffer target;
  if (!bitmap) return 0;
  if (!dib_pixels(bitmap, &target) || !CopyPixelRect(target, canvas_buffer(&o->canvas), x, y)) {
    DeleteObject(bitmap);
    return 0;
  }
  return image_store(number, bitmap, o->depth);
}

}  // namespace

void output_fill_shape_ops(DrawingOps* ops) {
  ops->box = Box;
  ops->round_box = RoundBox;
  ops->ellipse = Ellipse;
  ops->fill_area = FillArea;
  ops->line = Line;
  ops->plot = Plot;
  ops->plot_colour = PlotColour;
  ops->point = Point;
  ops->grab_image = GrabImage;
}
