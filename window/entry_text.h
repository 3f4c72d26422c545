// Reading and keeping the entry's texts: control texts into fixed buffers,
// the undo text, the entry's selection as the user sees it, and the focus
// with the caret at the end. The window's wchar_t text and the portable
// logic's char16_t text have the same layout.
#pragma once

#include <windows.h>

#include <string_view>

#include "app_state.h"

inline std::u16string_view AsText(const wchar_t *text, size_t length) {
  return std::u16string_view(reinterpret_cast<const char16_t *>(text), length);
}
inline const wchar_t *AsWide(const char16_t *text) {
  return reinterpret_cast<const wchar_t *>(text);
}

// Reads a control's window text into buffer: at most kEntryTextSize - 1
// characters, NUL-terminated ("" when there is none). Returns the text read.
std::u16string_view ReadControlText(HWND control, wchar_t (&buffer)[kEntryTextSize]);

// UndoText := text, cut to kEntryTextSize - 1 characters.
void KeepUndoText(std::u16string_view text);

// The entry's selection as the user sees it now: a selection that a command
// has left pending and the loop has not applied yet, otherwise the entry's
// own. The loop refreshes SavedSelection only on messages addressed to the
// main window, so after typing in the entry, or a click from the entry
// straight onto a button, the saved value would be the caret of before; the
// entry keeps its selection while a button has the focus, so it is read
// here. The value also becomes SavedSelection.
DWORD ReadLiveSelection();

// The entry gets the focus and the caret goes to the end of its text at the
// next loop turn.
void FocusEntryAtEnd();
