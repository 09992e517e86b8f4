// The decoder registry and the PNG decoder on hand-made files whose every byte we know:
// order and capacity of the registry, files nobody accepts, the transformation rules,
// row order, truncation and absurd sizes.
#include <gtest/gtest.h>

#include "tests/graphics/decoder_files.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

int32_t AcceptNothing(DecoderContext*) { return 0; }
int32_t DecodeNothing(DecoderContext*, const PixelBuffer&) { return 0; }
void CleanNothing(DecoderContext*) {}
const Decoder kRefuser{AcceptNothing, DecodeNothing, CleanNothing};

class DecoderTest : public WithTestFiles<RuntimeTest> {
 protected:
  DecoderTest() : WithTestFiles("handmade") {}
};

TEST_F(DecoderTest, RegistryHoldsThirtyAndThePngDecoderOnce) {
  png_decoder_register();
  png_decoder_register();
  int accepted = 0;
  while (decoder_register(&kRefuser)) ++accepted;
  EXPECT_EQ(accepted, DECODER_MAX - 2);  // the BMP decoder from start-up, the PNG decoder once
  EXPECT_FALSE(decoder_register(&kRefuser));
  // The decoders behind the refusers are still asked.
  Decoded d = DecodeFile(Write("one.png", MakePng(1, 1, 8, 2, {1, 2, 3})));
  EXPECT_TRUE(d.opened);
}

TEST_F(DecoderTest, FilesNoDecoderAcceptsGiveZero) {
  png_decoder_register();
  EXPECT_FALSE(decoder_open((dir_ + "/missing.png").c_str()));
  EXPECT_FALSE(decoder_open(nullptr));
  Bytes text{'h', 'e', 'l', 'l', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', 's', '!', '\n'};
  EXPECT_FALSE(DecodeFile(Write("text.png", text)).opened);
  EXPECT_FALSE(DecodeFile(Write("empty.png", {})).opened);
  Bytes bm{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // 13 bytes
  EXPECT_FALSE(DecodeFile(Write("short.bmp", bm)).opened);
  Bytes reserved = MakeBmp({}, Bytes(24));
  reserved[7] = 1;
  EXPECT_FALSE(DecodeFile(Write("reserved.bmp", reserved)).opened);
  Bytes signatureOnly = MakePng(1, 1, 8, 2, {0, 0, 0});
  signatureOnly.resize(8);
  EXPECT_FALSE(DecodeFile(Write("signature.png", signatureOnly)).opened);
  // Nothing is left open: the next load works.
  EXPECT_TRUE(DecodeFile(Write("good.png", MakePng(1, 1, 8, 2, {1, 2, 3}))).result);
}

TEST_F(DecoderTest, PngRowsArriveBlueFirstTopLineWhereTheFlagSays) {
  png_decoder_register();
  // 2 x 2 RGB: red, green / blue, white.
  std::string rgb = Write("rgb.png", MakePng(2, 2, 8, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
  Decoded top = DecodeFile(rgb);
  ASSERT_TRUE(top.result);
  EXPECT_EQ(top.depth, 24);
  EXPECT_EQ(top.sourceDepth, 24);
  EXPECT_EQ(top.pixels, (Bytes{0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}));
  Decoded bottom = DecodeFile(rgb, DECODE_BOTTOM_UP);
  EXPECT_EQ(bottom.pixels, (Bytes{255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0}));
  // RGBA keeps the file's alpha, not premultiplied.
  Decoded rgba = DecodeFile(Write("rgba.png", MakePng(1, 1, 8, 6, {200, 100, 50, 7})));
  EXPECT_EQ(rgba.depth, 32);
  EXPECT_EQ(rgba.sourceDepth, 32);
  EXPECT_EQ(rgba.pixels, (Bytes{50, 100, 200, 7}));
}

TEST_F(DecoderTest, PngTransparencyRules) {
  png_decoder_register();
  // 16-bit grey with tRNS: stripped to the high byte, made RGB, transparency not applied.
  Decoded grey16 = DecodeFile(Write("grey16.png", MakePng(2, 1, 16, 0, {0x12, 0x34, 0xAB, 0xCD}, {0x12, 0x34})));
  ASSERT_TRUE(grey16.result);
  EXPECT_EQ(grey16.depth, 24);
  EXPECT_EQ(grey16.sourceDepth, 16);
  EXPECT_EQ(grey16.pixels, (Bytes{0x12, 0x12, 0x12, 0xAB, 0xAB, 0xAB}));
  // 4-bit palette: with tRNS 32 bits with alpha, without it 24 bits.
  Bytes palette{10, 20, 30, 40, 50, 60};
  Decoded withAlpha = DecodeFile(Write("p4t.png", MakePng(2, 1, 4, 3, {0x01}, {99}, palette)));
  EXPECT_EQ(withAlpha.depth, 32);
  EXPECT_EQ(withAlpha.sourceDepth, 4);
  EXPECT_EQ(withAlpha.pixels, (Bytes{30, 20, 10, 99, 60, 50, 40, 255}));
  Decoded opaque = DecodeFile(Write("p4.png", MakePng(2, 1, 4, 3, {0x01}, {}, palette)));
  EXPECT_EQ(opaque.depth, 24);
  EXPECT_EQ(opaque.pixels, (Bytes{30, 20, 10, 60, 50, 40}));
  // 2-bit grey with tRNS: expanded, the transparent grey gets alpha 0.
  Decoded grey2 = DecodeFile(Write("g2t.png", MakePng(2, 1, 2, 0, {0x70}, {0, 3})));
  EXPECT_EQ(grey2.depth, 32);
  EXPECT_EQ(grey2.pixels, (Bytes{0x55, 0x55, 0x55, 255, 0xFF, 0xFF, 0xFF, 0}));
}

TEST_F(DecoderTest, PngTruncatedInsideImageDataKeepsItsRowsAndLeavesTheRestBlack) {
  png_decoder_register();
  const uint32_t side = 128;  // libpng reads image data 8 KiB at a time
  Bytes rows;
  for (uint32_t y = 0; y < side; ++y)
    for (uint32_t x = 0; x < side; ++x) rows.insert(rows.end(), {uint8_t(x * 2 + 1), uint8_t(y * 2 + 1), 200});
  Bytes file = MakePng(side, side, 8, 2, rows, {}, {}, 0);  // stored: the cut falls mid-picture
  Decoded full = DecodeFile(Write("whole.png", file));
  ASSERT_TRUE(full.result);
  file.resize(file.size() / 2);
  Decoded cut = DecodeFile(Write("cut.png", file));
  ASSERT_TRUE(cut.opened);
  EXPECT_FALSE(cut.result);
  const size_t stride = side * 3;
  size_t good = 0;
  while (good < side && std::equal(cut.pixels.begin() + good * stride, cut.pixels.begin() + (good + 1) * stride,
                                   full.pixels.begin() + good * stride))
    ++good;
  EXPECT_GT(good, side / 4);
  EXPECT_LT(good, side);
  for (size_t y = good + 1; y < side; ++y)
    EXPECT_TRUE(std::all_of(cut.pixels.begin() + y * stride, cut.pixels.begin() + (y + 1) * stride,
                            [](uint8_t v) { return v == 0; }))
        << "line " << y;
}

TEST_F(DecoderTest, PngAbsurdSizesAreRefusedBeforeAnythingIsAllocated) {
  png_decoder_register();
  const Bytes pixel{1, 2, 3};
  EXPECT_FALSE(DecodeFile(Write("huge.png", MakePng(100000, 100000, 8, 2, pixel))).opened);
  EXPECT_FALSE(DecodeFile(Write("wide.png", MakePng(DECODER_MAX_SIDE + 1, 1, 8, 2, pixel))).opened);
  EXPECT_FALSE(DecodeFile(Write("many.png", MakePng(DECODER_MAX_SIDE, 4096, 8, 2, pixel))).opened);
  EXPECT_FALSE(DecodeFile(Write("zero.png", MakePng(0, 1, 8, 2, pixel))).opened);
  EXPECT_FALSE(DecodeFile(Write("negative.png", MakePng(0x80000000u, 1, 8, 2, pixel))).opened);
  // A header that promises more lines than the data holds: the lines not there stay black.
  Bytes liar = MakePng(2, 3, 8, 2, Bytes(18, 77));
  liar[8 + 8 + 7] = 9;  // height 9; repair the header's CRC
  Bytes ihdr(liar.begin() + 12, liar.begin() + 29);
  uint32_t crc = uint32_t(crc32(0, ihdr.data(), uInt(ihdr.size())));
  for (int i = 0; i < 4; ++i) liar[29 + i] = uint8_t(crc >> (24 - 8 * i));
  Decoded d = DecodeFile(Write("liar.png", liar));
  ASSERT_TRUE(d.opened);
  EXPECT_EQ(d.height, 9);
  EXPECT_FALSE(d.result);
  EXPECT_EQ(Bytes(d.pixels.begin(), d.pixels.begin() + 18), Bytes(18, 77));
  EXPECT_TRUE(std::all_of(d.pixels.begin() + 18, d.pixels.end(), [](uint8_t v) { return v == 0; }));
}

}  // namespace
