// The sheet generator's coverage painting: exact areas, crisp grid-aligned edges, and no
// paint beyond an edge's feather, which keeps each lit control inside its patch.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/sheetgen/raster.h"

namespace {

struct Canvas {
  std::vector<uint8_t> memory;
  PixelBuffer buffer;
  Canvas(int w, int h, bool bottomUp = false)
      : memory(size_t(w) * size_t(h) * 3, 255), buffer{memory.data(), w, h, w * 3, 3, bottomUp} {}
  int value(int x, int y) const { return PixelLine(buffer, y)[x * 3]; }
};

const Paint kBlack = solid({0, 0, 0});

TEST(SheetRaster, CircleCoversItsAreaAndNothingBeyondItsEdge) {
  for (float feather : {0.5f, 3.0f}) {
    Canvas c(40, 40);
    fill(c.buffer, circle(20, 20, 7), kBlack, 1, feather);
    double covered = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        float d = std::hypot(x + 0.5f - 20, y + 0.5f - 20);
        covered += (255 - c.value(x, y)) / 255.0;
        if (d >= 7 + feather) {
          EXPECT_EQ(c.value(x, y), 255) << x << "," << y;
        } else if (d <= 7 - feather) {
          EXPECT_EQ(c.value(x, y), 0) << x << "," << y;
        }
      }
    // A linear edge ramp of half-width f around a circle adds pi f^2 / 3 to its area.
    EXPECT_NEAR(covered, 3.14159 * (49 + feather * feather / 3), 0.5) << "feather " << feather;
  }
}

TEST(SheetRaster, GridAlignedEdgesAreCrispInBothRowOrders) {
  for (bool bottomUp : {false, true}) {
    Canvas c(12, 12, bottomUp);
    fill(c.buffer, round_rect(2, 3, 8, 9, 0), kBlack);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        bool inside = x >= 2 && x < 8 && y >= 3 && y < 9;
        EXPECT_EQ(c.value(x, y), inside ? 0 : 255) << x << "," << y << " bottomUp " << bottomUp;
      }
  }
}

TEST(SheetRaster, CombinedShapesAndClippingAtTheBorder) {
  Canvas c(20, 10);
  // Two halves that touch make one seamless bar; a cut-out leaves its hole untouched.
  Shape bar = unite(round_rect(0, 2, 10, 8, 0), round_rect(10, 2, 20, 8, 0));
  fill(c.buffer, subtract(bar, round_rect(8, 4, 12, 6, 0)), kBlack);
  EXPECT_EQ(c.value(9, 3), 0);
  EXPECT_EQ(c.value(10, 3), 0);
  EXPECT_EQ(c.value(9, 4), 255);
  EXPECT_EQ(c.value(5, 1), 255);
  // Shapes reaching past the buffer paint only what lies inside it.
  Canvas small(6, 6);
  fill(small.buffer, circle(-2, -2, 6), kBlack, 1, 2);
  fill(small.buffer, capsule(3, 3, 40, 40, 1), kBlack);
  EXPECT_EQ(small.value(0, 0), 0);
  EXPECT_EQ(small.value(5, 1), 255);
}

}  // namespace
