// Image objects under the real GDI: creation fill rules, grabs, freeing, and the bitmap
// utilities' alpha answers.
#include "tests/graphics/drawing_win32_fixture.h"

namespace {

TEST_F(ImageTest, CreateFillsByDepth) {
  ASSERT_NE(image_create(1, 300, 186), 0);
  ImageRecord* r = Record(1);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->width, 300);
  EXPECT_EQ(r->height, 186);
  EXPECT_EQ(r->depth, 24);
  EXPECT_EQ(r->source_depth, 24);
  PixelBuffer b = Pixels(1);
  EXPECT_TRUE(b.bottomUp);
  EXPECT_EQ(b.stride, dib_stride(300, 24));
  for (int32_t y = 0; y < 186; y += 37) EXPECT_EQ(Word(b, 299, y), 0u);

  ASSERT_NE(image_create(2, 5, 3, 32), 0);
  PixelBuffer opaque = Pixels(2);
  ASSERT_NE(image_create(3, 5, 3, 32 | IMAGE_TRANSPARENT), 0);
  PixelBuffer clear = Pixels(3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) {
      EXPECT_EQ(Word(opaque, x, y), 0xFF000000u);
      EXPECT_EQ(Word(clear, x, y), 0u);
    }

  ASSERT_NE(image_create(4, 7, 2, 8), 0);
  EXPECT_EQ(Record(4)->depth, 24);
  EXPECT_EQ(dib_stride(7, 24), 24);
  EXPECT_EQ(dib_stride(7, 1), 4);
  EXPECT_EQ(dib_stride(7, 4), 4);
  EXPECT_EQ(dib_stride(7, 8), 8);
  EXPECT_EQ(dib_stride(7, 16), 16);
}

TEST_F(ImageTest, CreateUnderAUsedNumberFreesTheOldOneEvenOnFailure) {
  auto first = reinterpret_cast<HANDLE>(image_create(5, 4, 4));
  ASSERT_TRUE(first);
  HANDLE second = reinterpret_cast<HANDLE>(image_create(5, 6, 6));
  ASSERT_TRUE(second);
  dib_spares_free();
  EXPECT_EQ(GetObjectType(first), 0u);  // deleted
  EXPECT_EQ(image_create(5, 4, 4, 25), 0);
  EXPECT_EQ(image_handle(5), nullptr);
  dib_spares_free();
  EXPECT_EQ(GetObjectType(second), 0u);
  // A negative height would give a top-down bitmap that drawing and grabs read upside down.
  EXPECT_EQ(image_create(5, 4, -4), 0);
  EXPECT_EQ(image_handle(5), nullptr);
}

TEST_F(ImageTest, DynamicIdsNameTheirImage) {
  intptr_t id = image_create(DynamicNumber, 3, 3, 32);
  ASSERT_NE(id, 0);
  EXPECT_EQ(GetObjectType(image_handle(id)), DWORD(OBJ_BITMAP));
  intptr_t grabbed = image_grab(id, DynamicNumber, 0, 0, 2, 2);
  ASSERT_NE(grabbed, 0);
  EXPECT_NE(grabbed, id);
  EXPECT_EQ(Record(grabbed)->depth, 32);
  image_free(id);
  EXPECT_EQ(image_handle(id), nullptr);
  EXPECT_EQ(image_create(DynamicNumber, 3, 3, 27), 0);
  EXPECT_TRUE(image_handle(grabbed));
}

TEST_F(ImageTest, GrabCopiesAndBlackensTheOutsidePart) {
  for (int32_t depth : {24, 32}) {
    ASSERT_NE(image_create(10, 20, 10, depth), 0);
    Pattern(Pixels(10));
    ASSERT_NE(image_grab(10, 11, 15, -3, 8, 6), 0);
    ImageRecord* r = Record(11);
    EXPECT_EQ(r->width, 8);
    EXPECT_EQ(r->height, 6);
    EXPECT_EQ(r->depth, depth);
    PixelBuffer out = Pixels(11), in = Pixels(10);
    for (int32_t y = 0; y < 6; ++y)
      for (int32_t x = 0; x < 8; ++x) {
        bool inside = x < 5 && y >= 3;
        EXPECT_EQ(Word(out, x, y), inside ? Word(in, 15 + x, y - 3) : 0u) << depth << " " << x << "," << y;
      }
  }
}

TEST_F(ImageTest, GrabFailureLeavesTargetAndSourceMayBeTarget) {
  ASSERT_NE(image_create(20, 6, 6), 0);
  HANDLE kept = image_handle(20);
  EXPECT_EQ(image_grab(21, 20, 0, 0, 3, 3), 0);  // no source
  EXPECT_EQ(image_handle(20), kept);
  EXPECT_EQ(image_grab(20, 20, 0, 0, 0, 3), 0);  // nothing to create
  EXPECT_EQ(image_grab(20, 20, 0, 0, 3, -3), 0);
  EXPECT_EQ(image_handle(20), kept);

  Pattern(Pixels(20));
  uint32_t expected = Word(Pixels(20), 3, 2);
  ASSERT_NE(image_grab(20, 20, 2, 1, 3, 3), 0);
  EXPECT_EQ(Record(20)->width, 3);
  EXPECT_EQ(Word(Pixels(20), 1, 1), expected);
  dib_spares_free();
  EXPECT_EQ(GetObjectType(kept), 0u);
}

// A freed image's DIB section serves the next one of its size and depth, all zero again,
// unless it is still selected into a device context; at most two of one size wait.
TEST_F(ImageTest, FreedPixelMemoryServesTheNextImageOfItsSize) {
  dib_spares_free();
  ASSERT_NE(image_create(1, 5, 3), 0);
  HANDLE freed = image_handle(1);
  Pattern(Pixels(1));
  image_free(1);
  EXPECT_EQ(GetObjectType(image_handle(1)), 0u);
  ASSERT_NE(image_create(2, 5, 3, 32), 0);
  EXPECT_NE(image_handle(2), freed) << "another depth";
  ASSERT_NE(image_create(3, 5, 3), 0);
  EXPECT_EQ(image_handle(3), freed);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(Word(Pixels(3), x, y), 0u) << x << "," << y;

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, image_handle(3));
  image_free(3);
  ASSERT_NE(image_create(4, 5, 3), 0);
  EXPECT_NE(image_handle(4), freed) << "a bitmap still selected is not handed out again";
  SelectObject(dc, old);
  DeleteDC(dc);

  HANDLE made[4];
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(image_create(10 + i, 2, 2), 0);
    made[i] = image_handle(10 + i);
  }
  for (int i = 0; i < 4; ++i) image_free(10 + i);
  EXPECT_EQ(GetObjectType(made[0]), 0u) << "the oldest of a size beyond two is deleted";
  EXPECT_EQ(GetObjectType(made[1]), 0u);
  EXPECT_EQ(GetObjectType(made[3]), DWORD(OBJ_BITMAP));
  dib_spares_free();
  EXPECT_EQ(GetObjectType(made[3]), 0u);
}

TEST_F(ImageTest, GrabKeepsTheSourceDepthOfTheSource) {
  HBITMAP bitmap = dib_create(4, 4, 24);
  ASSERT_NE(image_store(30, bitmap, 8), 0);
  EXPECT_EQ(Record(30)->source_depth, 8);
  EXPECT_EQ(Record(30)->depth, 24);
  ASSERT_NE(image_grab(30, 31, 0, 0, 2, 2), 0);
  EXPECT_EQ(Record(31)->source_depth, 8);
  EXPECT_EQ(image_store(32, nullptr, 24), 0);
}

TEST_F(ImageTest, FreeIgnoresMinusOneAndEmptyNumbers) {
  ASSERT_NE(image_create(0, 2, 2), 0);
  image_free(DynamicNumber);
  image_free(7);
  image_free(100000);
  EXPECT_TRUE(image_handle(0));
  HANDLE h = image_handle(0);
  image_free(0);
  EXPECT_EQ(image_handle(0), nullptr);
  dib_spares_free();
  EXPECT_EQ(GetObjectType(h), 0u);
  image_free(0);
}

TEST_F(ImageTest, AlphaAnswersOfTheBitmapUtilities) {
  ASSERT_NE(image_create(40, 4, 3, 32 | IMAGE_TRANSPARENT), 0);
  auto clear = static_cast<HBITMAP>(image_handle(40));
  EXPECT_EQ(bitmap_has_alpha(clear), 1);
  ASSERT_NE(image_create(41, 4, 3, 24), 0);
  EXPECT_EQ(bitmap_has_alpha(static_cast<HBITMAP>(image_handle(41))), 0);

  HBITMAP mask = bitmap_alpha_mask(clear);
  ASSERT_TRUE(mask);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(dc, x, y), 0u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(mask);

  int32_t owned = -1;
  EXPECT_EQ(bitmap_pixels32(clear, &owned), Pixels(40).pixels);
  EXPECT_EQ(owned, 0);
}

// Callers read 32-bit rows: a 24-bit DIB section comes back as a 32-bit copy.
TEST_F(ImageTest, Pixels32CopiesOtherDepths) {
  ASSERT_NE(image_create(42, 3, 2, 24), 0);
  Pattern(Pixels(42));
  int32_t owned = 0;
  auto* rows = static_cast<uint32_t*>(bitmap_pixels32(static_cast<HBITMAP>(image_handle(42)), &owned));
  ASSERT_TRUE(rows);
  EXPECT_EQ(owned, 1);
  EXPECT_EQ(rows[0] & 0xFFFFFF, 0x5A0100u);  // memory row 0: the bottom line, x 0
  EXPECT_EQ(rows[5] & 0xFFFFFF, 0x5A0002u);  // the top line, x 2
  ObjectFree(rows);
}

TEST_F(ImageTest, PremultipliedCopyScalesColourByAlpha) {
  ASSERT_NE(image_create(50, 2, 1, 32), 0);
  PixelBuffer b = Pixels(50);
  uint8_t* p = At(b, 0, 0);
  p[0] = 200, p[1] = 100, p[2] = 50, p[3] = 128;
  p = At(b, 1, 0);
  p[0] = 200, p[1] = 100, p[2] = 50, p[3] = 255;
  HBITMAP copy = bitmap_premultiplied(static_cast<HBITMAP>(image_handle(50)), nullptr);
  ASSERT_TRUE(copy);
  PixelBuffer c;
  ASSERT_TRUE(dib_pixels(copy, &c));
  EXPECT_EQ(Word(c, 0, 0), 0x80000000u | (50 * 128 >> 8) << 16 | (100 * 128 >> 8) << 8 | (200 * 128 >> 8));
  EXPECT_EQ(Word(c, 1, 0), 0xFF3264C8u);  // opaque pixels stay as they are
  bitmap_premultiplied_free(copy);
  EXPECT_EQ(GetObjectType(copy), 0u);
}

}  // namespace
