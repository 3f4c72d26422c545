// The notification-area (tray) icon.
#pragma once

#include <windows.h>

// Adds the icon when TrayMode is set, deletes it otherwise; the outcome is
// left in TrayIconShown.
void UpdateTrayIcon(HWND window);
