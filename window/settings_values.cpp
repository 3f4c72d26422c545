#include "settings_values.h"

#include <climits>

int ConvertIntegerText(const wchar_t *text) {
  if (text == nullptr) return 0;
  const wchar_t *p = text;
  while (*p == L' ' || *p == L'\t' || *p == L'\n' || *p == L'\r' || *p == L'\v' || *p == L'\f') ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') {
    negative = (*p == L'-');
    ++p;
  }
  long long value = 0;
  while (*p >= L'0' && *p <= L'9') {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*p - L'0');
    ++p;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int CheckView(int view) {
  return (view >= 0 && view <= 3) ? view : kDefaultView;
}

int CheckSlotIndex(int slot) {
  return (slot >= 0 && slot < 26) ? slot : kDefaultSlot;
}

int OutputRadix(int radix) {
  return (radix == 2 || radix == 8 || radix == 10 || radix == 16) ? radix : kDefaultRadix;
}

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

bool HasTraySwitch(const wchar_t *commandLine) {
  if (commandLine == nullptr) return false;
  return (commandLine[0] == L'/' || commandLine[0] == L'-') &&
         (commandLine[1] == L't' || commandLine[1] == L'T');
}
