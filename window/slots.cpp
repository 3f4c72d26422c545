#include "slots.h"

#include <cstring>
#include <cwchar>
#include <string_view>

#include "accessibility.h"
#include "app_state.h"
#include "engine.h"
#include "entry_text.h"
#include "language.h"
#include "result_field.h"
#include "settings.h"
#include "settings_values.h"
#include "slot_text.h"
#include "utf_conversion.h"

BOOL(WINAPI *PlayMessageSound)(UINT type) = MessageBeep;

// The line handed to the engine (letter, "=", blank, expression in UTF-8),
// which comes back holding the result text or the message.
static char LineBuffer[kLineBufferSize];

// Evaluates the expression of a slot as an assignment to its letter, which
// also stores the value (or 0) in that variable. On success with an output
// radix other than 10 the text is rewritten in that radix; on failure the
// engine's message gives way to the one of the interface language. Returns
// the engine's code; the result text or message is left in LineBuffer.
static int EvaluateSlotLine(int slot, std::u16string_view expression, int *stop) {
  BuildEngineLine(slot, expression, LineBuffer, sizeof LineBuffer);
  double value = 0;
  *stop = 0;
  int code = EvaluateLine(LineBuffer, &value, stop, State.DegreeMode != 0);
  LineBuffer[sizeof LineBuffer - 1] = '\0';
  if (code != kEvalOk) {
    const char *message = GetEvalMessage(code, CurrentLanguage());
    std::memcpy(LineBuffer, message, std::strlen(message) + 1);
  }
  int radix = OutputRadix(State.Radix);
  if (code == kEvalOk && radix != 10) {
    char radixText[kRadixTextSize];
    FormatRadix(value, radix, radixText);
    std::memcpy(LineBuffer, radixText, sizeof radixText);
  }
  return code;
}

// The result field's text and ResultText := the text in LineBuffer.
static void ShowLineAsResult() {
  ConvertUtf8ToUtf16(LineBuffer, reinterpret_cast<char16_t *>(State.ResultText), kEntryTextSize);
  SetWindowTextW(GetDlgItem(State.MainWindow, IDC_RESULT), State.ResultText);
  AnnounceResultChange();
}

// Hidden and shown again, the field is repainted through the main window's
// paint handler.
static void RepaintResultField() {
  HWND field = GetDlgItem(State.MainWindow, IDC_RESULT);
  ShowWindow(field, SW_HIDE);
  ShowWindow(field, SW_SHOW);
}

void RetellResultMessage() {
  // A failed current slot at start leaves the field empty: nothing to retell.
  if (State.LastEvalFailed == kEvalOk || State.ResultText[0] == L'\0') return;
  const char *message = GetEvalMessage(State.LastEvalFailed, CurrentLanguage());
  std::memcpy(LineBuffer, message, std::strlen(message) + 1);
  ShowLineAsResult();
  RepaintResultField();
}

void LoadSlots() {
  ReadFirstPaintOptions();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    // One character more than a slot holds, so that a longer stored value
    // is cut by LimitSlotExpression, which never splits a surrogate pair.
    wchar_t stored[kEntryTextSize + 1];
    ReadSlotExpression(slot, stored, kEntryTextSize + 1);
    std::u16string_view expression = LimitSlotExpression(AsText(stored, wcslen(stored)));
    char16_t item[kListItemSize];
    BuildListItem(slot, expression, item, kListItemSize);
    SendMessageW(State.Entry, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(item)));
    int stop = 0;
    int code = EvaluateSlotLine(slot, expression, &stop);
    if (slot == State.CurrentSlot) {
      // A failing current slot leaves the result field empty.
      State.LastEvalFailed = code;
      if (code == kEvalOk) {
        ShowLineAsResult();
        PaintResultField(GetDlgItem(State.MainWindow, IDC_RESULT), State.ResultText);
      }
    }
  }

  // The current slot's list item; its expression goes to the entry.
  wchar_t item[kEntryTextSize + 2] = L"";
  LRESULT itemLength = SendMessageW(State.Entry, CB_GETLBTEXTLEN, State.CurrentSlot, 0);
  if (itemLength >= 0 && itemLength < kEntryTextSize + 2) {
    SendMessageW(State.Entry, CB_GETLBTEXT, State.CurrentSlot, reinterpret_cast<LPARAM>(item));
  } else {
    itemLength = 0;
  }
  // Every read of the entry takes at most 255 characters, so the typing limit
  // is 255 too: a 256th character would be dropped by the next read.
  SendMessageW(State.Entry, CB_LIMITTEXT, kEntryTextSize - 1, 0);
  // The expression part lies in item, after the letter and the marker.
  std::u16string_view expression = GetListItemExpression(AsText(item, wcslen(item)));
  SetWindowTextW(State.Entry, expression.empty() ? L"" : AsWide(expression.data()));
  // Past the end of the expression: the caret lands at its end.
  State.PendingSelection =
      MakeSelection(static_cast<DWORD>(itemLength), static_cast<DWORD>(itemLength));
  KeepUndoText(expression);
  SetFocus(State.Entry);
  State.RefocusPending = false;
  State.FirstPaint = false;
  StartAccessibilityLater(State.MainWindow);
}

void EvaluateCurrentSlot() {
  // The caret goes back to where it is now: the "=" button and the typed "="
  // come without a refresh of SavedSelection.
  State.PendingSelection = ReadLiveSelection();
  int slot = CheckSlotIndex(State.CurrentSlot);

  wchar_t entryText[kEntryTextSize];
  std::u16string_view expression = LimitSlotExpression(ReadControlText(State.Entry, entryText));
  entryText[expression.size()] = L'\0';
  char16_t item[kListItemSize];
  BuildListItem(slot, expression, item, kListItemSize);

  // The list item of the slot is replaced in place; selecting it puts the
  // item's text into the edit field, so the expression is set back after it.
  SendMessageW(State.Entry, CB_DELETESTRING, slot, 0);
  SendMessageW(State.Entry, CB_INSERTSTRING, slot, reinterpret_cast<LPARAM>(AsWide(item)));
  SendMessageW(State.Entry, CB_SETCURSEL, slot, 0);
  SetWindowTextW(State.Entry, entryText);
  SetFocus(State.Entry);

  wchar_t key[2] = {static_cast<wchar_t>(GetSlotLetter(slot)), L'\0'};
  WriteSettingText(kSlotsSection, key, entryText);
  WriteSettingInt(kOptionsSection, kKeyCbo, slot);

  int stop = 0;
  int code = EvaluateSlotLine(slot, expression, &stop);
  State.LastEvalFailed = code;
  if (code != kEvalOk) {
    // The stop position counts the normalised text, without blanks.
    State.PendingSelection = MakeCaretFromStop(stop);
    if (State.BeepOption) PlayMessageSound(MB_ICONEXCLAMATION);
  } else if (State.BeepOption) {
    PlayMessageSound(MB_OK);
  }

  ShowLineAsResult();
  RepaintResultField();
}

void PickSlot() {
  if (State.Entry == nullptr) return;
  wchar_t entryText[kEntryTextSize];
  std::u16string_view text = ReadControlText(State.Entry, entryText);
  if (!IsListItem(text)) return;
  LRESULT selected = SendMessageW(State.Entry, CB_GETCURSEL, 0, 0);
  // No selected item (a marker typed by hand with nothing chosen): the
  // current slot stays.
  if (selected >= 0 && selected < kSlotCount) State.CurrentSlot = static_cast<int>(selected);
  // The expression runs to the end of entryText, so it ends with its NUL.
  SetWindowTextW(State.Entry, AsWide(GetListItemExpression(text).data()));
  State.PendingSelection = kCaretToEnd;
}
