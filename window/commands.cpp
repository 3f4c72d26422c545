#include "commands.h"

#include <cwchar>

#include "about_box.h"
#include "app_state.h"
#include "clock.h"
#include "main_window.h"
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

// --- Views and options ---

void ToggleKeypad(HWND window) {
  View ^= 1;
  ApplyView(window);
  WriteSettingInt(kOptionsSection, L"View", View);
  FocusEntryAtEnd();
}

void StepView(HWND window) {
  View = (View >= 0 && View < 3) ? View + 1 : 0;
  ApplyView(window);
  WriteSettingInt(kOptionsSection, L"View", View);
  FocusEntryAtEnd();
}

void ToggleTopmost(HWND window) {
  Top = Top ? 0 : 1;
  SetWindowPos(window, Top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
  WriteSettingInt(kOptionsSection, L"Top", Top);
}

void ToggleClock(HWND window) {
  Time = Time ? 0 : 1;
  if (Time) {
    SetTimer(window, IDT_CLOCK, 30000, nullptr);
    wchar_t title[kClockTitleSize];
    SetWindowTextW(window, BuildClockTitle(title));
  } else {
    KillTimer(window, IDT_CLOCK);
    SetWindowTextW(window, TitleText);
  }
  WriteSettingInt(kOptionsSection, L"Time", Time);
}

void SetRadix(int radix) {
  Radix = radix;
  WriteSettingInt(kOptionsSection, L"Radix", Radix);
  FocusEntryAtEnd();
}

void StepRadix() {
  // A stored radix other than these four stays as it is.
  int next = Radix;
  switch (Radix) {
    case 2: next = 8; break;
    case 8: next = 10; break;
    case 10: next = 16; break;
    case 16: next = 2; break;
    default: break;
  }
  SetRadix(next);
}

void SetDegreeMode(int degrees) {
  DegreeMode = degrees ? 1 : 0;
  WriteSettingInt(kOptionsSection, L"Deg", DegreeMode);
  FocusEntryAtEnd();
}

void ToggleDegreeMode() { SetDegreeMode(DegreeMode ? 0 : 1); }

void ToggleBeep() {
  BeepOption = BeepOption ? 0 : 1;
  WriteSettingInt(kOptionsSection, L"Beep", BeepOption);
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
  CheckItem(IDM_RADIX2, Radix == 2);
  CheckItem(IDM_RADIX8, Radix == 8);
  CheckItem(IDM_RADIX10, Radix == 10);
  CheckItem(IDM_RADIX16, Radix == 16);
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
  DialogBoxParamW(Instance, L"About", window, AboutDlgProc, 0);
  FocusEntryAtEnd();
}
