// libFuzzer target: any bytes through the BMP decoder, from probe to a full decode.
#include "app/library_order.h"
#include "fuzz/decode_input.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartRuntime(LibraryOrder());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  DecodeFuzzInput(const_cast<uint8_t*>(data), size, "fuzz.bmp");
  return 0;
}
