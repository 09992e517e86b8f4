// Shared body of the decoder fuzz targets: open the bytes as a file, and decode whatever the
// probe accepted into a buffer of exactly the size the file promised, so that the
// sanitizers see every stray byte. The flip between top-down and bottom-up rows comes from
// the input's length, so both paths are fuzzed.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

#include "graphics/decoder.h"

inline void DecodeFuzzInput(uint8_t* data, size_t size, const char* name) {
  FILE* file = fmemopen(data, size, "rb");
  if (!decoder_open_stream(file, name)) return;
  // Big pictures take the same paths as small ones; keep each run quick.
  const int32_t stride = decoder_width() * (decoder_depth() / 8);
  const int64_t bytes = int64_t(stride) * decoder_height();
  if (bytes > (int64_t(1) << 24)) {
    decoder_close();
    return;
  }
  std::vector<uint8_t> pixels(static_cast<size_t>(bytes));
  decoder_decode(pixels.data(), stride, size % 2 ? DECODE_BOTTOM_UP : 0);
}
