#include "clock.h"

#include <cwchar>
#include <string>
#include <string_view>

#include "app_state.h"
#include "clock_text.h"

bool (*ReadLocalTime)(std::tm *local) = ReadSystemLocalTime;

bool ReadSystemLocalTime(std::tm *local) {
  std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return false;
  // One thread: the C library's shared result is copied at once.
  const std::tm *converted = std::localtime(&now);
  if (converted == nullptr) return false;
  *local = *converted;
  return true;
}

static void CopyTitle(const wchar_t *text, size_t length, wchar_t *buffer) {
  if (length > static_cast<size_t>(kClockTitleSize - 1)) length = kClockTitleSize - 1;
  wmemcpy(buffer, text, length);
  buffer[length] = L'\0';
}

wchar_t *BuildClockTitle(wchar_t *buffer) {
  size_t titleLength = wcsnlen(TitleText, kTitleSize - 1);
  std::tm local = {};
  if (ReadLocalTime == nullptr || !ReadLocalTime(&local)) {
    CopyTitle(TitleText, titleLength, buffer);
    return buffer;
  }
  std::u16string_view plain(reinterpret_cast<const char16_t *>(TitleText), titleLength);
  std::u16string title = FormatClockTitle(plain, ClockFieldsFromTm(local));
  CopyTitle(reinterpret_cast<const wchar_t *>(title.c_str()), title.size(), buffer);
  return buffer;
}
