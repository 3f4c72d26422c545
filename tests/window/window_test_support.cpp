#include "window_test_support.h"

#include <cstdio>

#include "accessibility.h"
#include "app_state.h"
#include "help_launcher.h"
#include "message_loop.h"
#include "settings.h"
#include "settings_report.h"
#include "settings_values.h"
#include "startup.h"
#include "theme.h"
#include "tray.h"
#include "tray_switch.h"

std::wstring TestSettingsFile() {
  wchar_t exe[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe, length);
  return path.substr(0, path.size() - 3) + L"ini";
}

void DeleteTestSettingsFile() {
  // With what a conversion or a replace leaves beside it.
  for (const wchar_t *suffix : {L"", L".orig", L".bak", L".tmp"}) {
    std::wstring path = TestSettingsFile() + suffix;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
}

void WriteTestSettingsBytes(const std::string &bytes) {
  DeleteTestSettingsFile();
  FILE *file = _wfopen(TestSettingsFile().c_str(), L"wb");
  if (file == nullptr) return;
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

std::string ReadTestSettingsBytes() {
  std::string bytes;
  FILE *file = _wfopen(TestSettingsFile().c_str(), L"rb");
  if (file == nullptr) return bytes;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, n);
  fclose(file);
  return bytes;
}

void ResetAppState() {
  State = AppState{};
  Paths.SettingsFile[0] = Paths.SettingsCopy[0] = Paths.HelpFile[0] = L'\0';
  ResetTray();
  ResetHelpLauncher();
  ResetAccessibility();
  ResetSettingsReport();
  ResetTheme();
}

void PrepareFreshStart() {
  ResetAppState();
  State.Instance = GetModuleHandleW(nullptr);
  static bool registered = RegisterMainClass(State.Instance);
  (void)registered;
  DeleteTestSettingsFile();
}

HWND StartMainWindow(const wchar_t *commandLine) {
  State.MainWindow = CreateMainWindow(State.Instance);
  if (State.MainWindow == nullptr) return nullptr;
  LoadKeyAccelerators(State.Instance);
  if (HasTraySwitch(commandLine)) State.TrayMode = true;
  InitMainWindow(State.MainWindow);
  return State.MainWindow;
}

void SetControlKey(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

void DrainMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

void CloseMainWindow() {
  if (State.MainWindow == nullptr) return;
  if (IsTrayIconShown()) {
    State.TrayMode = false;
    UpdateTrayIcon(State.MainWindow);
  }
  State.BeepOption = 0;
  DestroyWindow(State.MainWindow);
  State.MainWindow = nullptr;
  DrainMessages();
}

static std::vector<RecordedMessage> recorded;
static WNDPROC originalProc;

static LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_RBUTTONDOWN) {
    recorded.push_back({message, wParam, lParam});
    return 0;
  }
  return CallWindowProcW(originalProc, window, message, wParam, lParam);
}

void StartRecording(HWND window) {
  recorded.clear();
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == RecordingProc) return;
  originalProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
}

const std::vector<RecordedMessage> &Recorded() { return recorded; }

std::wstring EntryText() {
  wchar_t text[kEntryTextSize];
  GetWindowTextW(State.Entry, text, kEntryTextSize);
  return text;
}

DWORD EntrySelection() {
  return static_cast<DWORD>(SendMessageW(State.Entry, CB_GETEDITSEL, 0, 0));
}

HWND StartShownMainWindow() {
  HWND window = StartMainWindow();
  if (window == nullptr) return nullptr;
  SetWindowPos(window, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowMainWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  DrainMessages();
  // The screen readers' service starts by a timer once everything is drawn.
  Sleep(2 * USER_TIMER_MINIMUM);
  MSG timer;
  while (PeekMessageW(&timer, window, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&timer);
  return window;
}

void RunLoopTurn() {
  MSG m = {};
  m.hwnd = State.MainWindow;
  m.message = WM_NULL;
  ProcessLoopMessage(m);
}

static bool IsDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 384; }

Ink ReadInk(HDC dc, int width, int height) {
  Ink ink;
  ink.width = width;
  ink.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      ink.pixels.push_back(c);
      if (!IsDark(c)) continue;
      ++ink.dark;
      if (x < ink.left) ink.left = x;
      if (x > ink.right) ink.right = x;
      if (y < ink.top) ink.top = y;
      if (y > ink.bottom) ink.bottom = y;
    }
  }
  return ink;
}

Ink ReadControlInk(HWND control) {
  RECT client = {};
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  Ink ink = ReadInk(dc, client.right, client.bottom);
  ReleaseDC(control, dc);
  return ink;
}
