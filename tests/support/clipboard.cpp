#include "clipboard.h"

#include <windows.h>

std::wstring ReadClipboard() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data != nullptr) {
    const auto *chars = static_cast<const wchar_t *>(GlobalLock(data));
    if (chars != nullptr) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool WriteClipboard(const std::wstring &text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  bool done = false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (memory != nullptr) {
    auto *chars = static_cast<wchar_t *>(GlobalLock(memory));
    if (chars != nullptr) {
      text.copy(chars, text.size());
      chars[text.size()] = L'\0';
      GlobalUnlock(memory);
      done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!done) GlobalFree(memory);
  }
  CloseClipboard();
  return done;
}
