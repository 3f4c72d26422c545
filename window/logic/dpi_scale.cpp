#include "dpi_scale.h"

#include <climits>

// a * b / c rounded to the nearest integer, halves away from zero, as the
// platform's MulDiv; c > 0. A result beyond the int range stays at its edge.
static int MultiplyDivide(int a, int b, int c) {
  long long product = static_cast<long long>(a) * b;
  long long half = c / 2;
  long long result = product >= 0 ? (product + half) / c : -((-product + half) / c);
  if (result > INT_MAX) return INT_MAX;
  if (result < INT_MIN) return INT_MIN;
  return static_cast<int>(result);
}

int ScaleForDpi(int value, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  return MultiplyDivide(value, dpi, kDesignDpi);
}

int ClampDpi(int dpi) {
  if (dpi <= 0) return 0;
  if (dpi < kMinDpi) return kMinDpi;
  if (dpi > kMaxDpi) return kMaxDpi;
  return dpi;
}

DialogBaseUnits ComputeBaseUnits(int alphabetWidth, int characterHeight) {
  // (width / 26 + 1) / 2: the dialog manager's rounding of width / 52.
  int x = (alphabetWidth / 26 + 1) / 2;
  return {x > 0 ? x : 1, characterHeight > 0 ? characterHeight : 1};
}

int ComputeDialogFontHeight(int pointSize, int dpi) {
  return -MultiplyDivide(pointSize, dpi > 0 ? dpi : kDesignDpi, 72);
}

PixelRect MapDialogUnits(int x, int y, int width, int height, DialogBaseUnits base) {
  int left = MultiplyDivide(x, base.x, 4);
  int top = MultiplyDivide(y, base.y, 8);
  return {left, top, left + MultiplyDivide(width, base.x, 4), top + MultiplyDivide(height, base.y, 8)};
}

PixelSize ComputeViewWindowSize(int clientWidth, int referenceBottom, PixelRect insets, int dpi) {
  return {insets.left + clientWidth + insets.right,
          insets.top + referenceBottom + ScaleForDpi(6, dpi)};
}
