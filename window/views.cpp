#include "views.h"

#include "app_state.h"
#include "dpi_layout.h"
#include "dpi_scale.h"
#include "entry_text.h"
#include "settings.h"

// The client area as wide as the template at the window's resolution. At the
// resolution the window was created at that is its width already.
static void ApplyTemplateWidth(HWND window) {
  RECT outer = {};
  RECT client = {};
  int width = WindowClientWidth();
  if (width <= 0 || !GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return;
  if (client.right - client.left == width) return;
  SetWindowPos(window, nullptr, 0, 0, width + (outer.right - outer.left) - (client.right - client.left),
               outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyView(HWND window) {
  // The menu bar is only detached, never destroyed: its Edit popup is also
  // the context menu. Attached again only when it changes: SetMenu
  // recomputes and redraws the frame even for the bar already there.
  HMENU bar = (State.View == 2 || State.View == 3) ? State.MainMenu : nullptr;
  if (GetMenu(window) != bar) SetMenu(window, bar);
  // Before the height: a wider window may take its menu bar on one line.
  ApplyTemplateWidth(window);
  HWND reference = GetDlgItem(window, (State.View % 2 != 0) ? IDM_EVALUATE : IDC_ENTRY);
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
  State.View = view;
  ApplyView(window);
  WriteSettingInt(kOptionsSection, kKeyView, State.View);
  FocusEntryAtEnd();
}

void ToggleKeypad(HWND window) { ChangeView(window, State.View ^ 1); }

void StepView(HWND window) {
  ChangeView(window, (State.View >= 0 && State.View < 3) ? State.View + 1 : 0);
}
