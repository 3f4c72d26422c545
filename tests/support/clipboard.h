// The clipboard's Unicode text, read and written the way a second program
// would: for the in-process tests and the end-to-end tests alike.
#pragma once

#include <string>

// The clipboard's text ("" when it holds none), or "<clipboard busy>" when
// it cannot be opened.
std::wstring ReadClipboard();

// Puts text on the clipboard in place of everything there; false when the
// clipboard cannot be opened or the data not set.
bool WriteClipboard(const std::wstring &text);
