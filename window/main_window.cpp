#include "main_window.h"

#include "about_box.h"
#include "app_state.h"
#include "clock.h"
#include "help_launcher.h"
#include "result_field.h"
#include "settings.h"
#include "slots.h"

void ApplyView(HWND window) {
  SetMenu(window, (View == 2 || View == 3) ? MainMenu : nullptr);
  HWND reference = GetDlgItem(window, (View % 2 != 0) ? IDM_EVALUATE : IDC_ENTRY);
  RECT referenceRect = {};
  RECT windowRect = {};
  GetWindowRect(reference, &referenceRect);
  GetWindowRect(window, &windowRect);
  SetWindowPos(window, nullptr, 0, 0, windowRect.right - windowRect.left,
               referenceRect.bottom - windowRect.top + 6, SWP_NOMOVE | SWP_NOZORDER);
}

// Command dispatch. Only the commands needed to run stand here so far; the
// editing, view, radix, angle and option commands arrive with the window
// commands, the tray commands with the tray icon.
void RunCommand(HWND window, int id) {
  switch (id) {
    case IDM_EVALUATE_KEY:
    case IDM_EVALUATE:
      EvaluateCurrentSlot();
      break;
    case IDM_HELP_CONTENTS:
      ShowHelp(window, HelpFile, 1, 0);
      SetFocus(Entry);
      break;
    case IDM_ABOUT:
      DialogBoxParamW(Instance, L"About", window, AboutDlgProc, 0);
      SetFocus(Entry);
      PendingSelection = kCaretToEnd;
      break;
    default:
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
    case WM_DESTROY:
      KillTimer(window, IDT_CLOCK);
      if (BeepOption) MessageBeep(MB_OK);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
