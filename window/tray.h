// The notification-area (tray) icon: adding and deleting it, the icon's
// callback message and the tray commands (remove from the tray, restore,
// close).
#pragma once

#include <windows.h>

// Adds the icon when TrayMode is set, deletes it otherwise; IsTrayIconShown
// tells the outcome.
void UpdateTrayIcon(HWND window);

// The tip of a shown icon in the language in force, after a language switch.
void UpdateTrayTip(HWND window);

// The icon's callback message (WM_TRAY_CALLBACK): lParam is the mouse
// message. A left press brings the window back with the focus in the entry;
// a right press opens the tray popup at the cursor; anything else does nothing.
void HandleTrayCallback(HWND window, WPARAM wParam, LPARAM lParam);

// Commands IDM_TRAY_REMOVE (121), IDM_RESTORE (205) and IDM_CLOSE (1002);
// other identifiers are ignored.
void HandleTrayCommand(HWND window, int id);

// The shell's taskbar was created anew (its "TaskbarCreated" message): in
// tray mode, unless the user removed the icon, the icon is added again. The
// icon is never there twice.
void RestoreTrayIcon(HWND window);

// Deletes the icon if it is shown; for the window's destruction, so that no
// stale icon stays behind when the program ends by its close box.
void DeleteTrayIcon(HWND window);

// Registers the shell's "TaskbarCreated" message, once at start;
// GetTaskbarCreatedMessage is 0 before that.
void RegisterTaskbarCreated();
UINT GetTaskbarCreatedMessage();

// Whether the icon is shown now, and the icon image once loaded (nullptr
// before).
bool IsTrayIconShown();
HICON GetTrayIcon();

// The tray's state as before start-up (between the in-process tests).
void ResetTray();
