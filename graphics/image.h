// Image objects: numbered pictures on DIB sections (or icons), their registry, and the
// bitmap utilities the picture gadget uses for 32-bit pictures with alpha.
// Win32 only. Every bitmap the library makes is bottom-up, BGR(A), rows padded to 4 bytes.
#pragma once
#include <windows.h>

#include <cstdint>

#include "graphics/pixels.h"
#include "runtime/objects.h"

constexpr int32_t IMAGE_TRANSPARENT = 0x100;

struct ImageRecord {
  HANDLE handle;  // HBITMAP of a DIB section, or HICON; 0 = no image
  int16_t width;
  int16_t height;
  uint8_t depth;
  uint8_t source_depth;
};

extern ObjectList* g_imageList;

void image_display_init();
void image_display_end();
void image_library_init();
void image_library_end();

int32_t dib_stride(int32_t width, int32_t bits);
// A zero-filled bottom-up DIB section, 0 for a width or height below 1; its pixel memory
// in *pixels when asked for.
HBITMAP dib_create(int32_t width, int32_t height, int32_t depth, void** pixels = nullptr);
// Copies the sourceWidth × sourceHeight rectangle at (x, y) of source onto target's
// width × height through GDI, stretched when the sizes differ (halftone when asked).
bool bitmap_copy(HBITMAP target, int32_t width, int32_t height, HBITMAP source, int32_t x, int32_t y,
                 int32_t sourceWidth, int32_t sourceHeight, bool halftone);
// The pixel memory of a 24- or 32-bit DIB section as a PixelBuffer; false for anything else.
bool dib_pixels(HBITMAP bitmap, PixelBuffer* out);
// Spare DIB sections (dib_spares_win32.cpp): a zero-filled spare of that size and depth
// (24 or 32) or 0; keeping a freed bottom-up 24- or 32-bit DIB section for reuse (false when
// it is not kept: the caller deletes it); deleting every spare.
HBITMAP dib_spare_take(int32_t width, int32_t height, int32_t depth, void** pixels);
bool dib_spare_keep(HBITMAP bitmap);
void dib_spares_free();

// Creating operations return the handle for a fixed number, the dynamic id for -1, 0 on failure.
intptr_t image_create(ObjectId number, int32_t width, int32_t height, int32_t depth = 24);
intptr_t image_grab(ObjectId source, ObjectId target, int32_t x, int32_t y, int32_t width, int32_t height);
// Registers a bitmap or icon made elsewhere (the loaders) under a number, as image_create
// would; the library owns the handle from then on (it is destroyed on failure).
intptr_t image_store(ObjectId number, HANDLE handle, int32_t sourceDepth);
HANDLE image_handle(ObjectId number);
void image_free(ObjectId number);

void* bitmap_pixels32(HBITMAP bitmap, int32_t* owned);
int32_t bitmap_has_alpha(HBITMAP bitmap);
HBITMAP bitmap_premultiplied(HBITMAP bitmap, HDC dc);
void bitmap_premultiplied_free(HBITMAP bitmap);
void bitmap_alpha_draw(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, HBITMAP bitmap, HDC sourceDc,
                       int32_t alpha);
HBITMAP bitmap_alpha_mask(HBITMAP bitmap);
