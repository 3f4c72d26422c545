#include "keypad.h"

#include <cwchar>

#include "app_state.h"
#include "entry_text.h"
#include "keypad_edit.h"

bool IsKeypadButton(HWND window, int id) {
  bool inRange = (id >= IDC_FIRST_CHARACTER_BUTTON && id <= IDC_LAST_CHARACTER_BUTTON) ||
                 (id >= IDC_FIRST_KEYPAD_COMMAND && id <= IDC_LAST_KEYPAD_COMMAND);
  if (!inRange) return false;
  HWND control = GetDlgItem(window, id);
  if (control == nullptr) return false;
  wchar_t className[16];
  if (GetClassNameW(control, className, 16) == 0) return false;
  return _wcsicmp(className, L"Button") == 0;
}

void ApplyKeypadButton(HWND window, int id) {
  if (State.Entry == nullptr) return;
  wchar_t textBuffer[kEntryTextSize];
  wchar_t captionBuffer[kEntryTextSize];
  std::u16string_view text = ReadControlText(State.Entry, textBuffer);
  std::u16string_view caption = ReadControlText(GetDlgItem(window, id), captionBuffer);
  DWORD selection = ReadLiveSelection();
  // The 16-bit halves as they are: 0xFFFF (the platform's -1) and 999 both lie
  // past any entry text, which ApplyKeypadEdit takes as the end.
  int start = LOWORD(selection);
  int end = HIWORD(selection);
  KeypadEdit edit = ApplyKeypadEdit(text, start, end, caption, id);

  if (edit.outcome == kKeypadRefused) {
    if (State.BeepOption) MessageBeep(MB_ICONEXCLAMATION);
  } else {
    KeepUndoText(edit.undoText);
    if (edit.outcome == kKeypadChanged) SetWindowTextW(State.Entry, AsWide(edit.text));
  }
  State.PendingSelection = MakeSelection(edit.selectionStart, edit.selectionEnd);
  SetFocus(State.Entry);
}
