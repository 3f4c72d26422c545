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

namespace {

TEST(ClampDpi, IgnoresNothingUsableAndHoldsTheRest) {
  struct Row { int in, out; } rows[] = {{0, 0}, {-96, 0}, {1, 48}, {47, 48}, {48, 48}, {96, 96},
                                        {144, 144}, {480, 480}, {481, 480}, {10000, 480}};
  for (Row row : rows) EXPECT_EQ(ClampDpi(row.in), row.out) << row.in;
}

// The dialog manager's numbers: 11 points, and the base units of the
// template's font as measured under Wine at 96 DPI (x 7, y 15).
TEST(DialogGeometry, TemplateUnitsBecomePixelsAsTheDialogManagerPlacesThem) {
  EXPECT_EQ(ComputeDialogFontHeight(11, 96), -15);
  EXPECT_EQ(ComputeDialogFontHeight(11, 144), -22);
  EXPECT_EQ(ComputeDialogFontHeight(11, 192), -29);
  EXPECT_EQ(ComputeBaseUnits(364, 15).x, 7);   // 364 / 26 = 14, (14 + 1) / 2
  EXPECT_EQ(ComputeBaseUnits(350, 15).x, 7);   // 13 -> 7: halves up
  EXPECT_EQ(ComputeBaseUnits(0, 0).x, 1);      // no measure: never 0
  EXPECT_EQ(ComputeBaseUnits(0, 0).y, 1);
  DialogBaseUnits base = {7, 15};
  PixelRect equals = MapDialogUnits(148, 55, 21, 12, base);  // the "=" button
  EXPECT_EQ(equals.left, 259);   // 148 * 7 / 4
  EXPECT_EQ(equals.top, 103);    // 55 * 15 / 8 = 103.125
  EXPECT_EQ(equals.right, 259 + 37);   // 36.75, rounded on its own
  EXPECT_EQ(equals.bottom, 103 + 23);  // 22.5, halves up
}

TEST(DialogGeometry, ViewWindowEndsSixScaledPixelsBelowTheReference) {
  PixelRect insets = {3, 22, 3, 3};
  PixelSize at96 = ComputeViewWindowSize(298, 126, insets, 96);
  EXPECT_EQ(at96.width, 304);
  EXPECT_EQ(at96.height, 22 + 126 + 6);
  EXPECT_EQ(ComputeViewWindowSize(298, 126, insets, 192).height, 22 + 126 + 12);
}

}  // namespace
