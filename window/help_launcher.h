// The help file launcher (the platform's HTML Help control, loaded on demand).
#pragma once

#include <windows.h>

// Opens file with the help control's command and data; returns the help
// window, or nullptr when help is unavailable.
HWND ShowHelp(HWND caller, const wchar_t *file, UINT command, DWORD_PTR data);
