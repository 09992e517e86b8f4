// The drawing output record: its table of 27 operations (each takes the output first), the
// portable canvas the pixel kernels draw on, and the GDI side (text rendering, image DC).
// Win32 only.
#pragma once
#include <windows.h>

#include <cstdint>

#include "graphics/canvas.h"
#include "graphics/drawing.h"

struct DrawingOps {
  void (*set_back_colour)(DrawingOutput* o, uint32_t colour);                                    // 1
  void (*box)(DrawingOutput* o, int32_t x, int32_t y, int32_t width, int32_t height);           // 2
  void (*round_box)(DrawingOutput* o, int32_t x, int32_t y, int32_t width, int32_t height, int32_t rx,
                    int32_t ry);                                                                // 3
  void (*unused)(DrawingOutput* o);                                                             // 4
  void (*set_font)(DrawingOutput* o, intptr_t font);                                            // 5
  void* (*buffer)(DrawingOutput* o);                                                            // 6
  int32_t (*buffer_pitch)(DrawingOutput* o);                                                    // 7
  int32_t (*buffer_format)(DrawingOutput* o);                                                   // 8
  void (*set_mode)(DrawingOutput* o, int32_t mode);                                             // 9
  void (*draw_image)(DrawingOutput* o, HANDLE image, int32_t x, int32_t y);                     // 10
  void (*draw_image_sized)(DrawingOutput* o, HANDLE image, int32_t x, int32_t y, int32_t width,
                           int32_t height);                                                     // 11
  void (*draw_alpha_image)(DrawingOutput* o, HANDLE image, int32_t x, int32_t y, int32_t alpha);  // 12
  int32_t (*draw_text)(DrawingOutput* o, int32_t x, int32_t y, const char* text);               // 13
  void (*draw_rotated_text)(DrawingOutput* o, int32_t x, int32_t y, const char* text, float angle);  // 14
  void (*ellipse)(DrawingOutput* o, int32_t x, int32_t y, int32_t rx, int32_t ry);              // 15
  void (*fill_area)(DrawingOutput* o, int32_t x, int32_t y, int32_t border);                    // 16
  void (*set_front_colour)(DrawingOutput* o, uint32_t colour);                                  // 17
  intptr_t (*grab_image)(DrawingOutput* o, ObjectId number, int32_t x, int32_t y, int32_t width,
                         int32_t height);                                                       // 18
  void (*line)(DrawingOutput* o, int32_t x1, int32_t y1, int32_t x2, int32_t y2);               // 19
  void (*plot)(DrawingOutput* o, int32_t x, int32_t y);                                         // 20
  void (*plot_colour)(DrawingOutput* o, int32_t x, int32_t y, uint32_t colour);                 // 21
  uint32_t (*point)(DrawingOutput* o, int32_t x, int32_t y);                                    // 22
  HDC (*start)(DrawingOutput* o);                                                               // 23
  void (*stop)(DrawingOutput* o);                                                               // 24
  int32_t (*text_height)(DrawingOutput* o, const char* text);                                   // 25
  int32_t (*text_width)(DrawingOutput* o, const char* text);                                    // 26
  void (*release)(DrawingOutput* o, int32_t flag);                                              // 27
};

struct DrawingOutput {
  DrawingOps ops;
  Canvas canvas;  // pixels, size, stride, mode, colours, writers, fill and gradient state
  int32_t depth;  // 24 or 32
  int32_t pixel_format;  // 0x8010 for 24-bit images, 0x8040 for 32-bit ones
  bool started;
  intptr_t font;  // the font of the text context, applied when the context is made
  HDC text_dc;    // made on the first text operation of a drawing
  HBITMAP text_bitmap;
  uint8_t* text_pixels;  // top-down, 24 bits, as wide as the image
  int32_t text_stride;
  int32_t text_rows;
  int32_t overhang;  // italic overhang of the font, in pixels
  HFONT rotated_font;
  float rotated_angle;
  HDC image_dc;
  HGDIOBJ image_dc_bitmap;  // what image_dc held before the image
  int32_t saved_batch_limit;
  HBITMAP image_bitmap;
};

// The operations of the output's table, by concern (drawing_text_win32.cpp,
// drawing_image_win32.cpp, drawing_ops_win32.cpp).
void output_set_font(DrawingOutput* o, intptr_t font);
int32_t output_draw_text(DrawingOutput* o, int32_t x, int32_t y, const char* text);
void output_draw_rotated_text(DrawingOutput* o, int32_t x, int32_t y, const char* text, float angle);
int32_t output_text_width(DrawingOutput* o, const char* text);
int32_t output_text_height(DrawingOutput* o, const char* text);
// Gives the text context back (kept for the next drawing of the same width).
void output_text_end(DrawingOutput* o);
void output_draw_image(DrawingOutput* o, HANDLE image, int32_t x, int32_t y);
void output_draw_image_sized(DrawingOutput* o, HANDLE image, int32_t x, int32_t y, int32_t width, int32_t height);
void output_draw_alpha_image(DrawingOutput* o, HANDLE image, int32_t x, int32_t y, int32_t alpha);
void output_fill_shape_ops(DrawingOps* ops);
