// Minimal version: the slots are listed and saved but not evaluated yet; the
// evaluation with the expression engine comes with the slots issue.
#include "slots.h"

#include <cwchar>

#include "app_state.h"
#include "settings.h"

// Work buffer of the list-item shape: letter, marker, expression.
static wchar_t WorkBuffer[kEntryTextSize + 3];

static void FormListItem(int slot, const wchar_t *expression) {
  WorkBuffer[0] = static_cast<wchar_t>(L'A' + slot);
  WorkBuffer[1] = kSlotMarker;
  size_t length = wcsnlen(expression, kEntryTextSize - 1);
  wmemcpy(WorkBuffer + 2, expression, length);
  WorkBuffer[2 + length] = L'\0';
}

void LoadSlots() {
  ReadFirstPaintOptions();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    wchar_t expression[kEntryTextSize];
    ReadSlotExpression(slot, expression, kEntryTextSize);
    FormListItem(slot, expression);
    SendMessageW(Entry, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WorkBuffer));
  }
  WorkBuffer[0] = L'\0';
  LRESULT length = SendMessageW(Entry, CB_GETLBTEXTLEN, CurrentSlot, 0);
  if (length >= 0 && length < kEntryTextSize + 2) {
    SendMessageW(Entry, CB_GETLBTEXT, CurrentSlot, reinterpret_cast<LPARAM>(WorkBuffer));
  }
  SendMessageW(Entry, CB_LIMITTEXT, kEntryTextSize, 0);
  const wchar_t *expression = wcsnlen(WorkBuffer, 3) >= 2 ? WorkBuffer + 2 : L"";
  SetWindowTextW(Entry, expression);
  DWORD itemLength = static_cast<DWORD>(wcslen(WorkBuffer)) & 0xFFFF;
  PendingSelection = MAKELONG(itemLength, itemLength);
  wcsncpy(UndoText, expression, kEntryTextSize - 1);
  UndoText[kEntryTextSize - 1] = L'\0';
  SetFocus(Entry);
  RefocusPending = false;
  FirstPaint = false;
}

void EvaluateCurrentSlot() {
  PendingSelection = SavedSelection;
  wchar_t expression[kEntryTextSize];
  GetWindowTextW(Entry, expression, kEntryTextSize);
  FormListItem(CurrentSlot, expression);
  SendMessageW(Entry, CB_DELETESTRING, CurrentSlot, 0);
  SendMessageW(Entry, CB_INSERTSTRING, CurrentSlot, reinterpret_cast<LPARAM>(WorkBuffer));
  SendMessageW(Entry, CB_SETCURSEL, CurrentSlot, 0);
  SetWindowTextW(Entry, expression);
  SetFocus(Entry);
  wchar_t key[2] = {static_cast<wchar_t>(L'A' + CurrentSlot), L'\0'};
  WriteSettingText(kSlotsSection, key, expression);
  WriteSettingInt(kOptionsSection, L"Cbo", CurrentSlot);
}

void PickSlot() {
  if (Entry == nullptr) return;
  wchar_t text[kEntryTextSize];
  GetWindowTextW(Entry, text, kEntryTextSize);
  if (text[0] == L'\0' || text[1] != kSlotMarker) return;
  LRESULT selected = SendMessageW(Entry, CB_GETCURSEL, 0, 0);
  if (selected >= 0 && selected < kSlotCount) CurrentSlot = static_cast<int>(selected);
  SetWindowTextW(Entry, text + 2);
  PendingSelection = kCaretToEnd;
}
