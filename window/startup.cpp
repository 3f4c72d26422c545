#include "startup.h"

#include "accessibility.h"
#include "app_state.h"
#include "clock.h"
#include "dpi_layout.h"
#include "language.h"
#include "language_switch.h"
#include "main_window.h"
#include "settings.h"
#include "settings_values.h"
#include "slots.h"
#include "tray.h"
#include "views.h"

static const wchar_t kClassName[] = L"VexClass300";

// The accelerator table VexAccelerator, loaded once at start.
static HACCEL Accelerators = nullptr;

void LoadKeyAccelerators(HINSTANCE instance) {
  Accelerators = LoadAcceleratorsW(instance, L"VexAccelerator");
}

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
  ApplyView(window);
  StartAccessibility(window);
}

void ShowMainWindow(HWND window, int showCommand) {
  ShowWindow(window, State.TrayMode ? SW_HIDE : showCommand);
  if (State.BeepOption) MessageBeep(MB_OK);
}

void ReaddressRightButton(MSG &message) {
  if (message.message != WM_RBUTTONDOWN) return;
  POINT cursor = {};
  GetCursorPos(&cursor);
  RECT outer = {};
  if (State.MainWindow != nullptr && GetWindowRect(State.MainWindow, &outer) && cursor.x > outer.left &&
      cursor.x < outer.right && cursor.y > outer.top && cursor.y < outer.bottom) {
    message.hwnd = State.MainWindow;
  }
  message.lParam = MAKELPARAM(cursor.x, cursor.y);
}

// The key table: Enter or key code 61 evaluates, F1 opens the help, and
// Ctrl with A, B, D or S runs next view, copy answer, degrees and next radix.
static int CommandForKey(WPARAM key) {
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  switch (key) {
    case VK_RETURN:
    case 61:
      return IDM_EVALUATE_KEY;
    case VK_F1:
      return IDM_HELP_CONTENTS;
    case 'A':
      return ctrl ? IDM_NEXT_VIEW : 0;
    case 'B':
      return ctrl ? IDM_COPY_ANSWER : 0;
    case 'D':
      return ctrl ? IDM_TOGGLE_DEGREES : 0;
    case 'S':
      return ctrl ? IDM_NEXT_RADIX : 0;
    default:
      return 0;
  }
}

bool TranslateLoopKey(MSG &message) {
  if (message.message != WM_KEYDOWN) return false;
  int command = CommandForKey(message.wParam);
  if (command == 0) return false;
  message.hwnd = State.MainWindow;
  message.message = WM_COMMAND;
  message.wParam = static_cast<WPARAM>(command);
  message.lParam = 0;
  return true;
}

void TrackSelection(const MSG &message) {
  if (State.PendingSelection != kNoPendingSelection) {
    SendMessageW(State.Entry, CB_SETEDITSEL, 0, static_cast<LPARAM>(State.PendingSelection));
    State.SavedSelection = State.PendingSelection;
    State.PendingSelection = kNoPendingSelection;
  } else if (message.hwnd == State.MainWindow && State.MainWindow != nullptr) {
    State.SavedSelection = static_cast<DWORD>(SendMessageW(State.Entry, CB_GETEDITSEL, 0, 0));
  }
}

void ProcessLoopMessage(MSG &message) {
  ReaddressRightButton(message);
  PickSlot();
  TranslateLoopKey(message);
  TrackSelection(message);
  if (!TranslateAcceleratorW(State.MainWindow, Accelerators, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 0;
    ProcessLoopMessage(message);
  }
  return static_cast<int>(message.wParam);
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
