// Minimal version: adds or removes the icon; the icon's callback and the tray
// commands come with the tray issue.
#include "tray.h"

#include <shellapi.h>

#include "app_state.h"

void UpdateTrayIcon(HWND window) {
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = window;
  record.uID = IDI_TRAY;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = WM_TRAY_CALLBACK;
  record.hIcon = LoadIconW(Instance, L"TbarIcon");
  wcscpy(record.szTip, L"関数電卓vEx");
  TrayIconShown = false;
  if (TrayMode) {
    TrayIconShown = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
  } else {
    Shell_NotifyIconW(NIM_DELETE, &record);
  }
}
