// Drawing outputs on image objects: creation on a DIB section's pixel memory, the start and
// stop of a drawing, and the drawing_* operations on the one current output.
// Each output's device context comes back as it was made when the drawing ends and serves
// the next output (a device context made and deleted per drawing cost most of a small
// patch); one is kept for the life of the process.
// Depends on gdi32 and the image library. Limitation: one output at a time per process; a
// new output stops the one still current, and outputs are used on one thread.
#include "graphics/drawing.h"

#include "graphics/drawing_output.h"
#include "graphics/image.h"
#include "runtime/runtime.h"

namespace {

struct DrawingLibrary {
  DrawingOutput* current;
  HDC spareDc;  // the device context of the last output, kept for the next one
};

DrawingLibrary g_drawing;

// A drawing starts with the system font; the text context it applies to is made only when
// the drawing measures or draws text. Started again, the output keeps its text context.
HDC ImageStart(DrawingOutput* o) {
  if (!o->canvas.pixels) return nullptr;
  if (o->started) return o->image_dc;
  o->started = true;
  o->ops.set_font(o, SYSTEM_FONT_HANDLE);
  return o->image_dc;
}

void ImageStop(DrawingOutput* o) {
  output_text_end(o);
  canvas_release(&o->canvas);
}

// The device context goes back as it came (whatever a caller changed in it) and is kept.
void ImageRelease(DrawingOutput* o, int32_t) {
  if (HDC dc = o->image_dc) {
    RestoreDC(dc, -1);
    SelectObject(dc, o->image_dc_bitmap);
    if (g_drawing.spareDc || !o->image_dc_bitmap) DeleteDC(dc);
    else g_drawing.spareDc = dc;
  }
  o->image_dc = nullptr;
  GdiSetBatchLimit(DWORD(o->saved_batch_limit));
}

void SetBackColour(DrawingOutput* o, uint32_t colour) { canvas_set_back_colour(&o->canvas, colour); }
void SetFrontColour(DrawingOutput* o, uint32_t colour) { canvas_set_front_colour(&o->canvas, colour); }
void SetMode(DrawingOutput* o, int32_t mode) { canvas_set_mode(&o->canvas, mode); }
void* Buffer(DrawingOutput* o) { return o->canvas.pixels; }
int32_t BufferPitch(DrawingOutput* o) { return o->canvas.stride; }
int32_t BufferFormat(DrawingOutput* o) { return o->pixel_format; }

void FillOps(DrawingOps* ops) {
  ops->set_back_colour = SetBackColour;
  ops->set_font = output_set_font;
  ops->buffer = Buffer;
  ops->buffer_pitch = BufferPitch;
  ops->buffer_format = BufferFormat;
  ops->set_mode = SetMode;
  ops->draw_image = output_draw_image;
  ops->draw_image_sized = output_draw_image_sized;
  ops->draw_alpha_image = output_draw_alpha_image;
  ops->draw_text = output_draw_text;
  ops->draw_rotated_text = output_draw_rotated_text;
  ops->set_front_colour = SetFrontColour;
  ops->start = ImageStart;
  ops->stop = ImageStop;
  ops->text_height = output_text_height;
  ops->text_width = output_text_width;
  ops->release = ImageRelease;
  output_fill_shape_ops(ops);
}

void Discard(DrawingOutput* o) {
  if (g_drawing.current == o) g_drawing.current = nullptr;
  ObjectFree(o);
}

}  // namespace

void drawing_library_init() {
  g_drawing.current = nullptr;
}

DrawingOutput* drawing_current() {
  return g_drawing.current;
}

DrawingOutput* image_output(ObjectId number) {
  auto* record = static_cast<ImageRecord*>(LookUpObject(g_imageList, number));
  PixelBuffer pixels;
  // Only 24- and 32-bit pixel memory: the kernels address 3 or 4 bytes per pixel.
  if (!record || !dib_pixels(static_cast<HBITMAP>(record->handle), &pixels) || !pixels.bottomUp) return nullptr;
  auto* o = static_cast<DrawingOutput*>(ObjectAlloc(sizeof(DrawingOutput)));
  if (!o) return nullptr;
  HDC dc = g_drawing.spareDc ? g_drawing.spareDc : CreateCompatibleDC(nullptr);
  g_drawing.spareDc = nullptr;
  if (!dc) {
    ObjectFree(o);
    return nullptr;
  }
  if (g_drawing.current) drawing_stop();
  g_drawing.current = o;
  int32_t creation = pixels.bytesPerPixel == 4 ? 0x40 : 0x10;
  o->pixel_format = creation | 0x8000;
  o->depth = creation == 0x40 ? 32 : 24;
  FillOps(&o->ops);
  canvas_init(&o->canvas, pixels.pixels, pixels.width, pixels.height, dib_stride(pixels.width, o->depth),
              creation & 0x60 ? 4 : 3);
  o->image_bitmap = static_cast<HBITMAP>(record->handle);
  o->saved_batch_limit = int32_t(GdiGetBatchLimit());
  GdiSetBatchLimit(1);
  o->image_dc = dc;
  o->image_dc_bitmap = SelectObject(dc, o->image_bitmap);
  SaveDC(dc);
  return o;
}

HDC drawing_start(DrawingOutput* output) {
  if (!output) return nullptr;
  HDC dc = output->ops.start(output);
  if (!dc) {
    output->ops.release(output, 0);
    Discard(output);
  }
  return dc;
}

void drawing_stop() {
  DrawingOutput* o = g_drawing.current;
  if (!o) return;
  o->ops.stop(o);
  o->ops.release(o, 1);
  Discard(o);
}

void drawing_font(intptr_t font) {
  if (DrawingOutput* o = g_drawing.current) o->ops.set_font(o, font);
}

void drawing_image(HANDLE image, int32_t x, int32_t y) {
  if (DrawingOutput* o = g_drawing.current) o->ops.draw_image(o, image, x, y);
}

void drawing_image_sized(HANDLE image, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (DrawingOutput* o = g_drawing.current) o->ops.draw_image_sized(o, image, x, y, width, height);
}

int32_t drawing_text(int32_t x, int32_t y, const char* text, uint32_t front, uint32_t back) {
  DrawingOutput* o = g_drawing.current;
  if (!o) return x;
  if (front != o->canvas.front_colour) o->ops.set_front_colour(o, front);
  if (back != o->canvas.back_colour) o->ops.set_back_colour(o, back);
  return o->ops.draw_text(o, x, y, text);
}
