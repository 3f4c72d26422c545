#include "startup.h"

#include "accessibility.h"
#include "app_state.h"
#include "clock.h"
#include "dpi_layout.h"
#include "language.h"
#include "language_switch.h"
#include "main_window.h"
#include "message_loop.h"
#include "settings.h"
#include "settings_values.h"
#include "slots.h"
#include "theme.h"
#include "tray.h"
#include "tray_switch.h"
#include "views.h"

static const wchar_t kClassName[] = L"VexClass300";

bool ShowRunningCopy() {
  HWND running = FindWindowW(kClassName, nullptr);
  if (running == nullptr) return false;
  ShowWindow(running, SW_SHOW);
  SetForegroundWindow(running);
  return true;
}

bool RegisterMainClass(HINSTANCE instance) {
  WNDCLASSW windowClass = {};
  windowClass.style = 0;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"vexIcon");
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  // No menu by the class's name: that load would pick the menu's language
  // by the system's choice. The menus are loaded by language (language.h).
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kClassName;
  return RegisterClassW(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  return CreateDialogParamW(instance, kClassName, nullptr, nullptr, 0);
}


struct MonitorList {
  ScreenRect *rects;
  size_t capacity;
  size_t count;
};

static BOOL CALLBACK AddMonitorRect(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  auto *list = reinterpret_cast<MonitorList *>(data);
  if (list->count >= list->capacity) return FALSE;  // the rest are not looked at
  list->rects[list->count++] = {rect->left, rect->top, rect->right, rect->bottom};
  return TRUE;
}

size_t ReadMonitorRects(ScreenRect *rects, size_t capacity) {
  if (rects == nullptr || capacity == 0) return 0;
  MonitorList list = {rects, capacity, 0};
  EnumDisplayMonitors(nullptr, nullptr, AddMonitorRect, reinterpret_cast<LPARAM>(&list));
  if (list.count == 0) {
    // No monitor reported: the desktop window's rectangle, the primary screen.
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    rects[0] = {desktop.left, desktop.top, desktop.right, desktop.bottom};
    list.count = 1;
  }
  return list.count;
}

void InitMainWindow(HWND window) {
  StartWindowDpi(window);
  RegisterTaskbarCreated();
  State.Entry = GetDlgItem(window, IDC_ENTRY);
  FormSettingsPaths();
  // The language is a setting: the title waits for the settings file.
  ReadLanguageOption();
  LoadTitleText();
  SetWindowTextW(window, State.TitleText);

  int wx = kDefaultPosition;
  int wy = kDefaultPosition;
  ReadStartOptions(&wx, &wy);

  ScreenRect monitors[kMaxMonitors];
  size_t monitorCount = ReadMonitorRects(monitors, kMaxMonitors);
  if (IsStoredPositionUsable(wx, wy, monitors, monitorCount)) {
    SetWindowPos(window, nullptr, wx, wy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  FollowMonitorDpiAtStart(window);
  if (State.Top) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (State.Time) StartClock(window);
  if (State.TrayMode) UpdateTrayIcon(window);
  LoadLanguageMenus();
  StartTheme(window);
  ApplyView(window);
}

void ShowMainWindow(HWND window, int showCommand) {
  ShowWindow(window, State.TrayMode ? SW_HIDE : showCommand);
  if (State.BeepOption) MessageBeep(MB_OK);
}

int RunProgram(HINSTANCE instance, const wchar_t *commandLine, int showCommand) {
  if (ShowRunningCopy()) return 0;
  State.Instance = instance;
  RegisterMainClass(instance);
  State.MainWindow = CreateMainWindow(instance);
  if (State.MainWindow == nullptr) return 0;
  LoadKeyAccelerators(instance);
  if (HasTraySwitch(commandLine)) State.TrayMode = true;
  InitMainWindow(State.MainWindow);
  ShowMainWindow(State.MainWindow, showCommand);
  return RunMessageLoop();
}
