// The blit table with exact bytes, and clipping at every edge.
#include <algorithm>

#include "graphics/blit.h"
#include "tests/graphics/drawing_canvas_fixture.h"

namespace {

// One source pixel (blue 50, green 60, red 70) drawn onto one output pixel (200, 150, 100).
uint32_t BlitOne(int32_t outBpp, int32_t srcBpp, uint8_t srcAlpha, uint8_t outAlpha, int32_t alpha, bool useAlpha,
                 Canvas* canvas, int32_t mode = 0) {
  TestImage out(1, 1, outBpp), src(1, 1, srcBpp);
  out.Set(0, 0, 200, 150, 100, outAlpha);
  src.Set(0, 0, 50, 60, 70, srcAlpha);
  canvas_init(canvas, out.buffer.pixels, 1, 1, out.buffer.stride, outBpp);
  canvas_set_mode(canvas, mode);
  BlitPixels(canvas, src.buffer, 0, 0, alpha, useAlpha);
  return out.Bytes(0, 0);
}

using BlitTest = CanvasTest;

TEST_F(BlitTest, ModeZeroTable) {
  Canvas* c = &canvas;
  EXPECT_EQ(BlitOne(3, 3, 0, 0, 255, false, c), 0x463C32u);
  EXPECT_EQ(BlitOne(4, 3, 0, 0x37, 255, false, c), 0x37463C32u);  // output alpha kept
  // (output × 155 + source × 100) / 255 for blue, green, red: 141, 114, 88.
  EXPECT_EQ(BlitOne(3, 3, 0, 0, 100, false, c), 0x58728Du);
  EXPECT_EQ(BlitOne(4, 3, 0, 0x37, 100, false, c), 0x3758728Du);
  EXPECT_EQ(BlitOne(3, 3, 0, 0, 0, false, c), 0x6496C8u);  // alpha 0 draws nothing
  EXPECT_EQ(BlitOne(3, 4, 0x80, 0, 255, false, c), 0x463C32u);  // source alpha ignored
  EXPECT_EQ(BlitOne(4, 4, 0x80, 0x37, 255, false, c), 0x37463C32u);
  // a = 128: (source × 128 + output × 127) / 255 → 124, 104, 84.
  EXPECT_EQ(BlitOne(3, 4, 128, 0, 255, true, c), 0x54687Cu);
  // a = 128 × 128 / 255 = 64: (source × 64 + output × 191) / 255 → 162, 127, 92.
  EXPECT_EQ(BlitOne(3, 4, 128, 0, 128, true, c), 0x5C7FA2u);
  // a = 128, b = 100: weight 45340; colour (a × s × 255 + 127 × o × 100) / weight → 92, 85, 78;
  // alpha 45340 / 255 = 177.
  EXPECT_EQ(BlitOne(4, 4, 128, 100, 255, true, c), 0xB14E555Cu);
  EXPECT_EQ(BlitOne(4, 4, 0, 100, 255, true, c), 0x646496C8u);   // a = 0 keeps the output
  EXPECT_EQ(BlitOne(4, 4, 128, 0, 255, true, c), 0x80463C32u);   // b = 0 takes the source
  EXPECT_EQ(BlitOne(4, 4, 255, 9, 255, true, c), 0xFF463C32u);   // opaque source wins
}

TEST_F(BlitTest, EveryConstantAlphaMixesByTheFormula) {
  for (int32_t alpha = 1; alpha <= 254; ++alpha) {
    uint32_t got = BlitOne(4, 3, 0, 0x11, alpha, false, &canvas);
    uint32_t blue = (200 * (255 - alpha) + 50 * alpha) / 255, red = (100 * (255 - alpha) + 70 * alpha) / 255;
    ASSERT_EQ(got & 0xFF, blue) << alpha;
    ASSERT_EQ(got >> 16 & 0xFF, red) << alpha;
    ASSERT_EQ(got >> 24, 0x11u) << alpha;
  }
}

TEST_F(BlitTest, OtherModes) {
  Canvas* c = &canvas;
  EXPECT_EQ(BlitOne(3, 3, 0, 0, 255, false, c, MODE_XOR), uint32_t(0x6496C8 ^ 0x463C32));
  EXPECT_EQ(BlitOne(4, 4, 0x80, 0x37, 255, false, c, MODE_ALL_CHANNELS), 0x80463C32u);
  EXPECT_EQ(BlitOne(4, 4, 0x80, 0x37, 255, false, c, MODE_ALPHA_CHANNEL), 0x806496C8u);
  EXPECT_EQ(BlitOne(3, 4, 0x80, 0, 255, false, c, MODE_ALPHA_CHANNEL), 0x6496C8u);
  // Alpha clip: colour blended as with alpha use, the output's alpha byte kept.
  EXPECT_EQ(BlitOne(4, 4, 128, 100, 255, false, c, MODE_ALPHA_CLIP), 0x644E555Cu);
}

TEST_F(BlitTest, ClipsAtEveryEdgeAndSkipsWhatIsOutside) {
  TestImage src(4, 3, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) src.Set(x, y, uint8_t(1 + x), uint8_t(1 + y), 0xEE);
  struct Case {
    int32_t x, y;
  } cases[] = {{-2, -1}, {4, 3}, {-3, 3}, {3, -2}, {1, 1}, {6, 0}, {-4, 0}, {0, -3}, {0, 5}, {-100000, 7}};
  for (const Case& k : cases) {
    TestImage out(6, 5, 3);
    Attach(out);
    BlitPixels(&canvas, src.buffer, k.x, k.y, 255, false);
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < 6; ++x) {
        int32_t sx = x - k.x, sy = y - k.y;
        bool inside = sx >= 0 && sx < 4 && sy >= 0 && sy < 3;
        uint32_t expected = inside ? uint32_t(0xEE0000 | (1 + sy) << 8 | (1 + sx)) : 0u;
        ASSERT_EQ(out.Bytes(x, y), expected) << k.x << "," << k.y << " at " << x << "," << y;
      }
  }
}

TEST_F(BlitTest, ImageDrawnOntoItselfShiftsWithoutSmearing) {
  for (int32_t bpp : {3, 4}) {
    TestImage image(6, 4, bpp), before(6, 4, bpp);
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 6; ++x) {
        image.Set(x, y, uint8_t(10 * x), uint8_t(10 * y), 0x77, 0x99);
        before.Set(x, y, uint8_t(10 * x), uint8_t(10 * y), 0x77, 0x99);
      }
    for (int32_t shift : {1, -1}) {
      Attach(image);
      BlitPixels(&canvas, image.buffer, shift, shift, 255, false);
      for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 6; ++x) {
          int32_t sx = x - shift, sy = y - shift;
          bool moved = sx >= 0 && sx < 6 && sy >= 0 && sy < 4;
          ASSERT_EQ(image.Bytes(x, y), before.Bytes(moved ? sx : x, moved ? sy : y))
              << bpp << " shift " << shift << " at " << x << "," << y;
        }
      std::copy(image.memory.begin(), image.memory.end(), before.memory.begin());
    }
  }
}

TEST_F(BlitTest, RectangleCopyOfTheGrabs) {
  TestImage src(5, 4, 4), dst(3, 3, 4, 0);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 5; ++x) src.Set(x, y, uint8_t(x), uint8_t(y), 9, 0xFF);
  ASSERT_TRUE(CopyPixelRect(dst.buffer, src.buffer, 3, -1));
  EXPECT_EQ(dst.Bytes(0, 0), 0u);
  EXPECT_EQ(dst.Bytes(0, 1), 0xFF090003u);
  EXPECT_EQ(dst.Bytes(1, 2), 0xFF090104u);
  EXPECT_EQ(dst.Bytes(2, 1), 0u);
  TestImage narrow(3, 3, 3);
  EXPECT_FALSE(CopyPixelRect(narrow.buffer, src.buffer, 0, 0));
}

}  // namespace
