#include "clock.h"

#include <cwchar>

#include "app_state.h"
#include "clock_text.h"
#include "entry_text.h"
#include "language.h"
#include "settings.h"

// Timer 1's period: every 30 seconds.
static const UINT kClockPeriod = 30000;

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

wchar_t *BuildClockTitle(wchar_t *buffer) {
  size_t titleLength = wcsnlen(State.TitleText, kTitleSize - 1);
  std::tm local = {};
  if (ReadLocalTime == nullptr || !ReadLocalTime(&local)) {
    wmemcpy(buffer, State.TitleText, titleLength);
    buffer[titleLength] = L'\0';
    return buffer;
  }
  FormatClockTitle(AsText(State.TitleText, titleLength), ClockFieldsFromTm(local),
                   reinterpret_cast<char16_t *>(buffer), kClockTitleSize, CurrentLanguage());
  return buffer;
}

void ShowClockTitle(HWND window) {
  wchar_t title[kClockTitleSize];
  SetWindowTextW(window, BuildClockTitle(title));
}

void StartClock(HWND window) {
  SetTimer(window, IDT_CLOCK, kClockPeriod, nullptr);
  ShowClockTitle(window);
}

void StopClock(HWND window) {
  KillTimer(window, IDT_CLOCK);
  SetWindowTextW(window, State.TitleText);
}

void ToggleClock(HWND window) {
  State.Time = State.Time ? 0 : 1;
  if (State.Time) {
    StartClock(window);
  } else {
    StopClock(window);
  }
  WriteSettingInt(kOptionsSection, kKeyTime, State.Time);
}

void OnClockTimer(HWND window) {
  if (!IsIconic(window)) ShowClockTitle(window);
}
