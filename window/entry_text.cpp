#include "entry_text.h"

#include <cwchar>

std::u16string_view ReadControlText(HWND control, wchar_t (&buffer)[kEntryTextSize]) {
  buffer[0] = L'\0';
  int length = control != nullptr ? GetWindowTextW(control, buffer, kEntryTextSize) : 0;
  if (length < 0) length = 0;
  if (length >= kEntryTextSize) length = kEntryTextSize - 1;
  buffer[length] = L'\0';
  return AsText(buffer, static_cast<size_t>(length));
}

void KeepUndoText(std::u16string_view text) {
  size_t length = text.size() < kEntryTextSize - 1 ? text.size() : kEntryTextSize - 1;
  wmemcpy(State.UndoText, AsWide(text.data()), length);
  State.UndoText[length] = L'\0';
}

DWORD ReadLiveSelection() {
  if (State.PendingSelection != kNoPendingSelection) {
    State.SavedSelection = State.PendingSelection;
  } else if (State.Entry != nullptr) {
    State.SavedSelection = static_cast<DWORD>(SendMessageW(State.Entry, CB_GETEDITSEL, 0, 0));
  }
  return State.SavedSelection;
}

void FocusEntryAtEnd() {
  State.PendingSelection = kCaretToEnd;
  if (State.Entry != nullptr) SetFocus(State.Entry);
}
