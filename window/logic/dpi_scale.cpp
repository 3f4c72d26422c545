#include "dpi_scale.h"

#include <climits>

int ScaleForDpi(int value, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  long long product = static_cast<long long>(value) * dpi;
  long long half = kDesignDpi / 2;
  long long scaled = product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
  if (scaled > INT_MAX) return INT_MAX;
  if (scaled < INT_MIN) return INT_MIN;
  return static_cast<int>(scaled);
}
