#include "commands.h"

#include <cwchar>

#include "about_box.h"
#include "app_state.h"
#include "language.h"
#include "settings.h"

void FocusEntryAtEnd() {
  PendingSelection = kCaretToEnd;
  if (Entry != nullptr) SetFocus(Entry);
}

// --- Editing ---

void UndoEntry() {
  PendingSelection = SavedSelection;
  if (Entry == nullptr) return;
  wchar_t current[kEntryTextSize];
  current[0] = L'\0';
  GetWindowTextW(Entry, current, kEntryTextSize);
  UndoText[kEntryTextSize - 1] = L'\0';
  SetWindowTextW(Entry, UndoText);
  wcsncpy(UndoText, current, kEntryTextSize - 1);
  UndoText[kEntryTextSize - 1] = L'\0';
}

void CopyAnswer(HWND window) {
  if (Entry != nullptr) {
    wchar_t answer[kEntryTextSize];
    answer[0] = L'\0';
    GetDlgItemTextW(window, IDC_RESULT, answer, kEntryTextSize);
    wchar_t held[kEntryTextSize];
    held[0] = L'\0';
    GetWindowTextW(Entry, held, kEntryTextSize);
    SetWindowTextW(Entry, answer);
    // The whole text (end -1); with an empty answer the selection is empty
    // and the copy leaves the clipboard as it was.
    SendMessageW(Entry, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    SendMessageW(Entry, WM_COPY, 0, 0);
    SetWindowTextW(Entry, held);
  }
  PendingSelection = SavedSelection;
}

// --- Options ---

void ToggleTopmost(HWND window) {
  Top = Top ? 0 : 1;
  SetWindowPos(window, Top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
  WriteSettingInt(kOptionsSection, kKeyTop, Top);
}

// The items of the Radix popup are the choices in their order.
static_assert(IDM_LAST_RADIX - IDM_FIRST_RADIX + 1 == sizeof kRadixChoices / sizeof kRadixChoices[0]);

void SetRadix(int radix) {
  Radix = radix;
  WriteSettingInt(kOptionsSection, kKeyRadix, Radix);
  FocusEntryAtEnd();
}

void ChooseRadixItem(int id) {
  if (id >= IDM_FIRST_RADIX && id <= IDM_LAST_RADIX) SetRadix(kRadixChoices[id - IDM_FIRST_RADIX]);
}

void StepRadix() {
  // A stored radix other than these four stays as it is.
  const int count = IDM_LAST_RADIX - IDM_FIRST_RADIX + 1;
  int next = Radix;
  for (int i = 0; i < count; ++i) {
    if (kRadixChoices[i] == Radix) next = kRadixChoices[(i + 1) % count];
  }
  SetRadix(next);
}

void SetDegreeMode(int degrees) {
  DegreeMode = degrees ? 1 : 0;
  WriteSettingInt(kOptionsSection, kKeyDeg, DegreeMode);
  FocusEntryAtEnd();
}

void ToggleDegreeMode() { SetDegreeMode(DegreeMode ? 0 : 1); }

void ToggleBeep() {
  BeepOption = BeepOption ? 0 : 1;
  WriteSettingInt(kOptionsSection, kKeyBeep, BeepOption);
}

// --- Menus ---

static void GrayItem(int id, bool grayed) {
  EnableMenuItem(MainMenu, id, MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

static void CheckItem(int id, bool checked) {
  CheckMenuItem(MainMenu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void UpdateMenuStates() {
  if (Entry != nullptr) {
    SavedSelection = static_cast<DWORD>(SendMessageW(Entry, CB_GETEDITSEL, 0, 0));
  }
  if (MainMenu == nullptr) return;
  bool noSelection = LOWORD(SavedSelection) == HIWORD(SavedSelection);
  GrayItem(IDM_CUT, noSelection);
  GrayItem(IDM_COPY, noSelection);
  GrayItem(IDM_DELETE, noSelection);
  GrayItem(IDM_UNDO, UndoText[0] == L'\0');
  CheckItem(IDM_KEYPAD, View % 2 != 0);
  CheckItem(IDM_TOPMOST, Top == 1);
  CheckItem(IDM_TIME, Time == 1);
  for (int id = IDM_FIRST_RADIX; id <= IDM_LAST_RADIX; ++id) {
    CheckItem(id, Radix == kRadixChoices[id - IDM_FIRST_RADIX]);
  }
  CheckItem(IDM_RADIANS, DegreeMode == 0);
  CheckItem(IDM_DEGREES, DegreeMode == 1);
  CheckItem(IDM_BEEP, BeepOption == 1);
}

void OpenContextMenu(HWND window, LPARAM screenPosition) {
  if (EditPopup == nullptr) return;
  int x = static_cast<short>(LOWORD(screenPosition));
  int y = static_cast<short>(HIWORD(screenPosition));
  TrackPopupMenu(EditPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, window,
                 nullptr);
}

// --- About box ---

void ShowAboutBox(HWND window) {
  ShowDialogInLanguage(L"About", window, AboutDlgProc);
  FocusEntryAtEnd();
}
