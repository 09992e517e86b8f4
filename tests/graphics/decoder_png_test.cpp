// The PNG decoder against pictures no one here made: libpng's own test images, decoded by
// ImageMagick as the reference, and libpng's simplified reader as the judge of rejections.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "tests/graphics/decoder_files.h"
#include "tests/runtime/runtime_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string ContribDir() {
  const char* env = std::getenv("VLMR_LIBPNG_CONTRIB");
  std::string dir = env && *env ? env : VLMR_LIBPNG_CONTRIB;
  return fs::is_directory(dir + "/pngsuite") ? dir : std::string();
}

std::vector<std::string> PngsIn(const std::string& dir) {
  std::vector<std::string> files;
  if (!fs::is_directory(dir)) return files;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file() && entry.path().extension() == ".png") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// ImageMagick's RGBA at 16 bits, reduced to the high bytes: exactly what stripping 16-bit
// samples keeps, and the plain value for 8-bit ones.
bool ImageMagickRgba(const std::string& path, size_t pixels, Bytes* rgba) {
  std::string command = "convert '" + path + "' -set colorspace sRGB -depth 16 -endian MSB rgba:- 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  Bytes raw;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) raw.insert(raw.end(), chunk, chunk + n);
  if (pclose(pipe) != 0 || raw.size() != pixels * 8) return false;
  rgba->resize(pixels * 4);
  for (size_t i = 0; i < pixels * 4; ++i) (*rgba)[i] = raw[i * 2];
  return true;
}

bool LibpngReads(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  Bytes buffer(PNG_IMAGE_SIZE(image));
  bool ok = png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

bool HasChunk(const Bytes& file, const char* type) {
  return std::search(file.begin(), file.end(), type, type + 4) != file.end();
}

// What the decoder must make of a file, from its header alone.
void ExpectDepths(const std::string& path, const Decoded& d) {
  Bytes file = ReadBytes(path);
  ASSERT_GT(file.size(), 26u);
  const int bitDepth = file[24], colourType = file[25];
  const bool trns = HasChunk(file, "tRNS");
  int source = colourType == 2 ? 24 : colourType == 6 ? 32 : bitDepth;
  bool alpha = colourType == 4 || colourType == 6 || (colourType == 3 && trns) || (colourType == 0 && bitDepth < 8 && trns);
  EXPECT_EQ(d.sourceDepth, source);
  EXPECT_EQ(d.depth, alpha ? 32 : 24);
}

class PngDecoderTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    png_decoder_register();
  }
};

TEST_F(PngDecoderTest, LibpngTestImagesMatchImageMagickOrAreRejectedLikeLibpng) {
  const std::string contrib = ContribDir();
  if (contrib.empty()) GTEST_SKIP() << "libpng's contrib folder not found: set VLMR_LIBPNG_CONTRIB (scripts/setup unpacks it)";
  std::vector<std::string> files = PngsIn(contrib + "/pngsuite");
  for (const char* folder : {"/pngsuite/interlaced", "/testpngs"}) {
    std::vector<std::string> more = PngsIn(contrib + folder);
    files.insert(files.end(), more.begin(), more.end());
  }
  int compared = 0, rejected = 0;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    Decoded d = DecodeFile(path);
    if (!d.opened || !d.result) {
      EXPECT_FALSE(LibpngReads(path)) << "libpng reads what we rejected";
      ++rejected;
      continue;
    }
    ExpectDepths(path, d);
    const size_t count = size_t(d.width) * size_t(d.height);
    Bytes rgba;
    ASSERT_TRUE(ImageMagickRgba(path, count, &rgba));
    const int bpp = d.depth / 8;
    size_t wrong = 0;
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* ours = &d.pixels[i * bpp];
      const uint8_t* ref = &rgba[i * 4];
      if (ours[0] != ref[2] || ours[1] != ref[1] || ours[2] != ref[0] || (bpp == 4 && ours[3] != ref[3])) ++wrong;
    }
    EXPECT_EQ(wrong, 0u) << "pixels differ from ImageMagick's";
    ++compared;
  }
  std::printf("PNG conformance: %zu images, %d compared with ImageMagick, %d rejected as libpng rejects them\n",
              files.size(), compared, rejected);
  RecordProperty("compared", compared);
  RecordProperty("rejected", rejected);
  EXPECT_GT(compared, 150);
}

TEST_F(PngDecoderTest, CrashersReturnWithoutHarm) {
  const std::string contrib = ContribDir();
  if (contrib.empty()) GTEST_SKIP() << "libpng's contrib folder not found: set VLMR_LIBPNG_CONTRIB";
  std::vector<std::string> files = PngsIn(contrib + "/testpngs/crashers");
  ASSERT_FALSE(files.empty());
  int rejected = 0;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    Decoded d = DecodeFile(path);
    if (d.opened && d.result) {
      EXPECT_TRUE(LibpngReads(path)) << "we read what libpng rejects";
    } else {
      EXPECT_FALSE(LibpngReads(path)) << "libpng reads what we rejected";
      ++rejected;
    }
  }
  std::printf("PNG crashers: %zu files returned without harm, %d rejected as libpng rejects them\n", files.size(),
              rejected);
}

TEST_F(PngDecoderTest, InterlacedTwinsEqualTheirPlainTwins) {
  const std::string contrib = ContribDir();
  if (contrib.empty()) GTEST_SKIP() << "libpng's contrib folder not found: set VLMR_LIBPNG_CONTRIB";
  int twins = 0;
  std::vector<std::string> files = PngsIn(contrib + "/pngsuite");
  std::vector<std::string> more = PngsIn(contrib + "/pngsuite/interlaced");
  files.insert(files.end(), more.begin(), more.end());
  for (const std::string& interlaced : files) {
    std::string name = fs::path(interlaced).filename().string();
    if (name[0] != 'i') continue;
    std::string plain = contrib + "/pngsuite/" + name.substr(1);
    if (!fs::exists(plain)) continue;
    SCOPED_TRACE(name);
    Decoded a = DecodeFile(interlaced), b = DecodeFile(plain);
    ASSERT_TRUE(a.opened && a.result && b.opened && b.result);
    EXPECT_EQ(a.depth, b.depth);
    EXPECT_EQ(a.sourceDepth, b.sourceDepth);
    EXPECT_EQ(a.pixels, b.pixels);
    ++twins;
  }
  EXPECT_GE(twins, 30);
}

}  // namespace
