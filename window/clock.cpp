// Minimal version: the plain title and the local time from the system; the
// title clock issue brings the final text layout.
#include "clock.h"

#include <cwchar>

#include "app_state.h"

wchar_t *BuildClockTitle(wchar_t *buffer) {
  static const wchar_t weekdays[] = L"日月火水木金土";
  SYSTEMTIME now;
  GetLocalTime(&now);
  swprintf(buffer, kClockTitleSize, L"%ls %u-%u-%u(%lc)%u:%u", TitleText, now.wYear, now.wMonth,
           now.wDay, static_cast<wint_t>(weekdays[now.wDayOfWeek % 7]), now.wHour, now.wMinute);
  return buffer;
}
