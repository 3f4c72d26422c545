// Minimal version: help is not available yet; the help issue loads the help
// control and opens the file.
#include "help_launcher.h"

HWND ShowHelp(HWND, const wchar_t *, UINT, DWORD_PTR) {
  return nullptr;
}
