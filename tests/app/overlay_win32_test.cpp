// The picture overlay on the committed sheet: every patch of its tables, drawn by the
// overlay's own steps, against composites made from the sheet's pixels (the resting half
// with the lit patches pasted at their places, and the axis values printed by GDI in the
// value colours). After each case the hand-over leaves the resting picture again.
#include <cstring>
#include <string>
#include <vector>

#include "app/controller.h"
#include "app/numbers.h"
#include "app/overlay_win32.h"
#include "app/state.h"
#include "graphics/decoder.h"
#include "graphics/decoder_load.h"
#include "tests/graphics/drawing_win32_fixture.h"
#include "toolkit/font.h"

namespace {

// A patch by its target in the picture; its lit form lies 300 pixels to the right.
struct Patch {
  int16_t x, y, w, h;
};

struct Printed {
  int32_t value;
  int16_t x, y;
};

struct OverlayCase {
  std::string what;
  uint32_t buttons;
  int32_t hat;
  int32_t axes[4];
  std::vector<Patch> lit;  // in drawing order
  std::vector<Printed> printed;
};

constexpr uint32_t kCentred = 65535;
constexpr Patch kUp{50, 50, 20, 20}, kRight{63, 63, 20, 20}, kDown{50, 76, 20, 20}, kLeft{35, 63, 20, 20};
constexpr Patch kButtons[12] = {{230, 40, 20, 20}, {255, 65, 20, 20}, {230, 90, 20, 20}, {205, 65, 20, 20},
                                {40, 0, 20, 20},   {215, 0, 20, 20},  {60, 0, 20, 20},   {235, 0, 20, 20},
                                {110, 60, 20, 20}, {165, 60, 20, 20}, {93, 111, 20, 20}, {183, 111, 20, 20}};

std::vector<OverlayCase> Cases() {
  std::vector<OverlayCase> cases;
  for (int k = 0; k < 12; ++k)
    cases.push_back({"button " + std::to_string(k + 1), 1u << k, kCentred, {}, {kButtons[k]}, {}});
  auto hat = [&](int32_t position, std::vector<Patch> lit) {
    cases.push_back({"hat " + std::to_string(position), 0, position, {}, lit, {}});
  };
  hat(0, {kUp, {49, 29, 20, 20}});
  hat(4500, {kUp, kRight, {73, 38, 20, 20}});
  hat(9000, {kRight, {83, 61, 20, 20}});
  hat(13500, {kRight, kDown, {73, 87, 20, 20}});
  hat(18000, {kDown, {48, 93, 20, 20}});  // the marker over the down arm
  hat(22500, {kDown, kLeft, {26, 87, 20, 20}});
  hat(27000, {kLeft, {16, 62, 20, 20}});
  hat(31500, {kUp, kLeft, {24, 37, 20, 20}});
  hat(kCentred, {});
  hat(1000, {});
  hat(36000, {});
  cases.push_back({"axes X -57, Y 100, Z -100, R 3",
                   0,
                   kCentred,
                   {-57, 100, -100, 3},
                   {{47, 113, 40, 20}, {66, 142, 40, 20}, {140, 113, 40, 20}, {159, 142, 40, 20}},
                   {{-57, 54, 116}, {100, 73, 145}, {-100, 148, 116}, {3, 166, 145}}});
  return cases;
}

class OverlayTest : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    png_decoder_register();
    AllocateControllerArrays();
    g_app.highestController = 0;
    g_app.presentControllers = 1;
    g_app.selectedController = 0;
    g_app.pictureImage = kSheetImage;
    g_app.displayImage = kDisplayImage;
    g_app.scratchImage = 0;
    ASSERT_NE(image_load(100, VLMR_SHEET), 0);
    image_create(101, kPictureWidth, kPictureHeight, 24);
    image_grab(100, 101, 0, 0, kPictureWidth, kPictureHeight);
    ASSERT_NE(font_load(kValueFont, "Courier new", 7), 0);
  }

  // The composite for a case: the sheet's resting half, the lit patches pasted over it in
  // order, the values printed on top.
  HBITMAP Composite(const OverlayCase& c) {
    PixelBuffer sheet = Pixels(100);
    HBITMAP bitmap = dib_create(kPictureWidth, kPictureHeight, sheet.bytesPerPixel * 8);
    PixelBuffer out{};
    EXPECT_TRUE(dib_pixels(bitmap, &out));
    auto paste = [&](int x, int y, int w, int h, int fromX) {
      for (int row = y; row < y + h; ++row)
        std::memcpy(At(out, x, row), At(sheet, fromX, row), size_t(w) * size_t(out.bytesPerPixel));
    };
    paste(0, 0, kPictureWidth, kPictureHeight, 0);
    for (const Patch& p : c.lit) paste(p.x, p.y, p.w, p.h, p.x + 300);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font_handle(kValueFont));
    SetTextColor(dc, RGB(40, 30, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    for (const Printed& p : c.printed) {
      std::string text = std::to_string(p.value);
      TextOutA(dc, p.x, p.y, text.c_str(), int(text.size()));
    }
    GdiFlush();
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    return bitmap;
  }

  // How many pixels of the display image differ from the bitmap; the first in *where.
  int Differences(HBITMAP expected, POINT* where) {
    PixelBuffer shown = Pixels(101), want{};
    EXPECT_TRUE(dib_pixels(expected, &want));
    EXPECT_EQ(shown.bytesPerPixel, want.bytesPerPixel);
    int count = 0;
    for (int y = 0; y < kPictureHeight; ++y)
      for (int x = 0; x < kPictureWidth; ++x)
        if (Word(shown, x, y) != Word(want, x, y) && count++ == 0) *where = {x, y};
    return count;
  }
};

TEST_F(OverlayTest, EveryPatchLandsWhereTheTablesSayAndTheHandOverRestsThePicture) {
  const HBITMAP resting = Composite({});
  for (const OverlayCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    g_app.controllerPositions[0].dwButtons = c.buttons;
    g_app.hatPosition = c.hat;
    g_app.axisValueX = c.axes[0];
    g_app.axisValueY = c.axes[1];
    g_app.axisValueZ = c.axes[2];
    g_app.axisValueR = c.axes[3];
    DrawAxisPatches();
    DrawButtonPatches();
    DrawHatPatches();
    HBITMAP expected = Composite(c);
    POINT at{};
    EXPECT_EQ(Differences(expected, &at), 0) << "first at (" << at.x << ", " << at.y << ")";
    DeleteObject(expected);
    if (!c.lit.empty()) {
      EXPECT_NE(Differences(resting, &at), 0) << "nothing was lit";
    }
    HandOverPicture();
    EXPECT_EQ(Differences(resting, &at), 0) << "after the hand-over, first at (" << at.x << ", " << at.y << ")";
  }
  DeleteObject(resting);
}

}  // namespace
