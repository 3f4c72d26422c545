// The four views: keypad shown or not (bit 0 of View), menu bar attached or
// not (bit 1), and the window's height that follows from them.
#pragma once

#include <windows.h>

// Makes the window match View: menu bar in views 2 and 3, bottom edge 6
// pixels (at 96 DPI, scaled to the window's resolution) below the "="
// button (odd views) or the entry (even views), the client area as wide as
// the template at that resolution. No control is hidden: the keypad is cut
// off by the height.
void ApplyView(HWND window);

// Command IDM_KEYPAD: the keypad on or off.
void ToggleKeypad(HWND window);

// Command IDM_NEXT_VIEW (Ctrl+A): views 0, 1, 2, 3, 0, ...
void StepView(HWND window);
