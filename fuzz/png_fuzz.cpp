// libFuzzer target: any bytes through the PNG decoder, from probe to a full decode.
// Chunk CRCs are repaired before decoding, or libpng would refuse nearly every mutation.
#include <zlib.h>

#include <vector>

#include "app/library_order.h"
#include "fuzz/decode_input.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartRuntime(LibraryOrder());
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
  DecodeFuzzInput(repaired.data(), repaired.size(), "fuzz.png");
  return 0;
}
