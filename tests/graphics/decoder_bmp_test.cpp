// The BMP decoder against BMPs that ImageMagick writes and reads back as the reference, and
// against hand-made files: RLE8 escapes, depths that write nothing, truncated and lying files.
#include <gtest/gtest.h>

#include "graphics/bmp_header.h"
#include "tests/graphics/decoder_files.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

bool Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

bool ImageMagickRgb(const std::string& path, Bytes* rgb) {
  FILE* pipe = popen(("convert '" + path + "' -depth 8 rgb:- 2>/dev/null").c_str(), "r");
  if (!pipe) return false;
  uint8_t chunk[65536];
  size_t n;
  rgb->clear();
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) rgb->insert(rgb->end(), chunk, chunk + n);
  return pclose(pipe) == 0;
}

bool AllZero(Bytes::const_iterator from, Bytes::const_iterator to) {
  return std::all_of(from, to, [](uint8_t v) { return v == 0; });
}

class BmpDecoderTest : public WithTestFiles<RuntimeTest> {
 protected:
  BmpDecoderTest() : WithTestFiles("bmp") {}
};

struct Variant {
  const char* name;
  const char* options;  // ImageMagick's, after the 69 x 45 picture
  int sourceDepth;
  uint32_t compression;
};

// An odd width, so that every depth has row padding and 1- and 4-bit rows end mid-byte.
// 16 bits only with the larger header: ImageMagick's 40-byte-header RGB555 file declares
// bit fields without holding their masks, and its own reader then disagrees with the file.
const Variant kVariants[] = {
    {"bits1", "-type bilevel BMP3", 1, 0},
    {"bits4", "-colors 16 -type palette -compress none BMP3", 4, 0},
    {"bits8", "-colors 200 -type palette -compress none BMP3", 8, 0},
    {"rle8", "-colors 200 -type palette -compress RLE BMP3", 8, 1},
    {"rle8v5", "-colors 200 -type palette -compress RLE BMP", 8, 1},
    {"bits16v5", "-define bmp:subtype=RGB555 BMP", 16, 3},
    {"bits24", "-type truecolor BMP3", 24, 0},
    {"bits32", "-alpha set -channel A -fx 0.5 +channel -define bmp3:alpha=true BMP3", 32, 0},
    {"bits32v5", "-type truecoloralpha BMP", 32, 3},
};

TEST_F(BmpDecoderTest, ImageMagickBmpsDecodeToImageMagicksPixels) {
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.name);
    std::string path = dir_ + "/" + v.name + ".bmp";
    ASSERT_TRUE(Shell("convert rose: -crop 69x45+0+0 +repage " + std::string(v.options) + ":'" + path + "'"));
    Bytes file = ReadBytes(path);
    ASSERT_GE(file.size(), 54u);
    ASSERT_EQ(file[28], v.sourceDepth) << "ImageMagick wrote another depth";
    ASSERT_EQ(file[30], v.compression) << "ImageMagick wrote another compression";
    Decoded d = DecodeFile(path);
    ASSERT_TRUE(d.opened && d.result);
    EXPECT_EQ(d.width, 69);
    EXPECT_EQ(d.height, 45);
    EXPECT_EQ(d.depth, 24);
    EXPECT_EQ(d.sourceDepth, v.sourceDepth);
    Bytes rgb;
    ASSERT_TRUE(ImageMagickRgb(path, &rgb));
    ASSERT_EQ(rgb.size(), d.pixels.size());
    // 5-bit channels are shifted left by 3 here; ImageMagick fills the low bits as well.
    if (v.sourceDepth == 16)
      for (uint8_t& c : rgb) c &= 0xF8;
    size_t wrong = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
      if (d.pixels[i] != rgb[i + 2] || d.pixels[i + 1] != rgb[i + 1] || d.pixels[i + 2] != rgb[i]) ++wrong;
    EXPECT_EQ(wrong, 0u);
    EXPECT_FALSE(AllZero(d.pixels.begin(), d.pixels.end()));
  }
}

TEST_F(BmpDecoderTest, Rle8EscapesAndRunsThatLeaveThePicture) {
  BmpFields s;
  s.width = 4;
  s.height = 3;
  s.bits = 8;
  s.compression = 1;
  s.colourCount = 4;
  s.palette = {0, 0, 0, 0, 10, 11, 12, 0, 20, 21, 22, 0, 30, 31, 32, 0};
  const Bytes rle{
      200, 1,            // bottom line: a run far past the width, clipped
      0, 0,              // end of line
      0, 3, 2, 3, 9, 0,  // three literal indices, padded; index 9 is beyond the table
      0, 0,              // end of line
      0, 2, 1, 0,        // move one column right on the top line
      2, 3,              // two of colour 3
      0, 2, 0, 5,        // move past the top: nothing more is written
      4, 1, 0, 1};       // end of picture
  Decoded d = DecodeFile(Write("rle8.bmp", MakeBmp(s, rle)));
  ASSERT_TRUE(d.result);
  const Bytes expected{
      0, 0, 0, 30, 31, 32, 30, 31, 32, 0, 0, 0,      // top line: columns 1 and 2
      20, 21, 22, 30, 31, 32, 0, 0, 0, 0, 0, 0,      // middle: 2, 3, then index 9 stays black
      10, 11, 12, 10, 11, 12, 10, 11, 12, 10, 11, 12};  // bottom: the clipped run
  EXPECT_EQ(d.pixels, expected);
}

TEST_F(BmpDecoderTest, Rle4AndOtherDepthsWriteNothing) {
  BmpFields rle4;
  rle4.bits = 4;
  rle4.compression = 2;
  rle4.palette = {255, 255, 255, 0, 9, 9, 9, 0};
  BmpFields bits2;
  bits2.bits = 2;
  bits2.palette = rle4.palette;
  BmpFields bits8rle4 = rle4;
  bits8rle4.bits = 8;
  for (const auto& [name, fields] : {std::pair{"rle4.bmp", rle4}, {"bits2.bmp", bits2}, {"bits8c2.bmp", bits8rle4}}) {
    SCOPED_TRACE(name);
    Decoded d = DecodeFile(Write(name, MakeBmp(fields, Bytes(32, 0x11))));
    ASSERT_TRUE(d.opened);
    EXPECT_EQ(d.sourceDepth, fields.bits);
    EXPECT_TRUE(d.result);
    EXPECT_TRUE(AllZero(d.pixels.begin(), d.pixels.end()));
  }
}

TEST_F(BmpDecoderTest, TruncatedFileKeepsItsBottomLinesAndLeavesTheTopBlack) {
  std::string path = dir_ + "/whole24.bmp";
  ASSERT_TRUE(Shell("convert rose: -type truecolor BMP3:'" + path + "'"));
  Bytes file = ReadBytes(path);
  Decoded whole = DecodeFile(path);
  ASSERT_TRUE(whole.result);
  const size_t fileStride = (70 * 3 + 3) / 4 * 4, lines = 46, kept = 20;
  file.resize(54 + kept * fileStride + 30);  // 20 full lines and 10 pixels of the next
  Decoded cut = DecodeFile(Write("cut24.bmp", file));
  ASSERT_TRUE(cut.opened && cut.result);
  const size_t stride = 70 * 3;
  const size_t firstKept = (lines - kept) * stride;
  EXPECT_TRUE(std::equal(cut.pixels.begin() + firstKept, cut.pixels.end(), whole.pixels.begin() + firstKept));
  const size_t partial = (lines - kept - 1) * stride;
  EXPECT_TRUE(std::equal(cut.pixels.begin() + partial, cut.pixels.begin() + partial + 30,
                         whole.pixels.begin() + partial));
  EXPECT_TRUE(AllZero(cut.pixels.begin(), cut.pixels.begin() + partial));
  EXPECT_TRUE(AllZero(cut.pixels.begin() + partial + 30, cut.pixels.begin() + firstKept));
}

TEST_F(BmpDecoderTest, LyingHeadersAreHarmless) {
  const Bytes pixels(64, 0x42);
  auto opens = [&](const char* name, BmpFields fields) { return DecodeFile(Write(name, MakeBmp(fields, pixels))).opened; };
  BmpFields huge;
  huge.width = huge.height = 100000;
  EXPECT_FALSE(opens("huge.bmp", huge));
  BmpFields negative;
  negative.height = -2;  // top-down files are the platform's; refused here
  EXPECT_FALSE(opens("negative.bmp", negative));
  BmpFields zero;
  zero.width = 0;
  EXPECT_FALSE(opens("zero.bmp", zero));
  BmpFields core;
  core.headerSize = 12;  // a smaller header places width and height elsewhere
  EXPECT_FALSE(opens("core.bmp", core));

  // Offsets and tables beyond the file: the picture stays black.
  BmpFields farPixels;
  farPixels.pixelOffset = 0xFFFFFFF0;
  Decoded d = DecodeFile(Write("far.bmp", MakeBmp(farPixels, pixels)));
  ASSERT_TRUE(d.result);
  EXPECT_TRUE(AllZero(d.pixels.begin(), d.pixels.end()));
  BmpFields farTable;
  farTable.bits = 8;
  farTable.headerSize = 0xFFFFFF00;
  d = DecodeFile(Write("fartable.bmp", MakeBmp(farTable, pixels)));
  ASSERT_TRUE(d.result);
  EXPECT_TRUE(AllZero(d.pixels.begin(), d.pixels.end()));
  // A colour table of two entries: index 1 is white, higher indices stay black.
  BmpFields shortTable;
  shortTable.bits = 8;
  shortTable.colourCount = 2;
  shortTable.palette = {0, 0, 0, 0, 255, 255, 255, 0};
  d = DecodeFile(Write("shorttable.bmp", MakeBmp(shortTable, {1, 2, 1, 255, 1, 1, 1, 1})));
  ASSERT_TRUE(d.result);
  EXPECT_EQ(d.pixels, (Bytes{255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                             255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0}));
  // A row count larger than the data: the lines not in the file stay black.
  BmpFields tall;
  tall.height = 1000;
  d = DecodeFile(Write("tall.bmp", MakeBmp(tall, pixels)));
  ASSERT_TRUE(d.result);
  // 64 bytes: five lines of 12 and the first pixel of the sixth.
  const size_t stride = 4 * 3;
  EXPECT_TRUE(AllZero(d.pixels.begin(), d.pixels.end() - 6 * stride));
  EXPECT_EQ(Bytes(d.pixels.end() - 6 * stride, d.pixels.end() - 6 * stride + 3), Bytes(3, 0x42));
  EXPECT_TRUE(AllZero(d.pixels.end() - 6 * stride + 3, d.pixels.end() - 5 * stride));
  EXPECT_EQ(Bytes(d.pixels.end() - 5 * stride, d.pixels.end()), Bytes(5 * stride, 0x42));
}

bool Sane(const Bytes& file) { return bmp_header_sane(file.data(), std::min(file.size(), BMP_HEADER_BYTES), file.size()); }

// The check before the platform's loader, which believes every size a file claims.
TEST(BmpHeader, OnlyFilesThatHoldWhatTheyClaimGoToThePlatformLoader) {
  struct Case {
    const char* name;
    BmpFields fields;
    size_t pixelBytes;
    bool sane;
  };
  auto fields = [](int32_t w, int32_t h, uint16_t bits, uint32_t compression = 0, size_t tableEntries = 0) {
    BmpFields f;
    f.width = w;
    f.height = h;
    f.bits = bits;
    f.compression = compression;
    f.palette.assign(tableEntries * 4, 0);
    return f;
  };
  const Case cases[] = {
      {"24 bits, every row", fields(4, 2, 24), 24, true},
      {"24 bits, a byte short", fields(4, 2, 24), 23, false},
      {"top-down", fields(4, -2, 24), 24, true},
      {"4 bits claiming 4000 x 4000 in 118 bytes", fields(4000, 4000, 4, 0, 16), 0, false},
      {"RLE8 claiming 16000 x 16000", fields(16000, 16000, 8, 1, 256), 2, false},
      {"RLE8 within the limits", fields(8000, 8000, 8, 1, 256), 2, true},
      {"RLE8 ending inside its colour table", fields(8, 8, 8, 1, 255), 0, false},
      {"8 bits, full table and rows", fields(3, 1, 8, 0, 256), 4, true},
      {"width 0", fields(0, 2, 24), 24, false},
      {"width 32768", fields(32768, 1, 1), 4096, false},
      {"more than 64 Mi pixels", fields(32767, 2049, 1), 4100 * 2049, false},
      {"7 bits", fields(4, 2, 7), 64, false},
      {"bit fields at 24 bits", fields(4, 2, 24, 3), 64, false},
      {"bit fields without their masks", fields(2, 1, 32, 3), 8, false},
      {"bit fields with their masks", fields(2, 1, 32, 3), 20, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Sane(MakeBmp(c.fields, Bytes(c.pixelBytes))), c.sane);
  }
  BmpFields farPixels = fields(4, 2, 24);
  farPixels.pixelOffset = 100;
  EXPECT_FALSE(Sane(MakeBmp(farPixels, Bytes(24))));
  EXPECT_FALSE(Sane(Bytes{'B', 'M'}));

  // The old core header: 16-bit sizes and 3-byte colour entries; 2 x 2 at 1 bit needs
  // 14 + 12 + 2 * 3 bytes of headers and table, then two rows of 4 bytes.
  Bytes core{'B', 'M'};
  Put32LE(core, 40);
  Put32LE(core, 0);
  Put32LE(core, 32);
  Put32LE(core, 12);
  for (uint16_t v : {2, 2, 1, 1}) Put16LE(core, v);
  core.resize(40);
  EXPECT_TRUE(Sane(core));
  core.pop_back();
  EXPECT_FALSE(Sane(core));
}

}  // namespace
