#include "settings_report.h"

#include <cwchar>

#include "app_state.h"
#include "language.h"

int(WINAPI *ShowSettingsMessage)(HWND owner, const wchar_t *text, const wchar_t *title,
                                 UINT type) = MessageBoxW;

// A failure is waiting to be told; the box was shown (or is up): never again
// this run.
static bool SettingsFailurePending = false;
static bool SettingsFailureTold = false;

bool IsSettingsFailurePending() { return SettingsFailurePending; }

void ResetSettingsReport() {
  SettingsFailurePending = false;
  SettingsFailureTold = false;
}

void NoteSettingsFailure() {
  if (SettingsFailureTold || SettingsFailurePending) return;
  SettingsFailurePending = true;
  // Once the window has been painted the loop is running: tell it from there,
  // never from inside the handler whose write failed (a window move, say).
  if (!State.FirstPaint) TellPendingSettingsFailure();
}

void TellPendingSettingsFailure() {
  if (SettingsFailurePending && !SettingsFailureTold && State.MainWindow != nullptr) {
    PostMessageW(State.MainWindow, WM_SETTINGS_FAILED, 0, 0);
  }
}

void TellSettingsFailure(HWND window) {
  if (SettingsFailureTold || !SettingsFailurePending) return;
  // Set before the box: writes that fail while it is up (the window moved
  // behind it) must not open a second one.
  SettingsFailureTold = true;
  SettingsFailurePending = false;
  // The path (up to 32 767 characters) and the sentences around it.
  static wchar_t text[kLongPathSize + 256];
  swprintf(text, sizeof text / sizeof text[0],
           reinterpret_cast<const wchar_t *>(GetSettingsFailureFormat(CurrentLanguage())),
           Paths.SettingsFile);
  ShowSettingsMessage(window, text, State.TitleText, MB_OK | MB_ICONEXCLAMATION);
  // Typing goes on in the entry, with the caret where it was.
  State.PendingSelection = State.SavedSelection;
  if (State.Entry != nullptr) SetFocus(State.Entry);
}
