#include <gtest/gtest.h>

#include <climits>

#include "dpi_scale.h"

namespace {

TEST(ScaleForDpi, KeepsEveryPixelAt96AndGrowsWithTheResolution) {
  for (int value : {0, 1, 3, 6, 20, -1, -20}) EXPECT_EQ(ScaleForDpi(value, 96), value);
  EXPECT_EQ(ScaleForDpi(20, 120), 25);
  EXPECT_EQ(ScaleForDpi(20, 144), 30);
  EXPECT_EQ(ScaleForDpi(20, 192), 40);
  EXPECT_EQ(ScaleForDpi(6, 480), 30);
  // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
  EXPECT_EQ(ScaleForDpi(1, 144), 2);   // 1.5
  EXPECT_EQ(ScaleForDpi(1, 120), 1);   // 1.25
  EXPECT_EQ(ScaleForDpi(3, 72), 2);    // 2.25
  EXPECT_EQ(ScaleForDpi(1, 72), 1);    // 0.75
  EXPECT_EQ(ScaleForDpi(-1, 144), -2);
}

TEST(ScaleForDpi, UnreadableResolutionAndExtremesStayInRange) {
  EXPECT_EQ(ScaleForDpi(20, 0), 20);
  EXPECT_EQ(ScaleForDpi(20, -5), 20);
  EXPECT_EQ(ScaleForDpi(INT_MAX, 480), INT_MAX);
  EXPECT_EQ(ScaleForDpi(INT_MIN, 480), INT_MIN);
  EXPECT_EQ(ScaleForDpi(INT_MAX, INT_MAX), INT_MAX);
}

}  // namespace
