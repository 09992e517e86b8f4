// PNG decoder on libpng's read side: every colour type arrives as 8-bit blue, green, red
// (and alpha where the file has alpha or palette/low-bit-grey transparency).
// Depends on libpng (over zlib) and C stdio; libpng's errors come back through setjmp.
// Limitations: no libpng allocation above 16 MiB; 8- and 16-bit grey transparency (tRNS)
// is not applied; the stream's end is not read; libpng's warnings go to its default handler.
#include <png.h>

#include <csetjmp>
#include <cstdlib>

#include "graphics/decoder.h"

namespace {

// No single libpng allocation beyond this: a few bytes claiming a huge ancillary chunk
// would otherwise make libpng allocate and clear a gigabyte before finding the file short.
// Refused, libpng skips such a chunk (or fails the file); a picture within our size limits
// needs far less (two rows of at most 32767 16-bit RGBA pixels, its zlib state).
constexpr png_alloc_size_t kMaxAllocation = png_alloc_size_t(16) << 20;

png_voidp PngAllocate(png_structp, png_alloc_size_t size) {
  return size <= kMaxAllocation ? std::malloc(size) : nullptr;
}
void PngFree(png_structp, png_voidp block) { std::free(block); }

png_structp ReadStruct(const DecoderContext* c) { return static_cast<png_structp>(c->private_a); }
png_infop InfoStruct(const DecoderContext* c) { return static_cast<png_infop>(c->private_b); }

// Frees libpng's structures, also a pair that was only partly made.
void PngRelease(DecoderContext* c) {
  png_structp png = ReadStruct(c);
  png_infop info = InfoStruct(c);
  if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  c->private_a = nullptr;
  c->private_b = nullptr;
}

// Reads the header and asks for every transformation before libpng fixes the row layout,
// so that each delivered row is exactly width pixels of 8-bit BGR(A). libpng may jump out
// of here; nothing in this frame needs unwinding.
bool PngReadHeader(DecoderContext* c) {
  png_structp png = ReadStruct(c);
  png_infop info = png_create_info_struct(png);
  if (!info) return false;
  c->private_b = info;
  png_init_io(png, c->file);
  png_set_sig_bytes(png, 8);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
  if (width > png_uint_32(DECODER_MAX_SIDE) || height > png_uint_32(DECODER_MAX_SIDE)) return false;
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      c->source_depth = bitDepth;
      if (bitDepth < 8) png_set_expand(png);
      if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
      else png_set_gray_to_rgb(png);
      break;
    case PNG_COLOR_TYPE_RGB: c->source_depth = 24; break;
    case PNG_COLOR_TYPE_RGB_ALPHA: c->source_depth = 32; break;
    default: return false;
  }
  png_set_strip_16(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
  c->width = int32_t(width);
  c->height = int32_t(height);
  c->colour_type = colourType;
  c->bit_depth = bitDepth;
  c->depth = colourType == PNG_COLOR_TYPE_RGB ? 24 : 32;
  // Whatever the file did to the transformations, a row must be what our buffer holds.
  bool layoutKnown = bitDepth == 8 && (colourType == PNG_COLOR_TYPE_RGB || colourType == PNG_COLOR_TYPE_RGB_ALPHA);
  return layoutKnown && png_get_rowbytes(png, info) == size_t(width) * size_t(c->depth / 8);
}

int32_t PngProbe(DecoderContext* c) {
  png_byte signature[8];
  if (std::fread(signature, 1, sizeof signature, c->file) != sizeof signature) return 0;
  if (png_sig_cmp(signature, 0, sizeof signature) != 0) return 0;
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr, nullptr,
                                             PngAllocate, PngFree);
  if (!png) return 0;
  c->private_a = png;
  if (setjmp(*png_set_longjmp_fn(png, longjmp, sizeof(jmp_buf)))) {
    PngRelease(c);
    return 0;
  }
  if (PngReadHeader(c)) return 1;
  PngRelease(c);
  return 0;
}

// One pass after the other, each over every line; libpng merges the interlaced passes
// into the rows it has already written.
void PngReadRows(DecoderContext* c, const PixelBuffer& target) {
  png_structp png = ReadStruct(c);
  int passes = png_get_interlace_type(png, InfoStruct(c)) == PNG_INTERLACE_ADAM7 ? PNG_INTERLACE_ADAM7_PASSES : 1;
  for (int pass = 0; pass < passes; ++pass) {
    for (int32_t y = 0; y < target.height; ++y) {
      png_bytep row = PixelLine(target, y);
      png_read_rows(png, &row, nullptr, 1);
    }
  }
}

int32_t PngDecode(DecoderContext* c, const PixelBuffer& target) {
  if (target.width != c->width || target.height != c->height || target.bytesPerPixel != c->depth / 8) return 0;
  if (setjmp(*png_set_longjmp_fn(ReadStruct(c), longjmp, sizeof(jmp_buf)))) return 0;
  PngReadRows(c, target);
  return 1;
}

void PngCleanup(DecoderContext* c) { PngRelease(c); }

const Decoder kPngDecoder{PngProbe, PngDecode, PngCleanup};

}  // namespace

void png_decoder_register() {
  if (!decoder_is_registered(&kPngDecoder)) decoder_register(&kPngDecoder);
}
