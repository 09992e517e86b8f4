// The committed picture sheet gfx/vlmr.png against the layout the picture overlay copies
// from: resting half left, lit half right, every patch at source x = target x + 300.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Rect {
  int x, y, w, h;
  bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// Target rectangles in the 300 × 186 picture: buttons 1-12, hat arms up, right, down,
// left, hat markers 0 … 31500, axis value areas X, Y, Z, R.
const Rect kPatches[] = {
    {230, 40, 20, 20}, {255, 65, 20, 20}, {230, 90, 20, 20},  {205, 65, 20, 20},
    {40, 0, 20, 20},   {215, 0, 20, 20},  {60, 0, 20, 20},    {235, 0, 20, 20},
    {110, 60, 20, 20}, {165, 60, 20, 20}, {93, 111, 20, 20},  {183, 111, 20, 20},
    {50, 50, 20, 20},  {63, 63, 20, 20},  {50, 76, 20, 20},   {35, 63, 20, 20},
    {49, 29, 20, 20},  {73, 38, 20, 20},  {83, 61, 20, 20},   {73, 87, 20, 20},
    {48, 93, 20, 20},  {26, 87, 20, 20},  {16, 62, 20, 20},   {24, 37, 20, 20},
    {47, 113, 40, 20}, {66, 142, 40, 20}, {140, 113, 40, 20}, {159, 142, 40, 20},
};
constexpr int kAxisFirst = 24;

// Where the program prints each axis value, and the box its 7-point text can fill.
const Rect kTextBoxes[] = {{54, 116, 24, 12}, {73, 145, 24, 12}, {148, 116, 24, 12}, {166, 145, 24, 12}};

struct Picture {
  std::string error;
  uint32_t format = 0;
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
  bool same(int x0, int y0, int x1, int y1) const {
    const uint8_t *a = at(x0, y0), *b = at(x1, y1);
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
  }
};

Picture read_png(const char* path) {
  Picture p;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) {
    p.error = std::string(path) + ": " + image.message;
    return p;
  }
  p.format = image.format;  // the file's own layout, before we ask for RGB
  image.format = PNG_FORMAT_RGB;
  p.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr)) {
    p.error = std::string(path) + ": " + image.message;
    return p;
  }
  p.width = int(image.width);
  p.height = int(image.height);
  return p;
}

bool in_any_patch(int x, int y) {
  for (const Rect& r : kPatches)
    if (r.contains(x, y)) return true;
  return false;
}

class Sheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { sheet = new Picture(read_png(SHEET_COMMITTED)); }
  static void TearDownTestSuite() { delete sheet; }
  void SetUp() override {
    ASSERT_EQ(sheet->error, "");
    ASSERT_EQ(sheet->width, 600);
    ASSERT_EQ(sheet->height, 186);
  }
  static Picture* sheet;
};
Picture* Sheet::sheet = nullptr;

TEST_F(Sheet, IsEightBitRgbWithoutAlpha) {
  EXPECT_TRUE(sheet->format & PNG_FORMAT_FLAG_COLOR);
  EXPECT_FALSE(sheet->format & PNG_FORMAT_FLAG_ALPHA);
  EXPECT_FALSE(sheet->format & PNG_FORMAT_FLAG_LINEAR);  // 16 bits per channel
}

// The overlay copies patches only, so anything else must already match the resting half.
TEST_F(Sheet, HalvesAgreeOutsideEveryPatch) {
  int differing = 0;
  for (int y = 0; y < 186; ++y)
    for (int x = 0; x < 300; ++x)
      if (!in_any_patch(x, y) && !sheet->same(x, y, x + 300, y)) ++differing;
  EXPECT_EQ(differing, 0);
}

TEST_F(Sheet, EveryPatchLightsUpAndOnlyItsOwnPart) {
  for (size_t i = 0; i < std::size(kPatches); ++i) {
    const Rect& r = kPatches[i];
    int lit = 0, litInOverlap = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) {
        if (sheet->same(x, y, x + 300, y)) continue;
        ++lit;
        for (size_t j = 0; j < std::size(kPatches); ++j)
          if (j != i && kPatches[j].contains(x, y)) ++litInOverlap;
      }
    // A lit pixel shared with another patch would show a piece of one control lit
    // whenever the other is drawn alone.
    EXPECT_GT(lit, 40) << "patch " << i << " barely changes";
    EXPECT_EQ(litInOverlap, 0) << "patch " << i;
  }
}

// The value is printed with a white text background; the lit panel must be white there.
TEST_F(Sheet, ValueAreasAreWhiteUnderTheText) {
  for (int a = 0; a < 4; ++a) {
    const Rect& box = kTextBoxes[a];
    ASSERT_TRUE(kPatches[kAxisFirst + a].contains(box.x, box.y));
    ASSERT_TRUE(kPatches[kAxisFirst + a].contains(box.x + box.w - 1, box.y + box.h - 1));
    int notWhite = 0;
    for (int y = box.y; y < box.y + box.h; ++y)
      for (int x = box.x; x < box.x + box.w; ++x) {
        const uint8_t* p = sheet->at(x + 300, y);
        if (p[0] != 255 || p[1] != 255 || p[2] != 255) ++notWhite;
      }
    EXPECT_EQ(notWhite, 0) << "axis " << a;
  }
}

// sheetgen redraws the sheet into the build folder before this test runs.
TEST_F(Sheet, IsWhatTheGeneratorDrawsToday) {
  Picture fresh = read_png(SHEET_FRESH);
  ASSERT_EQ(fresh.error, "");
  ASSERT_EQ(fresh.width, sheet->width);
  ASSERT_EQ(fresh.height, sheet->height);
  EXPECT_TRUE(fresh.rgb == sheet->rgb) << "gfx/vlmr.png is stale: rebuild the 'sheet' target";
}

}  // namespace
