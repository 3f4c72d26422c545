// Drawing of the result field (control 1011): results in the large face,
// messages in the default font, on an opaque band.
#pragma once

#include <windows.h>

// Paints text into the field's own paint cycle: Arial Black at 20 pixels when
// LastEvalFailed is 0, otherwise the device context's default font. The font
// is created and deleted within the call. text is drawn up to its first NUL,
// at most 255 characters.
void PaintResultField(HWND field, const wchar_t *text);

// The font of successful results: a zeroed description with only the face
// name "Arial Black" and the height 20.
LOGFONTW MakeResultFont();
