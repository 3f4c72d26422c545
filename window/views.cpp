#include "views.h"

#include "app_state.h"
#include "commands.h"
#include "dpi_layout.h"
#include "dpi_scale.h"
#include "settings.h"

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
               referenceRect.bottom - windowRect.top + ScaleForDpi(6, WindowDpi()),
               SWP_NOMOVE | SWP_NOZORDER);
}

// Applies and stores a new View, then the caret goes back to the entry.
static void ChangeView(HWND window, int view) {
  View = view;
  ApplyView(window);
  WriteSettingInt(kOptionsSection, kKeyView, View);
  FocusEntryAtEnd();
}

void ToggleKeypad(HWND window) { ChangeView(window, View ^ 1); }

void StepView(HWND window) { ChangeView(window, (View >= 0 && View < 3) ? View + 1 : 0); }
