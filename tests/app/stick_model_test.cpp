// The Stick-Test's numbers: normalised axes and their offset texts, directions, reach per
// direction and circularity of known shapes, the right stick's axes, and the trail's age.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "app/stick_model.h"
#include "runtime/strings.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

class StickModelTest : public RuntimeTest {
 protected:
  std::string Percent(double fraction, bool signedValue = true) {
    TempExpression text;
    AppendPercent(fraction, signedValue);
    return text.Finish();
  }
};

AxisRange Range(int32_t min, int32_t max) {
  AxisRange r{};
  r.min = min;
  r.max = max;
  return r;
}

TEST_F(StickModelTest, OffsetsFromTheCentreOfTheRange) {
  struct Case {
    int32_t min, max;
    uint32_t raw;
    const char* text;
  };
  const Case cases[] = {
      {0, 65535, 36000, "+9,9 %"},  {0, 65535, 32767, "0,0 %"},    {0, 65535, 32768, "0,0 %"},
      {0, 65535, 32700, "-0,2 %"},  {0, 65535, 0, "-100,0 %"},     {0, 65535, 65535, "+100,0 %"},
      {-100, 100, 5, "+5,0 %"},     {0, 1023, 1023, "+100,0 %"},   {100, 200, 50, "-200,0 %"},
  };
  for (const Case& c : cases) {
    StickAxis axis = StickAxisOf(Range(c.min, c.max));
    ASSERT_TRUE(axis.usable);
    EXPECT_EQ(Percent(StickNormalised(axis, c.raw)), c.text) << c.min << ".." << c.max << " raw " << c.raw;
  }
  for (auto [min, max] : {std::pair{5000, 5000}, {1000, 0}, {0, -1}}) {
    StickAxis axis = StickAxisOf(Range(min, max));
    EXPECT_FALSE(axis.usable) << min << ".." << max;
    EXPECT_EQ(StickNormalised(axis, 1234), 0);
  }
  EXPECT_TRUE(StickAxisOf(Range(INT32_MIN, INT32_MAX)).usable) << "a span past 32 bits";
  EXPECT_EQ(Percent(0.0625, false), "6,3 %");
  EXPECT_EQ(Percent(-0.00049), "0,0 %");
}

TEST_F(StickModelTest, DirectionsCountAnticlockwiseOnTheScreen) {
  const std::pair<double, int32_t> cases[] = {{0, 0}, {5, 0}, {9.99, 0}, {10, 1}, {45, 4},
                                              {90, 9}, {180, 18}, {270, 27}, {359.9, 35}};
  for (auto [degrees, sector] : cases) {
    double a = degrees * std::numbers::pi / 180;
    EXPECT_EQ(StickSector(0.5 * std::cos(a), -0.5 * std::sin(a)), sector) << degrees << " degrees";
  }
  EXPECT_EQ(StickSector(0, -1), 9) << "up on the screen is 90 degrees";
  EXPECT_EQ(StickSector(0, 0), -1);
}

TEST_F(StickModelTest, RightStickAxesFollowThePadsLayout) {
  const std::pair<uint32_t, ControllerAxis> cases[] = {
      {0x57, kAxisU},  // Xbox 360: Z, R, U, hat
      {0x56, kAxisU},  // Switch Pro: R, U, hat
      {0x5F, kAxisZ},  // DualShock 4: Z, R, U, V
      {0x1F, kAxisZ},  {0x13, kAxisZ}, {0x0C, kAxisZ}, {0, kAxisZ}};
  for (auto [caps, x] : cases) {
    EXPECT_EQ(RightStickAxes(caps).x, x) << std::hex << caps;
    EXPECT_EQ(RightStickAxes(caps).y, kAxisR);
  }
  EXPECT_EQ(LeftStickAxes().x, kAxisX);
  EXPECT_EQ(LeftStickAxes().y, kAxisY);
}

// Drives a track around a shape through the given angles; radius(angle) gives the shape.
template <typename Radius>
double Around(StickTrack& track, int32_t steps, Radius radius) {
  for (int32_t i = 0; i < steps; ++i) {
    double a = 2 * std::numbers::pi * i / steps, r = radius(a);
    StickAdd(track, r * std::cos(a), -r * std::sin(a), uint32_t(i));
  }
  return StickCircularity(track);
}

TEST_F(StickModelTest, CircularityOfKnownShapes) {
  StickTrack track;
  StickClear(track);
  EXPECT_EQ(StickCircularity(track), -1);
  EXPECT_NEAR(Around(track, 720, [](double) { return 0.9; }), 0.1, 1e-9) << "a circle of reach 0.9";
  EXPECT_EQ(Percent(StickCircularity(track), false), "10,0 %");
  // Full deflection on both axes at once: a square. Per direction the reach is that of its
  // furthest point: the edge of the direction nearest a corner, the corner itself in the
  // directions 40..50 degrees and their mirrors.
  StickClear(track);
  auto secant = [](double degrees) { return 1 / std::cos(degrees * std::numbers::pi / 180); };
  double octants = 2 * (secant(10) + secant(20) + secant(30) + secant(40) - 4) + (std::sqrt(2.0) - 1);
  double square = Around(track, 36000, [](double a) { return 1 / std::max(std::fabs(std::cos(a)), std::fabs(std::sin(a))); });
  EXPECT_NEAR(square, 4 * octants / kStickSectors, 1e-4) << "a square";
  EXPECT_EQ(Percent(square, false), "16,6 %");

  // A direction never pushed past the dead zone's circle leaves the circularity open.
  StickClear(track);
  Around(track, 720, [](double a) { return a >= std::numbers::pi / 3 && a < 7 * std::numbers::pi / 18 ? 0.2 : 1.0; });  // 60..70 degrees
  EXPECT_EQ(StickCircularity(track), -1);
  StickAdd(track, std::cos(1.1), -std::sin(1.1), 0);
  EXPECT_NEAR(StickCircularity(track), 0, 1e-9);
  StickAdd(track, 0, 0, 0);
  EXPECT_NEAR(StickCircularity(track), 0, 1e-9) << "the centre has no direction";
}

TEST_F(StickModelTest, TheTrailKeepsTwoSeconds) {
  StickTrack track;
  StickClear(track);
  const uint32_t start = 0xFFFFF000u, last = start + 2995;  // across the clock's wrap
  for (uint32_t t = start; t != last + 5; t += 5) StickAdd(track, 0.5, 0.5, t);
  std::vector<uint32_t> seen;
  EXPECT_EQ(StickTrail(track, last, [&](const StickSample& s) { seen.push_back(s.at); }), kTrailCapacity)
      << "the ring holds the newest samples";
  EXPECT_EQ(seen.front(), last);
  EXPECT_EQ(seen.back(), last - 5 * (kTrailCapacity - 1));
  EXPECT_EQ(StickTrail(track, last + 1000, [](const StickSample&) {}), 201) << "the samples of the last 2 s";
  EXPECT_EQ(StickTrail(track, last + 2001, [](const StickSample&) {}), 0);
}

}  // namespace
