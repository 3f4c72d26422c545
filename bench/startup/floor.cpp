// The floor of the start-up benchmark: vex.exe's window without its logic.
// Linked with vex.exe's own resource script, it registers the same class
// ("VexClass300": a dialog class with its icon and menu bar) and creates the
// main window from the same dialog template, with the same manifest, so the
// window manager, the controls and the fonts cost what they cost vex.exe.
// It reads no settings, evaluates nothing and starts no clock, tray icon or
// accessibility service: what vex.exe takes beyond this is its own work.
#include <windows.h>

#include "window_program.h"

static const wchar_t kClassName[] = L"VexClass300";

// The dialog manager's default procedure does the rest; a window of a
// dialog class with no dialog procedure is not destroyed by WM_CLOSE on its
// own, and the probe closes it that way.
static LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefDlgProcW(window, message, wParam, lParam);
  }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  WNDCLASSW windowClass = MakeWindowClass(instance, FloorWndProc, kClassName);
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hIcon = LoadIconW(instance, L"vexIcon");
  windowClass.lpszMenuName = L"VexMenu";
  if (!RegisterClassW(&windowClass)) return 0;
  return RunWindow(CreateDialogParamW(instance, kClassName, nullptr, nullptr, 0), showCommand);
}
