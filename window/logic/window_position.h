// Where the window may start: the stored position is used only on a screen
// that shows it. Portable: no platform header, tested natively.
#pragma once

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
