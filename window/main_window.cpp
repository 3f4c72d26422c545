#include "main_window.h"

#include "app_state.h"
#include "clock.h"
#include "commands.h"
#include "help_launcher.h"
#include "keypad.h"
#include "result_field.h"
#include "settings.h"
#include "settings_report.h"
#include "slots.h"
#include "tray.h"

void ApplyView(HWND window) {
  // The menu bar is only detached, never destroyed: its Edit popup is also
  // the context menu.
  SetMenu(window, (View == 2 || View == 3) ? MainMenu : nullptr);
  HWND reference = GetDlgItem(window, (View % 2 != 0) ? IDM_EVALUATE : IDC_ENTRY);
  RECT referenceRect = {};
  RECT windowRect = {};
  if (reference == nullptr || !GetWindowRect(reference, &referenceRect)) return;
  if (!GetWindowRect(window, &windowRect)) return;
  SetWindowPos(window, nullptr, 0, 0, windowRect.right - windowRect.left,
               referenceRect.bottom - windowRect.top + 6, SWP_NOMOVE | SWP_NOZORDER);
}

void RunCommand(HWND window, int id) {
  switch (id) {
    case IDM_UNDO:
      UndoEntry();
      break;
    case IDM_CUT:
      if (Entry != nullptr) SendMessageW(Entry, WM_CUT, 0, 0);
      break;
    case IDM_COPY:
      if (Entry != nullptr) SendMessageW(Entry, WM_COPY, 0, 0);
      break;
    case IDM_PASTE:
      if (Entry != nullptr) SendMessageW(Entry, WM_PASTE, 0, 0);
      break;
    case IDM_DELETE:
      if (Entry != nullptr) SendMessageW(Entry, WM_CLEAR, 0, 0);
      break;
    case IDM_COPY_ANSWER:
      CopyAnswer(window);
      break;
    case IDM_KEYPAD:
      ToggleKeypad(window);
      break;
    case IDM_NEXT_VIEW:
      StepView(window);
      break;
    case IDM_TOPMOST:
      ToggleTopmost(window);
      break;
    case IDM_TIME:
      ToggleClock(window);
      break;
    case IDM_RADIX2:
      SetRadix(2);
      break;
    case IDM_RADIX8:
      SetRadix(8);
      break;
    case IDM_RADIX10:
      SetRadix(10);
      break;
    case IDM_RADIX16:
      SetRadix(16);
      break;
    case IDM_NEXT_RADIX:
      StepRadix();
      break;
    case IDM_RADIANS:
      SetDegreeMode(0);
      break;
    case IDM_DEGREES:
      SetDegreeMode(1);
      break;
    case IDM_TOGGLE_DEGREES:
      ToggleDegreeMode();
      break;
    case IDM_BEEP:
      ToggleBeep();
      break;
    case IDM_ABOUT:
      ShowAboutBox(window);
      break;
    case IDM_EVALUATE_KEY:
    case IDM_EVALUATE:
      // Before the first paint the list is still empty: nothing to evaluate.
      if (!FirstPaint) EvaluateCurrentSlot();
      break;
    case IDM_HELP_CONTENTS:
      OpenHelpContents(window);
      break;
    case IDM_TRAY_REMOVE:
    case IDM_RESTORE:
    case IDM_CLOSE:
      HandleTrayCommand(window, id);
      break;
    default:
      if (IsKeypadButton(window, id)) ApplyKeypadButton(window, id);
      break;
  }
}

static void OnMove(HWND window) {
  if (IsIconic(window)) {
    SetWindowTextW(window, TitleText);
    return;
  }
  // A move while the window is being created comes before the settings path
  // exists; InitMainWindow sets the title and position right afterwards.
  if (SettingsFile[0] == L'\0') return;
  RECT rect = {};
  GetWindowRect(window, &rect);
  WriteSettingInt(kOptionsSection, L"Wx", rect.left);
  WriteSettingInt(kOptionsSection, L"Wy", rect.top);
  if (Time) {
    wchar_t title[kClockTitleSize];
    SetWindowTextW(window, BuildClockTitle(title));
  }
}

static void OnPaint() {
  if (FirstPaint) {
    LoadSlots();
    // Start-up is over: a settings failure met on the way is told now.
    TellPendingSettingsFailure();
    return;
  }
  PaintResultField(GetDlgItem(MainWindow, IDC_RESULT), ResultText);
  if (RefocusPending) {
    PendingSelection = kCaretToEnd;
    SetFocus(Entry);
    RefocusPending = false;
  }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      RunCommand(window, LOWORD(wParam));
      break;
    case WM_INITMENUPOPUP:
      UpdateMenuStates();
      break;
    case WM_RBUTTONDOWN:
      OpenContextMenu(window, lParam);
      break;
    case WM_MOVE:
      OnMove(window);
      break;
    case WM_TIMER:
      if (!IsIconic(window)) {
        wchar_t title[kClockTitleSize];
        SetWindowTextW(window, BuildClockTitle(title));
      }
      break;
    case WM_ACTIVATE:
      if (wParam != 0 && HIWORD(lParam) == 0) RefocusPending = true;
      break;
    case WM_PAINT:
      // Only paints that belong to this window; a test may send one to a
      // window it made itself.
      if (window == MainWindow) OnPaint();
      break;
    case WM_TRAY_CALLBACK:
      HandleTrayCallback(window, wParam, lParam);
      break;
    case WM_SETTINGS_FAILED:
      TellSettingsFailure(window);
      break;
    case WM_DESTROY:
      KillTimer(window, IDT_CLOCK);
      DeleteTrayIcon(window);
      if (BeepOption) MessageBeep(MB_OK);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
