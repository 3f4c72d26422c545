#include <gtest/gtest.h>

#include <climits>
#include <vector>

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

namespace {

TEST(ClampDpi, IgnoresNothingUsableAndHoldsTheRest) {
  int rows[][2] = {{0, 0}, {-96, 0}, {1, 48}, {48, 48}, {96, 96}, {144, 144}, {480, 480}, {10000, 480}};
  for (auto &row : rows) EXPECT_EQ(ClampDpi(row[0]), row[1]) << row[0];
}

// The template's font is 11 points; under Wine at 96 DPI its base units are
// 7 (from 52 letters 364 pixels wide) and 15.
TEST(DialogGeometry, TemplateUnitsBecomePixelsAsTheDialogManagerPlacesThem) {
  EXPECT_EQ(ComputeDialogFontHeight(11, 96), -15);
  EXPECT_EQ(ComputeDialogFontHeight(11, 192), -29);  // 29.33
  EXPECT_EQ(ComputeBaseUnits(364, 15).x, 7);
  EXPECT_EQ(ComputeBaseUnits(350, 15).x, 7);  // 350 / 26 = 13: halves up
  EXPECT_EQ(ComputeBaseUnits(0, 0).x * ComputeBaseUnits(0, 0).y, 1);  // never 0
  PixelRect equals = MapDialogUnits(148, 55, 21, 12, {7, 15});  // the "=" button
  // 259, 103.125, then each size rounded on its own: 36.75 and 22.5
  EXPECT_EQ((std::vector<int>{equals.left, equals.top, equals.right, equals.bottom}),
            (std::vector<int>{259, 103, 259 + 37, 103 + 23}));
  EXPECT_EQ(ComputeViewWindowSize(298, 126, {3, 22, 3, 3}, 96).width, 304);
  EXPECT_EQ(ComputeViewWindowSize(298, 126, {3, 22, 3, 3}, 192).height, 22 + 126 + 12);
}

}  // namespace
