// Pixel sizes of the window's own drawing (the result font, the text's
// offset, the margin below the keypad) are given for 96 dots per inch and
// scaled to the screen's resolution, so that they grow with the dialog.
//
// Portable: no platform header.
#pragma once

// The resolution the pixel sizes are given for.
inline constexpr int kDesignDpi = 96;

// value * dpi / 96, rounded to the nearest whole pixel (halves away from
// zero, as the platform's MulDiv rounds). A dpi of 0 or below (the
// resolution could not be read) counts as 96; a result beyond the int range
// stays at its edge.
int ScaleForDpi(int value, int dpi);
