// Pixel geometry at a resolution: the window's own pixel sizes (the result
// font, the text's offset, the margin below the keypad) are given for 96
// dots per inch and scaled; the controls come from the dialog template,
// whose units turn into pixels through the base units of the dialog font
// realised at that resolution, the way the dialog manager places them when
// it creates the window.
//
// Portable: no platform header.
#pragma once

// The resolution the pixel sizes are given for.
inline constexpr int kDesignDpi = 96;

// The resolutions the window is laid out for: 50 % to 500 %, the largest
// scale the system offers.
inline constexpr int kMinDpi = 48;
inline constexpr int kMaxDpi = 480;

// value * dpi / 96, rounded to the nearest whole pixel (halves away from
// zero, as the platform's MulDiv rounds). A dpi of 0 or below (the
// resolution could not be read) counts as 96; a result beyond the int range
// stays at its edge.
int ScaleForDpi(int value, int dpi);

// A resolution reported by the system, made usable: 0 or below (nothing
// usable) gives 0, so that the caller keeps what it has; other values are
// held within kMinDpi..kMaxDpi.
int ClampDpi(int dpi);

// The dialog font's base units: x is the average width of the 52 letters
// A-Z and a-z, rounded as the dialog manager rounds it, from the width of
// the whole run of letters; y is the font's character height.
struct DialogBaseUnits {
  int x;
  int y;
};
DialogBaseUnits ComputeBaseUnits(int alphabetWidth, int characterHeight);

// The font height (negative: the em height in pixels) of a template font of
// pointSize points at dpi.
int ComputeDialogFontHeight(int pointSize, int dpi);

struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};
// A rectangle of the template (x, y, width, height in dialog units) in
// client pixels: each of the four numbers scaled on its own, x and width by
// base.x / 4, y and height by base.y / 8.
PixelRect MapDialogUnits(int x, int y, int width, int height, DialogBaseUnits base);

// The window's outer size for a view: the client area as wide as the
// template (clientWidth), the outer bottom edge 6 pixels (at 96 DPI) below
// the reference control's bottom (in client coordinates), with the frame,
// caption and menu bar around the client area given as insets.
struct PixelSize {
  int width;
  int height;
};
PixelSize ComputeViewWindowSize(int clientWidth, int referenceBottom, PixelRect insets, int dpi);
