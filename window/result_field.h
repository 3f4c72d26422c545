// Drawing of the result field (control 1011): results in the large face,
// messages in the default font, on an opaque band in the theme's window
// colours. Pixel sizes are given for 96 DPI and scaled to the window's resolution
// (WindowDpi), which follows the monitor the window is on.
#pragma once

#include <windows.h>

// Paints text into the field's own paint cycle: Arial Black at 20 pixels when
// LastEvalFailed is 0, otherwise the device context's default font, or the
// field's own (dialog) font when the default font lacks a glyph of the
// message. The text starts 3 pixels from the left and 1 from the top. Fonts
// created here are deleted within the call. text is drawn up to its first
// NUL, at most 255 characters.
void PaintResultField(HWND field, const wchar_t *text);

// The font of successful results: a zeroed description with only the face
// name "Arial Black" and the height, 20 pixels at 96 DPI scaled to dpi.
LOGFONTW MakeResultFont(int dpi);

// Stands for the device context's default font when it is not nullptr: tests
// put a font without Japanese glyphs here, as the default font of a system
// in another language has. Always nullptr in the program.
extern HFONT ForcedDefaultFont;
