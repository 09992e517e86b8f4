// The text mix: coverage from the text bitmap's brightness, the whole box painted with an
// opaque background, alpha bytes kept, clipping, and the rotated text box.
#include "graphics/text_mix.h"
#include "tests/graphics/drawing_canvas_fixture.h"

namespace {

using TextMixTest = CanvasTest;

// A top-down 24-bit text bitmap as the platform renders it: column 0 white, column 1 black,
// column 2 a partial coverage of (101 + 100 + 100) / 765.
TestImage TextBitmap(int32_t width, int32_t height) {
  TestImage t(width, height, 3);
  t.buffer.bottomUp = false;
  for (int32_t y = 0; y < height; ++y) {
    t.Set(0, y, 255, 255, 255);
    if (width > 2) t.Set(2, y, 101, 100, 100);
  }
  return t;
}

TEST_F(TextMixTest, OpaqueBackgroundPaintsTheWholeBox) {
  TestImage image(5, 4, 3, 0x77), text = TextBitmap(3, 2);
  Attach(image);
  canvas_set_front_colour(&canvas, 0xFFFFFF);
  canvas_set_back_colour(&canvas, 0);
  MixText(&canvas, text.buffer, 1, 1, 3, 2, false);
  for (int32_t y = 1; y <= 2; ++y) {
    EXPECT_EQ(image.Bytes(1, y), 0xFFFFFFu);
    EXPECT_EQ(image.Bytes(2, y), 0u);
    EXPECT_EQ(image.Bytes(3, y), 0x646464u);  // D = 100
  }
  EXPECT_EQ(image.Bytes(0, 1), 0x777777u);
  EXPECT_EQ(image.Bytes(4, 1), 0x777777u);
  EXPECT_EQ(image.Bytes(1, 0), 0x777777u);
  EXPECT_EQ(image.Bytes(1, 3), 0x777777u);
}

TEST_F(TextMixTest, MixesFrontOverBackByCoverage) {
  TestImage image(3, 1, 3), text = TextBitmap(3, 1);
  Attach(image);
  canvas_set_front_colour(&canvas, 0x0064C8);  // red 200, green 100, blue 0
  canvas_set_back_colour(&canvas, 0xFA3200);   // red 0, green 50, blue 250
  MixText(&canvas, text.buffer, 0, 0, 3, 1, false);
  // D = 100, E = 155: red (0 × 155 + 200 × 100) / 255 = 78, green 69, blue 151.
  EXPECT_EQ(image.Bytes(2, 0), 0x4E4597u);
  EXPECT_EQ(image.Bytes(0, 0), 0xC86400u);
  EXPECT_EQ(image.Bytes(1, 0), 0x0032FAu);
}

TEST_F(TextMixTest, AlphaBytesStayOn32BitImages) {
  TestImage image(4, 3, 4, 0x42), text = TextBitmap(3, 3);
  Attach(image);
  canvas_set_front_colour(&canvas, 0xFF123456);
  canvas_set_back_colour(&canvas, 0x80ABCDEF);
  MixText(&canvas, text.buffer, 0, 0, 3, 3, false);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(image.At(x, y)[3], 0x42) << x << "," << y;
  EXPECT_EQ(image.Bytes(0, 0), 0x42563412u);
}

TEST_F(TextMixTest, TransparentBackgroundKeepsUncoveredPixels) {
  TestImage image(3, 1, 3, 0x30), text = TextBitmap(3, 1);
  Attach(image);
  canvas_set_front_colour(&canvas, 0xFFFFFF);
  canvas_set_mode(&canvas, MODE_TRANSPARENT);
  MixText(&canvas, text.buffer, 0, 0, 3, 1, false);
  EXPECT_EQ(image.Bytes(0, 0), 0xFFFFFFu);
  EXPECT_EQ(image.Bytes(1, 0), 0x303030u);
  // (48 × 155 + 255 × 100) / 255 = 129.
  EXPECT_EQ(image.Bytes(2, 0), 0x818181u);
}

TEST_F(TextMixTest, XorUsesHalfCoverage) {
  TestImage image(3, 1, 3, 0x0F), text = TextBitmap(3, 1);
  Attach(image);
  canvas_set_mode(&canvas, MODE_XOR);
  canvas_set_front_colour(&canvas, 0xF0F0F0);
  canvas_set_back_colour(&canvas, 0x010101);
  MixText(&canvas, text.buffer, 0, 0, 3, 1, false);
  EXPECT_EQ(image.Bytes(0, 0), 0xFFFFFFu);
  EXPECT_EQ(image.Bytes(1, 0), 0x0E0E0Eu);
  EXPECT_EQ(image.Bytes(2, 0), 0x0E0E0Eu);  // 301 of 765 is below one half
}

TEST_F(TextMixTest, ClipsOnEverySideAndSkipsBoxesOutside) {
  TestImage text = TextBitmap(3, 2);
  struct Case {
    int32_t x, y, changed;
  } cases[] = {{-2, 0, 2}, {3, 0, 4}, {0, -1, 3}, {0, 3, 3}, {5, 0, 0}, {-3, 0, 0}, {0, -2, 0}, {0, 4, 0}};
  for (const Case& k : cases) {
    TestImage image(5, 4, 3, 0x77);
    Attach(image);
    canvas_set_front_colour(&canvas, 0xFFFFFF);
    MixText(&canvas, text.buffer, k.x, k.y, 3, 2, false);
    int32_t changed = 0;
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 5; ++x) changed += image.Bytes(x, y) != 0x777777u;
    EXPECT_EQ(changed, k.changed) << k.x << "," << k.y;
  }
  // Left of the image the text bitmap's columns are skipped: column 2 (partial) lands on 0.
  TestImage image(5, 4, 3, 0x77);
  Attach(image);
  MixText(&canvas, text.buffer, -2, 0, 3, 2, false);
  EXPECT_EQ(image.Bytes(0, 0), 0u);
}

TEST_F(TextMixTest, RotatedBoxHoldsTheTurnedText) {
  RotatedBox flat = RotatedTextBox(40, 10, 0);
  EXPECT_EQ(flat.width, 40);
  EXPECT_EQ(flat.height, 10);
  EXPECT_EQ(flat.originX, 0);
  EXPECT_EQ(flat.originY, 0);
  RotatedBox up = RotatedTextBox(40, 10, 90);  // reads upwards: corner at the bottom left
  EXPECT_EQ(up.width, 10);
  EXPECT_EQ(up.height, 40);
  EXPECT_EQ(up.originX, 0);
  EXPECT_EQ(up.originY, 40);
  RotatedBox over = RotatedTextBox(40, 10, 180);
  EXPECT_EQ(over.originX, 40);
  EXPECT_EQ(over.originY, 10);
}

}  // namespace
