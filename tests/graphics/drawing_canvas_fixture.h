// Host tests of the pixel kernels: a runtime for the pools, and canvases on plain memory laid
// out like DIB sections (bottom-up, rows padded to 4 bytes).
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/canvas.h"
#include "tests/runtime/runtime_fixture.h"

struct TestImage {
  std::vector<uint8_t> memory;
  PixelBuffer buffer;
  TestImage(int32_t width, int32_t height, int32_t bytesPerPixel, uint8_t fill = 0) {
    int32_t stride = (width * bytesPerPixel + 3) / 4 * 4;
    memory.assign(size_t(stride) * size_t(height), fill);
    buffer = {memory.data(), width, height, stride, bytesPerPixel, true};
  }
  uint8_t* At(int32_t x, int32_t y) { return PixelLine(buffer, y) + size_t(x) * size_t(buffer.bytesPerPixel); }
  void Set(int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r, uint8_t a = 0) {
    uint8_t* p = At(x, y);
    p[0] = b, p[1] = g, p[2] = r;
    if (buffer.bytesPerPixel == 4) p[3] = a;
  }
  // blue | green << 8 | red << 16 | alpha << 24, as the bytes lie in memory.
  uint32_t Bytes(int32_t x, int32_t y) {
    uint8_t* p = At(x, y);
    return p[0] | p[1] << 8 | p[2] << 16 | (buffer.bytesPerPixel == 4 ? uint32_t(p[3]) << 24 : 0u);
  }
};

class CanvasTest : public RuntimeTest {
 protected:
  Canvas canvas{};
  void TearDown() override {
    canvas_release(&canvas);
    RuntimeTest::TearDown();
  }
  void Attach(TestImage& image) {
    const PixelBuffer& b = image.buffer;
    canvas_init(&canvas, b.pixels, b.width, b.height, b.stride, b.bytesPerPixel);
  }
};
