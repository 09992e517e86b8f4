#include <cmath>

#include "runtime/utils.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

TEST(Utils, PackColour) {
  EXPECT_EQ(PackColour(255, 255, 255), 16777215);
  EXPECT_EQ(PackColour(40, 30, 0), 7720);
  EXPECT_EQ(PackColour(155, 155, 155), 10197915);
}

TEST(Utils, RoundFloatModes) {
  EXPECT_EQ(RoundFloat(-0.5f, 0), -1.0f);
  EXPECT_EQ(RoundFloat(-0.5f, 1), 0.0f);
  EXPECT_TRUE(std::signbit(RoundFloat(-0.5f, 1)));
  EXPECT_EQ(RoundFloat(-0.5f, 2), -1.0f);
  EXPECT_EQ(RoundFloat(0.49f, 2), 0.0f);
  EXPECT_EQ(RoundFloat(2.5f, 2), 3.0f);
  EXPECT_EQ(RoundFloat(-2.5f, 2), -3.0f);
  EXPECT_EQ(RoundFloat(7.0f, 5), 7.0f);
  EXPECT_EQ(RoundFloat(7.9f, 5), 7.0f);
}

}  // namespace
