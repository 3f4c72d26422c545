#include "keypad.h"

#include <cwchar>
#include <string>

#include "app_state.h"
#include "entry_text.h"
#include "keypad_edit.h"

bool IsKeypadButton(HWND window, int id) {
  bool inRange = (id >= 32 && id <= 126) || (id >= kFirstFunctionId && id <= kLastFunctionId);
  if (!inRange) return false;
  HWND control = GetDlgItem(window, id);
  if (control == nullptr) return false;
  wchar_t className[16];
  if (GetClassNameW(control, className, 16) == 0) return false;
  return _wcsicmp(className, L"Button") == 0;
}

// A text read from a control into a 256-character buffer, as UTF-16.
static std::u16string ReadControlText(HWND control) {
  wchar_t text[kEntryTextSize];
  text[0] = L'\0';
  GetWindowTextW(control, text, kEntryTextSize);
  return std::u16string(reinterpret_cast<const char16_t *>(text), wcsnlen(text, kEntryTextSize - 1));
}

static void KeepUndoText(const std::u16string &text) {
  size_t length = text.size() < kEntryTextSize - 1 ? text.size() : kEntryTextSize - 1;
  wmemcpy(UndoText, reinterpret_cast<const wchar_t *>(text.data()), length);
  UndoText[length] = L'\0';
}

static DWORD PackSelection(int start, int end) {
  return MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end));
}

void ApplyKeypadButton(HWND window, int id) {
  if (Entry == nullptr) return;
  std::u16string text = ReadControlText(Entry);
  std::u16string caption = ReadControlText(GetDlgItem(window, id));
  DWORD selection = ReadLiveSelection();
  // The 16-bit halves as they are: 0xFFFF (the platform's -1) and 999 both lie
  // past any entry text, which ApplyKeypadEdit takes as the end.
  int start = LOWORD(selection);
  int end = HIWORD(selection);
  KeypadEdit edit = ApplyKeypadEdit(text, start, end, caption, id);

  if (edit.outcome == kKeypadRefused) {
    if (BeepOption) MessageBeep(MB_ICONEXCLAMATION);
    PendingSelection = PackSelection(edit.selectionStart, edit.selectionEnd);
  } else {
    KeepUndoText(edit.undoText);
    if (edit.outcome == kKeypadChanged) {
      SetWindowTextW(Entry, reinterpret_cast<const wchar_t *>(edit.text.c_str()));
    }
    PendingSelection = PackSelection(edit.selectionStart, edit.selectionEnd);
  }
  SetFocus(Entry);
}
