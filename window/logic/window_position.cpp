#include "window_position.h"

bool IsStoredPositionUsable(int wx, int wy, const ScreenRect *monitors, std::size_t count) {
  if (monitors == nullptr) return false;
  // In 64 bits: edges near INT_MIN must not wrap when 16 is taken off.
  long long x = wx;
  long long y = wy;
  for (std::size_t i = 0; i < count; ++i) {
    const ScreenRect &m = monitors[i];
    if (m.left <= x && x < static_cast<long long>(m.right) - 16 && m.top <= y &&
        y < static_cast<long long>(m.bottom) - 16) {
      return true;
    }
  }
  return false;
}
