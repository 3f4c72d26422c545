#include "result_field.h"

#include <cwchar>

#include "app_state.h"

LOGFONTW MakeResultFont() {
  LOGFONTW font = {};
  font.lfHeight = 20;
  wcsncpy(font.lfFaceName, L"Arial Black", LF_FACESIZE - 1);
  return font;
}

void PaintResultField(HWND field, const wchar_t *text) {
  RECT outer = {};
  GetWindowRect(field, &outer);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;

  PAINTSTRUCT paint;
  HDC dc = BeginPaint(field, &paint);
  if (dc == nullptr) return;

  HFONT font = nullptr;
  HGDIOBJ previousFont = nullptr;
  if (LastEvalFailed == 0) {
    LOGFONTW description = MakeResultFont();
    font = CreateFontIndirectW(&description);
    // Without the font the text is drawn in the default one.
    if (font != nullptr) previousFont = SelectObject(dc, font);
  }

  RECT band = {1, 1, width - 2, height - 2};
  UINT previousAlign = SetTextAlign(dc, 0);
  size_t length = text != nullptr ? wcsnlen(text, kEntryTextSize - 1) : 0;
  ExtTextOutW(dc, 3, 1, ETO_OPAQUE, &band, text != nullptr ? text : L"",
              static_cast<UINT>(length), nullptr);
  SetTextAlign(dc, previousAlign);

  if (font != nullptr) {
    SelectObject(dc, previousFont);
    DeleteObject(font);
  }
  EndPaint(field, &paint);
}
