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
  wmemcpy(UndoText, AsWide(text.data()), length);
  UndoText[length] = L'\0';
}

DWORD ReadLiveSelection() {
  if (PendingSelection != kNoPendingSelection) {
    SavedSelection = PendingSelection;
  } else if (Entry != nullptr) {
    SavedSelection = static_cast<DWORD>(SendMessageW(Entry, CB_GETEDITSEL, 0, 0));
  }
  return SavedSelection;
}
