// The main window's procedure and its command dispatch.
#pragma once

#include <windows.h>

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the command with this identifier (low 16 bits of WM_COMMAND's wParam).
void RunCommand(HWND window, int id);
