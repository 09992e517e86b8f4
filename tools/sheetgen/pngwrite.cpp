// PNG output through libpng (see pngwrite.h). No time stamp or other varying chunk is
// written, so the same pixels always give the same bytes.
#include "pngwrite.h"

#include <png.h>

#include <cstdio>

namespace {

void write_rows(png_structp png, const PixelBuffer& picture) {
  for (int32_t y = 0; y < picture.height; ++y) png_write_row(png, PixelLine(picture, y));
}

// libpng reports errors by longjmp; nothing here is changed between setjmp and the jump.
bool write_png(png_structp png, png_infop info, FILE* file, const PixelBuffer& picture) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  png_set_bgr(png);  // our pixels are blue, green, red
  write_rows(png, picture);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool png_write_rgb(const char* path, const PixelBuffer& picture) {
  if (picture.bytesPerPixel != 3) return false;
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = info && write_png(png, info, file, picture);
  png_destroy_write_struct(&png, &info);
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::remove(path);
  return ok;
}
