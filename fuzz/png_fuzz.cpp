// libFuzzer target: any bytes through the PNG decoder, from probe to a full decode into a
// buffer of exactly the size the file promised, so that the sanitizers see every stray byte.
#include <cstdio>
#include <vector>

#include "graphics/decoder.h"
#include "runtime/runtime.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartRuntime();
  png_decoder_register();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!decoder_open_stream(file, "fuzz.png")) return 0;
  // Big pictures take the same paths as small ones; keep each run quick.
  const int32_t stride = decoder_width() * (decoder_depth() / 8);
  const int64_t bytes = int64_t(stride) * decoder_height();
  if (bytes > (int64_t(1) << 24)) {
    decoder_close();
    return 0;
  }
  std::vector<uint8_t> pixels(static_cast<size_t>(bytes));
  decoder_decode(pixels.data(), stride, size % 2 ? DECODE_BOTTOM_UP : 0);
  return 0;
}
