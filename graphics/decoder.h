// Picture decoders: a registry of decoder tables, the one decoding context a load uses,
// and the two built-in decoders (BMP, PNG on libpng). Portable: decoders read through C
// stdio and write into plain pixel memory, so they run natively under the sanitizers.
#pragma once
#include <cstdint>
#include <cstdio>

#include "graphics/pixels.h"

struct DecoderContext;

// A decoder: probe claims the open file and fills width, height, depth and source depth;
// decode writes the picture into a buffer of exactly that size; cleanup releases what
// probe allocated.
struct Decoder {
  int32_t (*probe)(DecoderContext* context);
  int32_t (*decode)(DecoderContext* context, const PixelBuffer& target);
  void (*cleanup)(DecoderContext* context);
};

struct DecoderContext {
  const Decoder* decoder;  // the decoder that accepted the file
  const char* file_name;
  FILE* file;
  int32_t width;
  int32_t height;
  int32_t depth;  // 24 or 32: bits per pixel of the image to create
  void* private_a;
  void* private_b;
  int32_t colour_type;
  int32_t bit_depth;
  int32_t source_depth;  // the file's own depth
};

constexpr int32_t DECODER_MAX = 30;
// Pictures we agree to decode: each side 1 .. 32767 (the image record keeps 16-bit sizes),
// at most 64 Mi pixels (256 MiB at 32 bits). A header promising more is refused before
// anything is allocated for the pixels.
constexpr int32_t DECODER_MAX_SIDE = 32767;
constexpr int64_t DECODER_MAX_PIXELS = int64_t(1) << 26;
// decoder_decode flag: the buffer is bottom-up, the picture's top line goes to its last row.
constexpr int32_t DECODE_BOTTOM_UP = 2;

// Count 0 and a zeroed context; runs once during runtime start-up.
void decoder_registry_init();
// Appends a decoder; 0 when the registry is full.
int32_t decoder_register(const Decoder* decoder);
int32_t decoder_is_registered(const Decoder* decoder);

// 1 when a registered decoder accepted the file (it stays open until decoder_close).
int32_t decoder_open(const char* file_name);
// The same on a stream already open; the registry owns it from here on (closed on rejection).
int32_t decoder_open_stream(FILE* file, const char* file_name);
int32_t decoder_width();
int32_t decoder_height();
int32_t decoder_depth();
int32_t decoder_source_depth();
// Decodes into pixels (rows stride bytes apart, at least width * depth / 8 each) and closes
// the source in any case. 0 when the decoder failed part-way: rows not written keep their bytes.
int32_t decoder_decode(uint8_t* pixels, int32_t stride, int32_t flags);
void decoder_close();

void bmp_decoder_register();
// Registers the PNG decoder once, however often it is called.
void png_decoder_register();
