#include "e2e_support.h"
#include "resource_ids.h"

#include <vector>

#ifndef VEX_EXE_RELATIVE
#error "VEX_EXE_RELATIVE: the path of vex.exe relative to the test executable's folder"
#endif

static std::wstring ExecutableFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path, length);
  return text.substr(0, text.find_last_of(L"\\/") + 1);
}

std::wstring CurrentTestName() {
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  return std::wstring(name.begin(), name.end());
}

std::wstring MakeVexFolder(const std::wstring &name) {
  wchar_t temp[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return L"";
  std::wstring folder = std::wstring(temp, length) + L"vex-e2e-" +
                        std::to_wstring(GetCurrentProcessId()) + L"-" + name;
  RemoveVexFolder(folder);
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return L"";
  std::wstring source = ExecutableFolder() + VEX_EXE_RELATIVE;
  if (!CopyFileW(source.c_str(), (folder + L"\\vex.exe").c_str(), FALSE)) return L"";
  return folder;
}

void RemoveVexFolder(const std::wstring &folder) {
  if (folder.empty()) return;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

bool WaitFor(const std::function<bool()> &condition, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(20);
  }
}

static HWND EntryEdit(HWND window) {
  return FindWindowExW(GetDlgItem(window, IDC_ENTRY), nullptr, L"Edit", nullptr);
}

bool FocusEntry(const VexRun &run) {
  HWND edit = EntryEdit(run.window);
  if (edit == nullptr) return false;
  SetForegroundWindow(run.window);
  auto focused = [&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetForegroundWindow() != run.window) SetForegroundWindow(run.window);
    return GetGUIThreadInfo(run.process.dwThreadId, &info) && info.hwndFocus == edit &&
           GetForegroundWindow() == run.window;
  };
  // Under Wine the X server's word on the focus can come a moment later
  // (after a window of the test before went away) and take it again: the
  // focus must still be there a little later.
  return WaitFor([&] {
    if (!focused()) return false;
    Sleep(150);
    return focused();
  });
}

bool LaunchVex(const std::wstring &folder, const std::wstring &arguments,
               PROCESS_INFORMATION &process) {
  std::wstring exe = folder + L"\\vex.exe";
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  return CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process) != FALSE;
}

// Starts run.folder\vex.exe and waits until its main window meets ready.
static bool LaunchAndWait(VexRun &run, const std::wstring &arguments,
                          const std::function<bool(HWND)> &ready) {
  run.window = nullptr;
  run.exitCode = STILL_ACTIVE;
  if (!LaunchVex(run.folder, arguments, run.process)) return false;
  WaitForInputIdle(run.process.hProcess, 10000);
  return WaitFor([&] {
    run.window = FindProcessWindow(run.process.dwProcessId, L"VexClass300");
    return run.window != nullptr && ready(run.window);
  });
}

bool StartHiddenVex(VexRun &run, const std::wstring &arguments) {
  bool found = LaunchAndWait(run, arguments, [](HWND window) {
    return GetDlgItem(window, IDC_RESULT) != nullptr &&
           ReadWindowTitle(window).rfind(L"関数電卓 Vex", 0) == 0;
  });
  // Idle again after start-up: the window has been shown by now if it were
  // going to be.
  WaitForInputIdle(run.process.hProcess, 10000);
  return found;
}

bool StartVex(VexRun &run, const std::wstring &arguments) {
  if (!LaunchAndWait(run, arguments, [](HWND window) { return IsWindowVisible(window) != FALSE; })) {
    return false;
  }
  return FocusEntry(run);
}

bool StopVex(VexRun &run) {
  if (run.process.hProcess == nullptr) return true;
  if (run.window != nullptr) PostMessageW(run.window, WM_CLOSE, 0, 0);
  bool ended = WaitForSingleObject(run.process.hProcess, 10000) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(run.process.hProcess, 99);
    WaitForSingleObject(run.process.hProcess, 5000);
  }
  GetExitCodeProcess(run.process.hProcess, &run.exitCode);
  CloseHandle(run.process.hThread);
  CloseHandle(run.process.hProcess);
  run.process = {};
  run.window = nullptr;
  return ended;
}

static void Send(std::vector<INPUT> &inputs) {
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring &text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wScan = c;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(down);
    inputs.push_back(up);
  }
  Send(inputs);
}

void PressKey(WORD virtualKey, bool ctrl) {
  std::vector<INPUT> inputs;
  auto key = [&inputs](WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (ctrl) key(VK_CONTROL, false);
  key(virtualKey, false);
  key(virtualKey, true);
  if (ctrl) key(VK_CONTROL, true);
  Send(inputs);
}

std::wstring ReadControlText(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  if (control == nullptr) return L"<no control>";
  wchar_t text[1024] = L"";
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &result)) {
    return L"<no answer>";
  }
  return text;
}

std::wstring ReadWindowTitle(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

DWORD ReadEntrySelection(HWND window) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(GetDlgItem(window, IDC_ENTRY), CB_GETEDITSEL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &result);
  return static_cast<DWORD>(result);
}

std::wstring ReadIni(const VexRun &run, const wchar_t *section, const wchar_t *key) {
  wchar_t text[1024];
  GetPrivateProfileStringW(section, key, L"<absent>", text, 1024,
                           (run.folder + L"\\vex.ini").c_str());
  return text;
}

bool WriteIni(const std::wstring &folder, const wchar_t *section, const wchar_t *key,
              const wchar_t *value) {
  std::wstring path = folder + L"\\vex.ini";
  // As the program makes it: UTF-16 with a byte-order mark, so that any text
  // survives.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    static const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, bom, sizeof bom, &written, nullptr);
    CloseHandle(file);
  }
  return WritePrivateProfileStringW(section, key, value, path.c_str()) != FALSE;
}

std::wstring WaitForControlText(HWND window, int id, const std::wstring &expected) {
  std::wstring seen;
  WaitFor([&] {
    seen = ReadControlText(window, id);
    return seen == expected;
  });
  return seen;
}

RECT ReadWindowRect(HWND window) {
  RECT rect = {};
  if (window == nullptr || !GetWindowRect(window, &rect)) rect = RECT{};
  return rect;
}

RECT ReadControlRect(HWND window, int id) { return ReadWindowRect(GetDlgItem(window, id)); }

void ClickScreenPoint(POINT point) {
  // Absolute mouse positions are in 0..65535 over the primary screen.
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (width < 2 || height < 2) return;
  INPUT inputs[3] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dx = static_cast<LONG>((point.x * 65535LL + (width - 2)) / (width - 1));
  inputs[0].mi.dy = static_cast<LONG>((point.y * 65535LL + (height - 2)) / (height - 1));
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dx = inputs[0].mi.dx;
  inputs[1].mi.dy = inputs[0].mi.dy;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2] = inputs[1];
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &inputs[0], sizeof(INPUT));
  // The press only once the cursor is there.
  WaitFor([&] {
    POINT cursor = {};
    return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
  }, 2000);
  SendInput(2, &inputs[1], sizeof(INPUT));
}

bool ClickControl(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  if (control == nullptr || !IsWindowVisible(window)) return false;
  RECT rect = ReadWindowRect(control);
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  // What is on the screen there: the control itself (a button has no
  // children), or else it cannot be clicked.
  if (WindowFromPoint(centre) != control) return false;
  ClickScreenPoint(centre);
  return true;
}

void PressChord(WORD modifier, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  add(modifier, false);
  add(key, false);
  add(key, true);
  add(modifier, true);
  Send(inputs);
}

struct ClassSearch {
  DWORD processId;
  const wchar_t *className;
  bool visibleOnly;
  HWND found;
};

static BOOL CALLBACK FindClassWindow(HWND window, LPARAM data) {
  auto *search = reinterpret_cast<ClassSearch *>(data);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t className[64];
  if (processId == search->processId && GetClassNameW(window, className, 64) > 0 &&
      lstrcmpiW(className, search->className) == 0 &&
      (!search->visibleOnly || IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindProcessWindow(DWORD processId, const wchar_t *className) {
  ClassSearch search = {processId, className, false, nullptr};
  EnumWindows(FindClassWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindowClass(const VexRun &run, const wchar_t *className, DWORD milliseconds) {
  ClassSearch search = {run.process.dwProcessId, className, true, nullptr};
  WaitFor([&] {
    search.found = nullptr;
    EnumWindows(FindClassWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, milliseconds);
  return search.found;
}

bool ChooseMenuItem(const VexRun &run, wchar_t popupLetter, wchar_t itemLetter) {
  // Under Wine an Alt chord sent right after another window of the program
  // went away (the help window) is now and then lost; a person whose menu
  // did not open presses Esc and the chord again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!FocusEntry(run)) return false;
    PressChord(VK_MENU, static_cast<WORD>(popupLetter));
    if (WaitForWindowClass(run, L"#32768", 3000) != nullptr) {
      PressKey(static_cast<WORD>(itemLetter));
      return true;
    }
    PressKey(VK_ESCAPE);
  }
  return false;
}

std::wstring WaitForClipboard(const std::wstring &expected) {
  std::wstring seen;
  WaitFor([&] {
    seen = ReadClipboard();
    return seen == expected;
  });
  return seen;
}
