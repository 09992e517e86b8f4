// libFuzzer target: any bytes through the PNG decoder, from probe to a full decode into a
// buffer of exactly the size the file promised, so that the sanitizers see every stray byte.
// Chunk CRCs are repaired before decoding, or libpng would refuse nearly every mutation.
#include <zlib.h>

#include <cstdio>
#include <vector>

#include "graphics/decoder.h"
#include "runtime/runtime.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartRuntime();
  png_decoder_register();
  return 0;
}

namespace {

std::vector<uint8_t> WithRepairedCrcs(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(data, data + size);
  for (size_t at = 8; at + 12 <= size;) {
    const size_t length = size_t(file[at]) << 24 | size_t(file[at + 1]) << 16 | size_t(file[at + 2]) << 8 | file[at + 3];
    if (length > size - at - 12) break;
    const uLong crc = crc32(0, file.data() + at + 4, uInt(length + 4));
    for (int i = 0; i < 4; ++i) file[at + 8 + length + i] = uint8_t(crc >> (24 - 8 * i));
    at += length + 12;
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> repaired = WithRepairedCrcs(data, size);
  FILE* file = fmemopen(repaired.data(), repaired.size(), "rb");
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
