#include "tray.h"

#include <shellapi.h>

#include <cstddef>
#include <cwchar>

#include "app_state.h"
#include "language.h"

// Whether the icon is shown now, and whether the user took it away (command
// 121): then it is not added again this run.
static bool TrayIconShown = false;
static bool TrayIconRemoved = false;
// The tray icon at the size of the system's small icons, loaded once.
static HICON TrayIcon = nullptr;
// The message the shell broadcasts when the taskbar has been (re)created;
// 0 until registered at start.
static UINT TaskbarCreatedMessage = 0;

void RegisterTaskbarCreated() { TaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated"); }

UINT GetTaskbarCreatedMessage() { return TaskbarCreatedMessage; }

bool IsTrayIconShown() { return TrayIconShown; }

HICON GetTrayIcon() { return TrayIcon; }

void ResetTray() {
  TrayIconShown = false;
  TrayIconRemoved = false;
  TrayIcon = nullptr;  // a loaded icon stays loaded; the next start loads its own
  TaskbarCreatedMessage = 0;
}

// The record's first layout (no fields beyond a 64-character tip), which
// every version of the shell accepts.
#ifndef NOTIFYICONDATAW_V1_SIZE
#define NOTIFYICONDATAW_V1_SIZE (offsetof(NOTIFYICONDATAW, szTip) + 64 * sizeof(WCHAR))
#endif

// The icon image at the size of the system's small icons (16 pixels at 96
// DPI, 20, 24 or 32 at higher resolutions), so that the shell need not
// shrink a larger one. Loaded once and kept for the run.
static HICON LoadTrayIcon() {
  if (TrayIcon == nullptr) {
    TrayIcon = static_cast<HICON>(LoadImageW(State.Instance, L"TbarIcon", IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  }
  if (TrayIcon == nullptr) TrayIcon = LoadIconW(State.Instance, L"TbarIcon");
  return TrayIcon;
}

// Fills every field the first layout has; the rest stays zero.
static void FillTrayRecord(NOTIFYICONDATAW &record, HWND window) {
  ZeroMemory(&record, sizeof record);
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = window;
  record.uID = IDI_TRAY;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = WM_TRAY_CALLBACK;
  record.hIcon = LoadTrayIcon();
  wcsncpy(record.szTip, reinterpret_cast<const wchar_t *>(GetTrayTip(CurrentLanguage())), 63);
  record.szTip[63] = L'\0';
}

void UpdateTrayIcon(HWND window) {
  NOTIFYICONDATAW record;
  FillTrayRecord(record, window);
  TrayIconShown = false;
  if (State.TrayMode) {
    TrayIconShown = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
  } else {
    Shell_NotifyIconW(NIM_DELETE, &record);
  }
}

void UpdateTrayTip(HWND window) {
  if (!TrayIconShown) return;
  NOTIFYICONDATAW record;
  FillTrayRecord(record, window);
  record.uFlags = NIF_TIP;
  Shell_NotifyIconW(NIM_MODIFY, &record);
}

void DeleteTrayIcon(HWND window) {
  if (!TrayIconShown) return;
  NOTIFYICONDATAW record;
  FillTrayRecord(record, window);
  Shell_NotifyIconW(NIM_DELETE, &record);
  TrayIconShown = false;
}

void RestoreTrayIcon(HWND window) {
  if (!State.TrayMode || TrayIconRemoved) return;
  // Never two icons: one still known to the shell goes first.
  DeleteTrayIcon(window);
  UpdateTrayIcon(window);
}

static void ShowFromTray(HWND window) {
  ShowWindow(window, SW_SHOW);
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (State.Entry != nullptr) SetFocus(State.Entry);
}

static void OpenTrayPopup(HWND window, WPARAM wParam) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  bool visible = IsWindowVisible(window) != FALSE;  // a minimised window counts as visible
  bool normal = visible && !IsIconic(window);
  if (State.TrayPopup != nullptr) {
    EnableMenuItem(State.TrayPopup, IDM_RESTORE, MF_BYCOMMAND | (normal ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(State.TrayPopup, IDM_CLOSE, MF_BYCOMMAND | (visible ? MF_ENABLED : MF_GRAYED));
  }
  // Without the foreground the popup would not close when the user clicks
  // elsewhere.
  SetForegroundWindow(window);
  SetFocus(window);
  if (State.TrayPopup != nullptr) {
    TrackPopupMenu(State.TrayPopup, TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, cursor.x,
                   cursor.y, 0, window, nullptr);
  }
  // One more turn of the message loop once the popup has closed; addressed
  // to no window, it is dispatched nowhere.
  PostMessageW(nullptr, WM_TRAY_CALLBACK, wParam, WM_RBUTTONDOWN);
}

void HandleTrayCallback(HWND window, WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN:
      ShowFromTray(window);
      break;
    case WM_RBUTTONDOWN:
      OpenTrayPopup(window, wParam);
      break;
    default:
      break;
  }
}

void HandleTrayCommand(HWND window, int id) {
  switch (id) {
    case IDM_CLOSE:
      // While the icon is there the window only hides: the icon brings it back.
      if (TrayIconShown) {
        ShowWindow(window, SW_HIDE);
      } else {
        DestroyWindow(window);
      }
      break;
    case IDM_RESTORE:
      ShowWindow(window, SW_RESTORE);
      break;
    case IDM_TRAY_REMOVE:
      // Deletes the icon for this run only: TrayMode and the "Tbar" setting
      // stay, so the next start behaves as this one did. (The command comes
      // from the icon's popup, so TrayMode is set; were it not, flipping it
      // would add an icon instead.)
      {
        bool trayMode = State.TrayMode;
        State.TrayMode = false;
        UpdateTrayIcon(window);
        State.TrayMode = trayMode;
        TrayIconRemoved = true;
      }
      // A hidden window without its icon could never come back.
      if (!IsWindowVisible(window)) DestroyWindow(window);
      break;
    default:
      break;
  }
}
