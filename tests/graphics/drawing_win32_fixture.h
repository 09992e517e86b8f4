// A fresh runtime per test for the Win32 graphics tests, and helpers that read and write
// pixels of an image by picture line (y from the top).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "app/library_order.h"
#include "graphics/image.h"
#include "runtime/strings.h"

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override { StartRuntime(LibraryOrder()); }
  void TearDown() override {
    EndRuntime(LibraryOrder());
    EndRuntimeHeap();
  }
  static ImageRecord* Record(ObjectId number) {
    return static_cast<ImageRecord*>(LookUpObject(g_imageList, number));
  }
  static PixelBuffer Pixels(ObjectId number) {
    PixelBuffer b{};
    EXPECT_TRUE(dib_pixels(static_cast<HBITMAP>(image_handle(number)), &b));
    return b;
  }
  static uint8_t* At(const PixelBuffer& b, int32_t x, int32_t y) {
    return PixelLine(b, y) + size_t(x) * size_t(b.bytesPerPixel);
  }
  static uint32_t Word(const PixelBuffer& b, int32_t x, int32_t y) {
    uint8_t* p = At(b, x, y);
    return p[0] | p[1] << 8 | p[2] << 16 | (b.bytesPerPixel == 4 ? uint32_t(p[3]) << 24 : 0u);
  }
  // Paints every pixel with a value made from its position, so copies can be traced.
  static void Pattern(const PixelBuffer& b) {
    for (int32_t y = 0; y < b.height; ++y)
      for (int32_t x = 0; x < b.width; ++x) {
        uint8_t* p = At(b, x, y);
        p[0] = uint8_t(x);
        p[1] = uint8_t(y);
        p[2] = 0x5A;
        if (b.bytesPerPixel == 4) p[3] = 0x80;
      }
  }
};
