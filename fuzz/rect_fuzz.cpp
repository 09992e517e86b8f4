// Fuzzes the clipping of every rectangle kernel with arbitrary positions and sizes: the
// grab copy, the image blit in every mode and the text mix, on buffers allocated to their
// exact size so that AddressSanitizer sees any byte read or written outside them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/blit.h"
#include "graphics/text_mix.h"

namespace {

struct Input {
  const uint8_t* data;
  size_t size;
  template <typename T>
  T Take() {
    T value{};
    size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n, size -= n;
    return value;
  }
};

struct Buffer {
  std::vector<uint8_t> memory;
  PixelBuffer pixels;
  Buffer(Input& in, int32_t bytesPerPixel, bool bottomUp) {
    int32_t width = 1 + in.Take<uint8_t>() % 48, height = 1 + in.Take<uint8_t>() % 48;
    int32_t stride = (width * bytesPerPixel + 3) / 4 * 4;
    memory.resize(size_t(stride) * size_t(height), in.Take<uint8_t>());
    pixels = {memory.data(), width, height, stride, bytesPerPixel, bottomUp};
  }
};

uint32_t Filter(int32_t x, int32_t y, uint32_t colour, uint32_t pixel) { return colour ^ pixel ^ uint32_t(x + y); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  uint8_t flags = in.Take<uint8_t>();
  int32_t outBpp = flags & 1 ? 4 : 3, srcBpp = flags & 2 ? 4 : 3;
  Buffer output(in, outBpp, true), source(in, srcBpp, flags & 4);
  Buffer text(in, 3, false);
  int32_t x = in.Take<int32_t>(), y = in.Take<int32_t>();

  Canvas canvas;
  const PixelBuffer& o = output.pixels;
  canvas_init(&canvas, o.pixels, o.width, o.height, o.stride, o.bytesPerPixel);
  canvas.filter_function = Filter;
  canvas_set_mode(&canvas, in.Take<uint16_t>() & 0x1FF);
  canvas_set_front_colour(&canvas, in.Take<uint32_t>());
  canvas_set_back_colour(&canvas, in.Take<uint32_t>());

  BlitPixels(&canvas, source.pixels, x, y, in.Take<uint8_t>(), flags & 8);
  MixText(&canvas, text.pixels, x, y, in.Take<int32_t>(), in.Take<int32_t>(), flags & 16);

  // A grab: the target has the rectangle's size, the source is the output.
  Buffer target(in, outBpp, flags & 32);
  CopyPixelRect(target.pixels, output.pixels, in.Take<int32_t>(), in.Take<int32_t>());
  return 0;
}
