// The baseline of the start-up benchmark: the smallest ordinary Win32
// program with one window. It registers a class, creates an overlapped
// window, shows it, paints one line of text and runs the message loop, the
// same steps vex.exe takes before its first paint, with nothing else.
#include <windows.h>

#include "window_program.h"

static const wchar_t kBaselineClass[] = L"VexStartupBaseline";

static LRESULT CALLBACK BaselineWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      static const wchar_t kText[] = L"baseline";
      TextOutW(dc, 8, 8, kText, static_cast<int>(sizeof kText / sizeof kText[0]) - 1);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  WNDCLASSW windowClass = MakeWindowClass(instance, BaselineWndProc, kBaselineClass);
  if (!RegisterClassW(&windowClass)) return 0;
  return RunWindow(CreateWindowW(kBaselineClass, L"baseline", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 240, 320, nullptr, nullptr, instance, nullptr),
                   showCommand);
}
