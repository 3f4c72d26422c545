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

// The start-up position rule: the stored position is used only when both
// coordinates are at least 0 and lie more than 16 pixels left of the desktop's
// right edge and above its bottom edge.
bool IsStoredPositionUsable(int wx, int wy, int desktopRight, int desktopBottom);

// The command-line switch for tray mode: "/t" or "-t", either case, at the
// very start of the text. A null text is no switch.
bool HasTraySwitch(const wchar_t *commandLine);
