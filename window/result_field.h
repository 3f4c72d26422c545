// Drawing of the result field (control 1011).
#pragma once

#include <windows.h>

void PaintResultField(HWND field, const wchar_t *text);
