// A plain description of pixel memory, shared by the decoders and every pixel kernel, so
// that all pixel work is portable and runs natively under the sanitizers.
#pragma once
#include <cstdint>

struct PixelBuffer {
  uint8_t* pixels;        // memory row 0
  int32_t width;
  int32_t height;
  int32_t stride;         // bytes from one memory row to the next
  int32_t bytesPerPixel;  // 3 (blue, green, red) or 4 (blue, green, red, alpha)
  bool bottomUp;          // memory row 0 holds the picture's bottom line (DIB sections)
};

// The first byte of picture line y (counted from the top).
inline uint8_t* PixelLine(const PixelBuffer& b, int32_t y) {
  int32_t row = b.bottomUp ? b.height - 1 - y : y;
  return b.pixels + intptr_t(row) * b.stride;
}
