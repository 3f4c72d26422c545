#include "commands.h"

#include "about_box.h"
#include "app_state.h"
#include "entry_text.h"
#include "language.h"
#include "settings.h"
#include "theme.h"

// --- Editing ---

void UndoEntry() {
  State.PendingSelection = State.SavedSelection;
  if (State.Entry == nullptr) return;
  wchar_t current[kEntryTextSize];
  std::u16string_view text = ReadControlText(State.Entry, current);
  SetWindowTextW(State.Entry, State.UndoText);
  KeepUndoText(text);
}

void CopyAnswer(HWND window) {
  if (State.Entry != nullptr) {
    wchar_t answer[kEntryTextSize];
    ReadControlText(GetDlgItem(window, IDC_RESULT), answer);
    wchar_t held[kEntryTextSize];
    ReadControlText(State.Entry, held);
    SetWindowTextW(State.Entry, answer);
    // The whole text (end -1); with an empty answer the selection is empty
    // and the copy leaves the clipboard as it was.
    SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    SendMessageW(State.Entry, WM_COPY, 0, 0);
    SetWindowTextW(State.Entry, held);
  }
  State.PendingSelection = State.SavedSelection;
}

// --- Options ---

void ToggleTopmost(HWND window) {
  State.Top = State.Top ? 0 : 1;
  SetWindowPos(window, State.Top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
  WriteSettingInt(kOptionsSection, kKeyTop, State.Top);
}

// The items of the Radix popup are the choices in their order.
static_assert(IDM_LAST_RADIX - IDM_FIRST_RADIX + 1 == sizeof kRadixChoices / sizeof kRadixChoices[0]);

void SetRadix(int radix) {
  State.Radix = radix;
  WriteSettingInt(kOptionsSection, kKeyRadix, State.Radix);
  FocusEntryAtEnd();
}

void ChooseRadixItem(int id) {
  if (id >= IDM_FIRST_RADIX && id <= IDM_LAST_RADIX) SetRadix(kRadixChoices[id - IDM_FIRST_RADIX]);
}

void StepRadix() {
  // A stored radix other than these four stays as it is.
  const int count = IDM_LAST_RADIX - IDM_FIRST_RADIX + 1;
  int next = State.Radix;
  for (int i = 0; i < count; ++i) {
    if (kRadixChoices[i] == State.Radix) next = kRadixChoices[(i + 1) % count];
  }
  SetRadix(next);
}

void SetDegreeMode(int degrees) {
  State.DegreeMode = degrees ? 1 : 0;
  WriteSettingInt(kOptionsSection, kKeyDeg, State.DegreeMode);
  FocusEntryAtEnd();
}

void ToggleDegreeMode() { SetDegreeMode(State.DegreeMode ? 0 : 1); }

void ToggleBeep() {
  State.BeepOption = State.BeepOption ? 0 : 1;
  WriteSettingInt(kOptionsSection, kKeyBeep, State.BeepOption);
}

// --- Menus ---

static void GrayItem(int id, bool grayed) {
  EnableMenuItem(State.MainMenu, id, MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

static void CheckItem(int id, bool checked) {
  CheckMenuItem(State.MainMenu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void UpdateMenuStates() {
  if (State.Entry != nullptr) {
    State.SavedSelection = static_cast<DWORD>(SendMessageW(State.Entry, CB_GETEDITSEL, 0, 0));
  }
  if (State.MainMenu == nullptr) return;
  bool noSelection = LOWORD(State.SavedSelection) == HIWORD(State.SavedSelection);
  GrayItem(IDM_CUT, noSelection);
  GrayItem(IDM_COPY, noSelection);
  GrayItem(IDM_DELETE, noSelection);
  GrayItem(IDM_UNDO, State.UndoText[0] == L'\0');
  CheckItem(IDM_KEYPAD, State.View % 2 != 0);
  CheckItem(IDM_TOPMOST, State.Top == 1);
  CheckItem(IDM_TIME, State.Time == 1);
  for (int id = IDM_FIRST_RADIX; id <= IDM_LAST_RADIX; ++id) {
    CheckItem(id, State.Radix == kRadixChoices[id - IDM_FIRST_RADIX]);
  }
  CheckItem(IDM_RADIANS, State.DegreeMode == 0);
  CheckItem(IDM_DEGREES, State.DegreeMode == 1);
  CheckItem(IDM_BEEP, State.BeepOption == 1);
  CheckMenuRadioItem(State.MainMenu, IDM_FIRST_THEME, IDM_LAST_THEME,
                     IDM_FIRST_THEME + static_cast<int>(CurrentThemeChoice()), MF_BYCOMMAND);
  // Where the buttons cannot be drawn dark the window is never half-dark.
  GrayItem(IDM_THEME_DARK, !IsDarkLookAvailable());
}

void OpenContextMenu(HWND window, LPARAM screenPosition) {
  if (State.EditPopup == nullptr) return;
  int x = static_cast<short>(LOWORD(screenPosition));
  int y = static_cast<short>(HIWORD(screenPosition));
  TrackPopupMenu(State.EditPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, window,
                 nullptr);
}

// --- About box ---

void ShowAboutBox(HWND window) {
  ShowDialogInLanguage(L"About", window, AboutDlgProc);
  FocusEntryAtEnd();
}
