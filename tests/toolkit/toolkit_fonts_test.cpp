// Fonts: the height follows the display's DPI (run at 96 and, by toolkit_fonts_dpi.sh, at
// 120 DPI), reloading a number deletes the old font, and the style flags reach the font.
#include <cstdlib>

#include "tests/toolkit/toolkit_fixture.h"
#include "toolkit/font.h"
#include "toolkit/gdi_count.h"

namespace {

LOGFONTA Describe(HFONT font) {
  LOGFONTA lf{};
  GetObjectA(font, sizeof lf, &lf);
  return lf;
}

int32_t DisplayDpi() {
  HDC dc = GetDC(nullptr);
  int32_t dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

TEST(Fonts, SevenPointCourierHeightFollowsTheDisplayDpi) {
  int32_t dpi = DisplayDpi();
  if (const char* expected = std::getenv("VLMR_EXPECT_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected));
  }
  auto font = reinterpret_cast<HFONT>(font_load(112, "Courier new", 7));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font_handle(112), font);
  LOGFONTA lf = Describe(font);
  if (dpi == 96) EXPECT_EQ(lf.lfHeight, -9);
  else if (dpi == 120) EXPECT_EQ(lf.lfHeight, -12);
  else ADD_FAILURE() << "no expectation for " << dpi << " DPI";
  EXPECT_STREQ(lf.lfFaceName, "Courier new");
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
  font_free(112);
}

TEST(Fonts, ReloadingDeletesTheOldFontAndFreeingReleasesTheNumber) {
  int32_t fonts = g_gdiCounts.fonts;
  auto first = reinterpret_cast<HFONT>(font_load(112, "Courier new", 7));
  auto second = reinterpret_cast<HFONT>(font_load(112, "Arial", 12, FONT_BOLD | FONT_ITALIC | FONT_UNDERLINE));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_EQ(font_handle(112), second);
  EXPECT_EQ(g_gdiCounts.fonts, fonts + 1);
  LOGFONTA lf = Describe(second);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_FALSE(lf.lfStrikeOut);

  EXPECT_EQ(font_handle(5), nullptr);
  intptr_t id = font_load(DynamicNumber, "Courier new", 10, FONT_STRIKEOUT | FONT_HIGH_QUALITY);
  ASSERT_NE(id, 0);
  EXPECT_EQ(Describe(font_handle(id)).lfQuality, PROOF_QUALITY);
  font_free(id);
  EXPECT_EQ(font_handle(id), nullptr);
  font_free(112);
  font_free(112);
  EXPECT_EQ(GetObjectType(second), 0u);
  EXPECT_EQ(g_gdiCounts.fonts, fonts);
}

}  // namespace

VLMR_TOOLKIT_MAIN()
