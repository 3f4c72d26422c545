// Pure conversions and range rules for values read from the settings file.
// Portable: no platform headers, so they are tested natively as well.
#pragma once

// Defaults of the settings keys.
constexpr int kDefaultPosition = -1;   // Wx, Wy
constexpr int kDefaultView = 3;
constexpr int kDefaultSlot = 0;        // Cbo
constexpr int kDefaultRadix = 10;

// A settings value converted like atoi (used for "Radix" and every integer key): leading blanks, an optional sign,
// decimal digits; anything else ends the number; no digits gives 0. Values
// beyond the int range stop growing at its limits. A null text gives 0.
int ConvertIntegerText(const wchar_t *text);

// View outside 0-3 falls back to 3.
int CheckView(int view);

// A slot index outside 0-25 falls back to 0 (slot A).
int CheckSlotIndex(int slot);

// The radix results are written in: the stored radix when it is 2, 8, 10 or
// 16, otherwise 10. Never below 2.
int OutputRadix(int radix);

#include <cstddef>

// A rectangle on the screen: left and top inside, right and bottom outside.
struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
};

// The start-up position rule: the stored position (wx, wy) is used only when
// it lies on some monitor M of the list, at least 16 pixels inside its right
// and bottom edges: M.left <= wx < M.right - 16 and M.top <= wy < M.bottom -
// 16. With the one screen at (0, 0) this is: both coordinates at least 0 and
// more than 16 pixels left of the right edge and above the bottom edge. An
// empty list (or a null one) makes no position usable.
bool IsStoredPositionUsable(int wx, int wy, const ScreenRect *monitors, std::size_t count);

// The command-line switch for tray mode: "/t" or "-t", either case, at the
// very start of the text. A null text is no switch.
bool HasTraySwitch(const wchar_t *commandLine);
