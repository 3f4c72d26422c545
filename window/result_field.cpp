// Minimal version: the text in the default font on an opaque band; the large
// result font comes with the result field issue.
#include "result_field.h"

#include <cwchar>

void PaintResultField(HWND field, const wchar_t *text) {
  RECT outer = {};
  GetWindowRect(field, &outer);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(field, &paint);
  if (dc == nullptr) return;
  RECT band = {1, 1, width - 2, height - 2};
  UINT oldAlign = SetTextAlign(dc, 0);
  ExtTextOutW(dc, 3, 1, ETO_OPAQUE, &band, text, static_cast<UINT>(wcsnlen(text, 255)), nullptr);
  SetTextAlign(dc, oldAlign);
  EndPaint(field, &paint);
}
