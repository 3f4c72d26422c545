// What the start-up benchmark's own window programs (the bare one and the
// floor) share: their class's common fields and the message loop, so that
// they differ from each other only where they are meant to.
#pragma once

#include <windows.h>

inline WNDCLASSW MakeWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t *name) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  return windowClass;
}

// Shows window and runs the loop until the quit message; 0 without a window.
inline int RunWindow(HWND window, int showCommand) {
  if (!window) return 0;
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
