// The main window's procedure, its command dispatch and the four views.
#pragma once

#include <windows.h>

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the command with this identifier (low 16 bits of WM_COMMAND's wParam).
void RunCommand(HWND window, int id);

// Makes the window match View: menu bar in views 2 and 3, bottom edge 6
// pixels below the "=" button (odd views) or the entry (even views).
void ApplyView(HWND window);
