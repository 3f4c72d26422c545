#include "main_window.h"

#include "accessibility.h"
#include "app_state.h"
#include "clock.h"
#include "commands.h"
#include "dpi_layout.h"
#include "entry_text.h"
#include "help_launcher.h"
#include "keypad.h"
#include "language_switch.h"
#include "result_field.h"
#include "settings.h"
#include "settings_report.h"
#include "slots.h"
#include "theme.h"
#include "tray.h"
#include "views.h"

void RunCommand(HWND window, int id) {
  switch (id) {
    case IDM_UNDO:
      UndoEntry();
      break;
    case IDM_CUT:
      if (State.Entry != nullptr) SendMessageW(State.Entry, WM_CUT, 0, 0);
      break;
    case IDM_COPY:
      if (State.Entry != nullptr) SendMessageW(State.Entry, WM_COPY, 0, 0);
      break;
    case IDM_PASTE:
      if (State.Entry != nullptr) SendMessageW(State.Entry, WM_PASTE, 0, 0);
      break;
    case IDM_DELETE:
      if (State.Entry != nullptr) SendMessageW(State.Entry, WM_CLEAR, 0, 0);
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
    case IDM_LANGUAGE:
      SwitchLanguage(window);
      break;
    case IDM_THEME_SYSTEM:
    case IDM_THEME_LIGHT:
    case IDM_THEME_DARK:
      ChooseThemeItem(window, id);
      break;
    case IDM_RADIX2:
    case IDM_RADIX8:
    case IDM_RADIX10:
    case IDM_RADIX16:
      ChooseRadixItem(id);
      break;
    case IDM_NEXT_RADIX:
      StepRadix();
      break;
    case IDM_RADIANS:
    case IDM_DEGREES:
      SetDegreeMode(id == IDM_DEGREES ? 1 : 0);
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
      if (!State.FirstPaint) EvaluateCurrentSlot();
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
    SetWindowTextW(window, State.TitleText);
    return;
  }
  // A move while the window is being created comes before the settings path
  // exists; InitMainWindow sets the title and position right afterwards.
  if (Paths.SettingsFile[0] == L'\0') return;
  RECT rect = {};
  GetWindowRect(window, &rect);
  WriteSettingInt(kOptionsSection, kKeyWx, rect.left);
  WriteSettingInt(kOptionsSection, kKeyWy, rect.top);
  if (State.Time) ShowClockTitle(window);
}

// Activation (after the default handling, which gives the keyboard focus to
// the main window itself): the entry takes the focus at once, with the caret
// at the end. Uncovering a window repaints nothing under desktop composition,
// so waiting for a paint would leave the focus where typing goes nowhere. A
// window activated while minimised gets the focus at the paint that comes
// with its restore.
static void OnActivate(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) return;
  if (HIWORD(wParam) != 0 || IsIconic(window)) {
    State.RefocusPending = true;
    return;
  }
  State.RefocusPending = false;
  FocusEntryAtEnd();
}

static void OnPaint() {
  if (State.FirstPaint) {
    LoadSlots();
    // Start-up is over: a settings failure met on the way is told now.
    TellPendingSettingsFailure();
    return;
  }
  PaintResultField(GetDlgItem(State.MainWindow, IDC_RESULT), State.ResultText);
  if (State.RefocusPending) {
    State.PendingSelection = kCaretToEnd;
    SetFocus(State.Entry);
    State.RefocusPending = false;
  }
}

// Every message goes on to DefWindowProcW with its parameters unchanged,
// the handled ones too (WM_ACTIVATE before its own handling, so that the
// entry keeps the focus); only WM_DESTROY, WM_DPICHANGED, an answered
// WM_GETDPISCALEDSIZE and, in the dark look only, the erase, control-colour
// and custom-draw messages return on their own.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The taskbar was created anew (the shell restarted): its icons are gone.
  if (message == GetTaskbarCreatedMessage() && message != 0) RestoreTrayIcon(window);
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
      if (wParam == IDT_ACCESSIBILITY) {
        OnAccessibilityTimer(window);
      } else {
        OnClockTimer(window);
      }
      break;
    case WM_ACTIVATE: {
      LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      OnActivate(window, wParam);
      return result;
    }
    case WM_PAINT:
      // Only paints that belong to this window; a test may send one to a
      // window it made itself.
      if (window == State.MainWindow) OnPaint();
      break;
    case WM_DPICHANGED:
      // The window places and sizes itself; a window that handles the
      // message returns 0 instead of leaving it to the default handling.
      if (ChangeWindowDpi(window, wParam, lParam)) ApplyView(window);
      return 0;
    case WM_GETDPISCALEDSIZE:
      // TRUE tells the system to take the size written; the default answer
      // (FALSE) would scale the old size linearly, frame and all.
      if (ComputeDpiScaledSize(window, wParam, lParam)) return TRUE;
      break;
    case WM_SIZE:
      FinishPendingDpiChange(window, wParam);
      break;
    case WM_DPI_FIT:
      ApplyView(window);
      break;
    case WM_NCDESTROY:
      // After the controls are gone: nothing draws with the fonts any more.
      EndWindowDpi(window);
      break;
    case WM_ERASEBKGND:
      if (EraseDarkBackground(window, reinterpret_cast<HDC>(wParam))) return 1;
      break;
    // The main window is no dialog (DefWindowProcW, not DefDlgProcW, gets
    // its messages), so WM_CTLCOLORDLG never comes; the combo box passes its
    // edit field's and its list's colour messages on to this window.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = ColorDarkControl(reinterpret_cast<HDC>(wParam), true)) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (DrawDarkButton(reinterpret_cast<const NMHDR *>(lParam), &result)) return result;
      break;
    }
    case WM_SETTINGCHANGE:
      OnThemeSettingChange(window, lParam);
      break;
    case WM_SYSCOLORCHANGE:
      OnSystemColorChange(window);
      break;
    case WM_TRAY_CALLBACK:
      HandleTrayCallback(window, wParam, lParam);
      break;
    case WM_SETTINGS_FAILED:
      TellSettingsFailure(window);
      break;
    case WM_DESTROY:
      StopClock(window);
      DeleteTrayIcon(window);
      StopAccessibility(window);
      if (State.BeepOption) MessageBeep(MB_OK);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
