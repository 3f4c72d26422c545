#include "result_field.h"

#include <cwchar>

#include "app_state.h"
#include "dpi_layout.h"
#include "dpi_scale.h"
#include "theme.h"

HFONT ForcedDefaultFont = nullptr;

LOGFONTW MakeResultFont(int dpi) {
  LOGFONTW font = {};
  font.lfHeight = ScaleForDpi(20, dpi);
  wcsncpy(font.lfFaceName, L"Arial Black", LF_FACESIZE - 1);
  return font;
}

// True when the font selected into dc has a glyph for every character of
// text. A system whose default font has no Japanese glyphs would show the
// messages as boxes.
static bool HasEveryGlyph(HDC dc, const wchar_t *text, size_t length) {
  WORD glyphs[kEntryTextSize];
  if (length == 0) return true;
  if (GetGlyphIndicesW(dc, text, static_cast<int>(length), glyphs,
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    return true;  // no answer: keep the default font, as before
  }
  for (size_t i = 0; i < length; ++i) {
    if (glyphs[i] == 0xFFFF) return false;
  }
  return true;
}

void PaintResultField(HWND field, const wchar_t *text) {
  RECT outer = {};
  GetWindowRect(field, &outer);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  if (text == nullptr) text = L"";
  size_t length = wcsnlen(text, kEntryTextSize - 1);

  PAINTSTRUCT paint;
  HDC dc = BeginPaint(field, &paint);
  if (dc == nullptr) return;
  HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);

  HFONT createdFont = nullptr;
  if (State.LastEvalFailed == 0) {
    LOGFONTW description = MakeResultFont(WindowDpi());
    createdFont = CreateFontIndirectW(&description);
    // Without the font the text is drawn in the default one.
    if (createdFont != nullptr) SelectObject(dc, createdFont);
  } else {
    // A message is drawn in the default font, unless that lacks one of its
    // glyphs; then in the field's own font, which the dialog template gave
    // every control.
    if (ForcedDefaultFont != nullptr) SelectObject(dc, ForcedDefaultFont);
    if (!HasEveryGlyph(dc, text, length)) {
      HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0));
      if (dialogFont != nullptr) SelectObject(dc, dialogFont);
    }
  }

  // The window colours of the system's scheme: white and black in the
  // standard one, whatever a high-contrast scheme gives; the dark look has
  // its own.
  bool dark = IsDarkLookInForce();
  COLORREF previousBack = SetBkColor(dc, dark ? kDarkPalette.field : GetSysColor(COLOR_WINDOW));
  COLORREF previousText = SetTextColor(dc, dark ? kDarkPalette.fieldText : GetSysColor(COLOR_WINDOWTEXT));
  RECT band = {1, 1, width - 2, height - 2};
  UINT previousAlign = SetTextAlign(dc, 0);
  ExtTextOutW(dc, ScaleForDpi(3, WindowDpi()), ScaleForDpi(1, WindowDpi()), ETO_OPAQUE, &band, text,
              static_cast<UINT>(length), nullptr);
  SetTextAlign(dc, previousAlign);
  SetTextColor(dc, previousText);
  SetBkColor(dc, previousBack);

  SelectObject(dc, previousFont);
  if (createdFont != nullptr) DeleteObject(createdFont);
  EndPaint(field, &paint);
}
