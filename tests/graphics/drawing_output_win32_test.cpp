// Drawing outputs under the real GDI: text rendered and mixed, the text bitmap's growth,
// image drawing with its conversions, the operation table, and one picture refresh done the
// way the program does it.
#include <cstring>
#include <limits>

#include "graphics/drawing_output.h"
#include "tests/graphics/drawing_win32_fixture.h"

namespace {

using DrawingTest = ImageTest;

void Fill(const PixelBuffer& b, uint8_t blue, uint8_t green, uint8_t red) {
  for (int32_t y = 0; y < b.height; ++y)
    for (int32_t x = 0; x < b.width; ++x) {
      uint8_t* p = PixelLine(b, y) + size_t(x) * size_t(b.bytesPerPixel);
      p[0] = blue, p[1] = green, p[2] = red;
    }
}

HFONT Font(int32_t height, bool italic = false) {
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, italic, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                     "Courier New");
}

TEST_F(DrawingTest, WhiteOnBlackPaintsTheWholeTextBox) {
  ASSERT_NE(image_create(1, 120, 40), 0);
  PixelBuffer b = Pixels(1);
  Fill(b, 0x10, 0x80, 0xF0);
  ASSERT_TRUE(drawing_start(image_output(1)));
  DrawingOutput* o = drawing_current();
  SIZE size{o->ops.text_width(o, "Hg"), o->ops.text_height(o, "Hg")};
  ASSERT_GT(size.cx, 0);
  EXPECT_EQ(drawing_text(10, 5, "Hg", 0xFFFFFF, 0), 10 + size.cx);
  EXPECT_EQ(drawing_text(30, 5, "", 0xFFFFFF, 0), 30);
  drawing_stop();
  EXPECT_EQ(drawing_current(), nullptr);
  int32_t white = 0, black = 0;
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 120; ++x) {
      uint8_t* p = At(b, x, y);
      bool inBox = x >= 10 && x < 10 + size.cx && y >= 5 && y < 5 + size.cy;
      if (inBox) {
        ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << x << "," << y;  // mixed from white and black only
        white += p[0] == 255;
        black += p[0] == 0;
      } else {
        ASSERT_EQ(Word(b, x, y), 0xF08010u) << x << "," << y;
      }
    }
  EXPECT_GT(white, 0);
  EXPECT_GT(black, 0);
}

TEST_F(DrawingTest, TextKeepsAlphaBytesAndClipsOnTheLeft) {
  ASSERT_NE(image_create(1, 80, 30, 32), 0);
  ASSERT_NE(image_create(2, 80, 30, 32), 0);
  PixelBuffer left = Pixels(1), plain = Pixels(2);
  for (PixelBuffer* b : {&left, &plain})
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 80; ++x) At(*b, x, y)[3] = 0x42;
  HFONT font = Font(16);
  ASSERT_TRUE(drawing_start(image_output(1)));
  drawing_font(reinterpret_cast<intptr_t>(font));
  int32_t width = drawing_current()->ops.text_width(drawing_current(), "WM");
  EXPECT_EQ(drawing_text(-5, 2, "WM", 0xFFFFFF, 0x000080), -5 + width);
  drawing_stop();
  ASSERT_TRUE(drawing_start(image_output(2)));
  drawing_font(reinterpret_cast<intptr_t>(font));
  EXPECT_EQ(drawing_text(0, 2, "WM", 0xFFFFFF, 0x000080), width);
  drawing_stop();
  DeleteObject(font);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 80; ++x) {
      ASSERT_EQ(At(left, x, y)[3], 0x42);
      ASSERT_EQ(At(plain, x, y)[3], 0x42);
      if (x < width - 5) {
        ASSERT_EQ(Word(left, x, y), Word(plain, x + 5, y)) << x << "," << y;
      }
    }
  EXPECT_EQ(Word(left, width - 5, 2), 0x42000000u);  // nothing right of the cut text
}

// The text context is made on a drawing's first text operation and kept through a second
// start; the next drawing on an image as wide takes it over, with the system font again.
TEST_F(DrawingTest, StartedTwiceTextStillShowsAndTheNextDrawingTakesTheTextContext) {
  ASSERT_NE(image_create(1, 60, 30), 0);
  DrawingOutput* o = image_output(1);
  ASSERT_TRUE(drawing_start(o));
  EXPECT_EQ(o->text_dc, nullptr) << "no text yet";
  EXPECT_GT(o->ops.text_width(o, "HH"), 0);
  HDC textDc = o->text_dc;
  ASSERT_TRUE(textDc);
  ASSERT_TRUE(drawing_start(o));
  EXPECT_EQ(o->text_dc, textDc);
  HFONT font = Font(20);
  drawing_font(reinterpret_cast<intptr_t>(font));
  drawing_text(0, 0, "HH", 0xFFFFFF, 0);
  drawing_stop();
  PixelBuffer b = Pixels(1);
  int32_t white = 0;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 60; ++x) white += Word(b, x, y) == 0xFFFFFFu;
  EXPECT_GT(white, 0);
  DeleteObject(font);  // the kept context no longer holds it
  ASSERT_NE(image_create(2, 60, 30), 0);
  ASSERT_TRUE(drawing_start(image_output(2)));
  o = drawing_current();
  EXPECT_GT(o->ops.text_width(o, "HH"), 0);
  EXPECT_EQ(o->text_dc, textDc);
  EXPECT_EQ(GetCurrentObject(o->text_dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  drawing_stop();
}

TEST_F(DrawingTest, TallerFontGrowsTheTextBitmapSmallerKeepsIt) {
  ASSERT_NE(image_create(1, 300, 100), 0);
  ASSERT_TRUE(drawing_start(image_output(1)));
  DrawingOutput* o = drawing_current();
  o->ops.text_height(o, "Hg");
  int32_t first = o->text_rows;
  EXPECT_GE(first, 50);
  HFONT tall = Font(70), small = Font(8);
  drawing_font(reinterpret_cast<intptr_t>(tall));
  int32_t grown = o->text_rows;
  EXPECT_GT(grown, first);
  EXPECT_GE(grown, 70 + 20);
  HBITMAP bitmap = o->text_bitmap;
  drawing_font(reinterpret_cast<intptr_t>(small));
  EXPECT_EQ(o->text_rows, grown);
  EXPECT_EQ(o->text_bitmap, bitmap);
  EXPECT_GT(drawing_text(0, 0, "Ag", 0, 0xFFFFFF), 0);
  drawing_stop();
  DeleteObject(tall);
  DeleteObject(small);
}

TEST_F(DrawingTest, ItalicFontsWidenTheTextByTheirOverhang) {
  ASSERT_NE(image_create(1, 100, 40), 0);
  ASSERT_TRUE(drawing_start(image_output(1)));
  DrawingOutput* o = drawing_current();
  HFONT upright = Font(20), italic = Font(20, true);
  drawing_font(reinterpret_cast<intptr_t>(upright));
  o->ops.text_width(o, "HH");
  EXPECT_EQ(o->overhang, 0);
  SIZE size;
  drawing_font(reinterpret_cast<intptr_t>(italic));
  ASSERT_TRUE(GetTextExtentPoint32A(o->text_dc, "HH", 2, &size));
  EXPECT_GT(o->overhang, 0);
  EXPECT_EQ(o->ops.text_width(o, "HH"), size.cx + o->overhang);
  EXPECT_EQ(drawing_text(0, 0, "HH", 0xFFFFFF, 0), size.cx + o->overhang);
  drawing_font(reinterpret_cast<intptr_t>(upright));
  EXPECT_EQ(o->overhang, 0);
  drawing_stop();
  DeleteObject(upright);
  DeleteObject(italic);
}

TEST_F(DrawingTest, OutputsOnlyOnBitmapsWithPixelMemory) {
  EXPECT_EQ(image_output(9), nullptr);
  EXPECT_EQ(drawing_start(nullptr), nullptr);
  BYTE and_bits[32 * 4], xor_bits[32 * 4];
  std::memset(and_bits, 0, sizeof and_bits);
  std::memset(xor_bits, 0xFF, sizeof xor_bits);
  HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, and_bits, xor_bits);
  ASSERT_TRUE(icon);
  ASSERT_NE(image_store(3, icon, 1), 0);
  EXPECT_EQ(drawing_start(image_output(3)), nullptr);
  drawing_text(0, 0, "x", 0, 0);  // no current output: nothing happens
  drawing_image(nullptr, 0, 0);
  drawing_stop();
}

TEST_F(DrawingTest, ImagesAtNaturalSizeScaledAndFromOtherBitmaps) {
  ASSERT_NE(image_create(1, 10, 10), 0);
  ASSERT_NE(image_create(2, 2, 2), 0);
  Fill(Pixels(2), 0, 0, 0xFF);
  ASSERT_TRUE(drawing_start(image_output(1)));
  drawing_image_sized(image_handle(2), 0, 0, 0, 20);
  drawing_image_sized(image_handle(2), 0, 0, 20, -1);
  EXPECT_EQ(Word(Pixels(1), 0, 0), 0u);
  drawing_image(image_handle(2), 8, 8);
  drawing_image_sized(image_handle(2), 0, 0, 4, 4);
  // A 32-bit bitmap without pixel memory whose alpha bytes are all 0 is drawn as opaque.
  uint32_t ddbBits[4] = {0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00};
  HBITMAP ddb = CreateBitmap(2, 2, 1, 32, ddbBits);
  ASSERT_TRUE(ddb);
  drawing_current()->ops.draw_alpha_image(drawing_current(), ddb, 5, 0, 255);
  drawing_stop();
  DeleteObject(ddb);
  PixelBuffer b = Pixels(1);
  EXPECT_EQ(Word(b, 8, 8), 0xFF0000u);
  EXPECT_EQ(Word(b, 9, 9), 0xFF0000u);
  EXPECT_EQ(Word(b, 7, 7), 0u);
  EXPECT_EQ(Word(b, 0, 0), 0xFF0000u);
  EXPECT_EQ(Word(b, 3, 3), 0xFF0000u);
  EXPECT_EQ(Word(b, 4, 4), 0u);
  EXPECT_EQ(Word(b, 5, 0), 0x00FF00u);
  EXPECT_EQ(Word(b, 6, 1), 0x00FF00u);
}

// The image being drawn on: at its own size it moves without smearing; scaled, GDI cannot
// reach it while the output holds it, and nothing is drawn rather than a black box.
TEST_F(DrawingTest, ImageDrawnOntoItself) {
  ASSERT_NE(image_create(1, 6, 6), 0);
  PixelBuffer b = Pixels(1);
  Pattern(b);
  uint32_t corner = Word(b, 0, 0), inner = Word(b, 2, 2);
  ASSERT_TRUE(drawing_start(image_output(1)));
  drawing_image(image_handle(1), 1, 1);
  EXPECT_EQ(Word(b, 3, 3), inner);
  EXPECT_EQ(Word(b, 1, 1), corner);
  drawing_image_sized(image_handle(1), 0, 0, 3, 3);
  drawing_stop();
  EXPECT_EQ(Word(b, 0, 0), corner);
  EXPECT_EQ(Word(b, 1, 1), corner);
}

TEST_F(DrawingTest, IconsAreDrawnThroughTheirMask) {
  ASSERT_NE(image_create(1, 40, 40), 0);
  Fill(Pixels(1), 0x11, 0x22, 0x33);
  // Mask black (drawn) in the top half, white (kept) in the bottom half; image white.
  BYTE and_bits[32 * 4], xor_bits[32 * 4];
  std::memset(and_bits, 0, 16 * 4);
  std::memset(and_bits + 16 * 4, 0xFF, 16 * 4);
  std::memset(xor_bits, 0xFF, sizeof xor_bits);
  HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, and_bits, xor_bits);
  ASSERT_TRUE(icon);
  ASSERT_TRUE(drawing_start(image_output(1)));
  drawing_image(icon, 0, 0);
  drawing_stop();
  DestroyIcon(icon);
  PixelBuffer b = Pixels(1);
  EXPECT_EQ(Word(b, 3, 3), 0xFFFFFFu);
  EXPECT_EQ(Word(b, 3, 20), 0x332211u);
  EXPECT_EQ(Word(b, 35, 3), 0x332211u);
}

TEST_F(DrawingTest, OperationTableOfAnOutput) {
  ASSERT_NE(image_create(1, 16, 8), 0);
  ASSERT_NE(image_create(2, 16, 8, 32), 0);
  DrawingOutput* o = image_output(1);
  ASSERT_TRUE(drawing_start(o));
  EXPECT_EQ(o->ops.buffer_format(o), 0x8010);
  EXPECT_EQ(o->ops.buffer_pitch(o), 48);
  EXPECT_EQ(o->ops.buffer(o), Pixels(1).pixels);
  o->ops.set_mode(o, 0x118);
  EXPECT_EQ(o->canvas.mode, 0);
  o->ops.set_front_colour(o, 0x0000FF);
  o->ops.box(o, 20, 0, -10, 2);
  o->ops.plot(o, -1, 0);  // outside: clipped, not written
  o->ops.plot(o, 16, 0);
  EXPECT_EQ(o->ops.point(o, 16, 0), 0u);
  EXPECT_EQ(o->ops.point(o, 10, 1), 0x0000FFu);
  intptr_t grabbed = o->ops.grab_image(o, DynamicNumber, 8, 0, 4, 4);
  ASSERT_NE(grabbed, 0);
  EXPECT_EQ(Word(Pixels(grabbed), 2, 1), 0xFF0000u);
  EXPECT_EQ(Record(grabbed)->depth, 24);
  drawing_stop();

  o = image_output(2);
  ASSERT_TRUE(drawing_start(o));
  EXPECT_EQ(o->ops.buffer_format(o), 0x8040);
  o->ops.set_mode(o, 0x118);
  EXPECT_EQ(o->canvas.mode, 0x100);
  o->ops.plot_colour(o, 0, 0, 0x80112233);
  EXPECT_EQ(o->ops.point(o, 0, 0), 0x80112233u);
  // Rotated text reads upwards from its corner at (2, 7), on a transparent background.
  o->ops.set_front_colour(o, 0xFFFFFFFF);
  o->ops.draw_rotated_text(o, 2, 7, "A", 90.0f);
  o->ops.draw_rotated_text(o, 2, 7, "A", std::numeric_limits<float>::quiet_NaN());
  int32_t lit = 0;
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 2; x < 16; ++x) lit += o->ops.point(o, x, y) != 0xFF000000u;
  EXPECT_GT(lit, 0);
  EXPECT_EQ(o->ops.point(o, 1, 3), 0xFF000000u);  // left of the corner nothing changes
  drawing_stop();
}

// The picture refresh as the program does it: for each patch a fresh scratch image grabbed
// from the sheet's active half, drawn onto the display image, with text on axis patches.
TEST_F(DrawingTest, PictureRefreshComposesPatches) {
  ASSERT_NE(image_create(100, 600, 186), 0);
  PixelBuffer sheet = Pixels(100);
  for (int32_t y = 0; y < 186; ++y)
    for (int32_t x = 0; x < 600; ++x) {
      uint8_t* p = At(sheet, x, y);
      p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = x < 300 ? 0x20 : 0xE0;
    }
  ASSERT_NE(image_grab(100, 101, 0, 0, 300, 186), 0);
  HFONT font = Font(9);
  struct Patch {
    int32_t sx, sy, w, h, tx, ty;
    bool axis;
  } patches[] = {{347, 113, 40, 20, 47, 113, true}, {530, 40, 20, 20, 230, 40, false},
                 {348, 93, 20, 20, 48, 93, false}};
  for (const Patch& p : patches) {
    ASSERT_TRUE(drawing_start(image_output(101)));
    if (p.axis) drawing_font(reinterpret_cast<intptr_t>(font));
    image_free(0);
    image_create(0, p.w, p.h);
    ASSERT_NE(image_grab(100, 0, p.sx, p.sy, p.w, p.h), 0);
    if (p.axis) {
      drawing_image(image_handle(0), p.tx, p.ty);
      drawing_text(54, 116, "-57", 0x001E28, 0xFFFFFF);
    } else {
      drawing_image_sized(image_handle(0), p.tx, p.ty, 20, 20);
    }
    drawing_stop();
  }
  DeleteObject(font);
  PixelBuffer display = Pixels(101);
  EXPECT_EQ(Word(display, 230, 40), Word(sheet, 530, 40));
  EXPECT_EQ(Word(display, 249, 59), Word(sheet, 549, 59));
  EXPECT_EQ(Word(display, 250, 40), Word(sheet, 250, 40));
  EXPECT_EQ(Word(display, 48, 112), Word(sheet, 348, 112));  // marker drawn over the axis patch
  EXPECT_EQ(Word(display, 86, 132), Word(sheet, 386, 132));
  EXPECT_EQ(Word(display, 54, 116), 0xFFFFFFu);  // the text box's background
  ASSERT_NE(image_grab(100, 101, 0, 0, 300, 186), 0);
  EXPECT_EQ(Word(Pixels(101), 230, 40), Word(sheet, 230, 40));
}

}  // namespace
