// image_load under Wine: PNGs through the decoder registry into bottom-up DIB sections,
// BMPs through the platform's loader, and files nothing accepts.
#include "graphics/decoder_load.h"
#include "tests/graphics/decoder_files.h"
#include "tests/graphics/drawing_win32_fixture.h"

namespace {

class ImageLoadTest : public WithTestFiles<ImageTest> {
 protected:
  ImageLoadTest() : WithTestFiles("win32") {}
  void SetUp() override {
    WithTestFiles::SetUp();
    png_decoder_register();
  }
};

TEST_F(ImageLoadTest, PngLoadsUprightWithItsDepthAndAlpha) {
  // 3 x 2 RGBA: the top line red, green, blue; the bottom line grey with alpha 0, 128, 255.
  Bytes rgba{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 0, 9, 9, 9, 128, 9, 9, 9, 255};
  ASSERT_NE(image_load(5, Write("rgba.png", MakePng(3, 2, 8, 6, rgba)).c_str()), 0);
  ImageRecord* r = Record(5);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->width, 3);
  EXPECT_EQ(r->height, 2);
  EXPECT_EQ(r->depth, 32);
  EXPECT_EQ(r->source_depth, 32);
  PixelBuffer b = Pixels(5);
  EXPECT_TRUE(b.bottomUp);
  EXPECT_EQ(Word(b, 0, 0), 0xFFFF0000u);  // Word reads blue, green, red, alpha from the low byte up
  EXPECT_EQ(Word(b, 2, 0), 0xFF0000FFu);
  EXPECT_EQ(Word(b, 1, 1), 0x80090909u);

  // 16-bit RGB, as a dynamic image: 24 bits, the high bytes kept.
  intptr_t id = image_load(DynamicNumber, Write("rgb16.png", MakePng(1, 1, 16, 2, {0xAB, 1, 0xCD, 2, 0xEF, 3})).c_str());
  ASSERT_NE(id, 0);
  ImageRecord* dynamic = Record(id);
  ASSERT_NE(dynamic, nullptr);
  EXPECT_EQ(dynamic->depth, 24);
  EXPECT_EQ(dynamic->source_depth, 24);
  EXPECT_EQ(Word(Pixels(id), 0, 0), 0xABCDEFu);
}

TEST_F(ImageLoadTest, BmpLoadsAt24BitsWithTheFileDepthAsSource) {
  BmpFields s;
  s.width = 2;
  s.height = 2;
  s.bits = 8;
  s.colourCount = 3;
  s.palette = {0, 0, 0, 0, 10, 20, 30, 0, 200, 150, 100, 0};
  ASSERT_NE(image_load(6, Write("bits8.bmp", MakeBmp(s, {1, 2, 0, 0, 2, 1, 0, 0})).c_str()), 0);
  ImageRecord* r = Record(6);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->width, 2);
  EXPECT_EQ(r->height, 2);
  EXPECT_EQ(r->depth, 24);
  EXPECT_EQ(r->source_depth, 8);
  PixelBuffer b = Pixels(6);
  EXPECT_EQ(Word(b, 0, 0), 0x6496C8u);  // the file's first row is the bottom line
  EXPECT_EQ(Word(b, 0, 1), 0x1E140Au);
}

TEST_F(ImageLoadTest, FilesNothingAcceptsGiveZeroAndFreeTheOldImage) {
  ASSERT_NE(image_create(7, 4, 4), 0);
  EXPECT_EQ(image_load(7, (dir_ + "/missing.png").c_str()), 0);
  EXPECT_EQ(image_handle(7), nullptr);
  ASSERT_NE(image_create(7, 4, 4), 0);
  EXPECT_EQ(image_load(7, Write("text.png", {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', '\n'}).c_str()), 0);
  EXPECT_EQ(image_handle(7), nullptr);
  EXPECT_EQ(image_load(7, nullptr), 0);
}

// BMPs whose headers claim more than the file holds never reach the platform's loader
// (which crashed on the first and took gigabytes for the second): our decoder decides.
TEST_F(ImageLoadTest, LyingBmpsAreLeftToOurDecoder) {
  BmpFields empty;
  empty.width = empty.height = 4000;
  empty.bits = 4;
  empty.palette.assign(16 * 4, 0xFF);
  Bytes file = MakeBmp(empty, {});
  ASSERT_EQ(file.size(), 118u);
  ASSERT_NE(image_load(8, Write("claims4000.bmp", file).c_str()), 0);
  ImageRecord* r = Record(8);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->width, 4000);
  EXPECT_EQ(r->source_depth, 4);
  EXPECT_EQ(Word(Pixels(8), 1999, 1999) & 0xFFFFFF, 0u);  // no pixel in the file: black

  BmpFields rle;
  rle.width = rle.height = 16000;
  rle.bits = 8;
  rle.compression = 1;
  rle.palette.assign(256 * 4, 0xFF);
  EXPECT_EQ(image_load(8, Write("claims16000.bmp", MakeBmp(rle, {0, 1})).c_str()), 0);
  EXPECT_EQ(image_handle(8), nullptr);
}

TEST_F(ImageLoadTest, TruncatedPngLoadsWithBlackMissingLines) {
  const uint32_t side = 128;
  Bytes rows(size_t(side) * side * 3, 0x77);
  Bytes file = MakePng(side, side, 8, 2, rows, {}, {}, 0);
  file.resize(file.size() / 2);
  ASSERT_NE(image_load(8, Write("cut.png", file).c_str()), 0);
  PixelBuffer b = Pixels(8);
  EXPECT_EQ(Word(b, 0, 0), 0x777777u);
  EXPECT_EQ(Word(b, side - 1, side - 1), 0u);
}

}  // namespace
