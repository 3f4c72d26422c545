// The clock in the title bar: the title with the local date, weekday and
// time, e.g. "関数電卓 Vex 2002-3-5(火)9:5", refreshed by timer 1 every 30
// seconds while the option Time is on.
#pragma once

#include <windows.h>

#include <ctime>

// Writes the clock title into buffer (kClockTitleSize characters) and
// returns buffer. When the time cannot be read, the plain title.
wchar_t *BuildClockTitle(wchar_t *buffer);

// The window's title := the clock title.
void ShowClockTitle(HWND window);

// Timer 1 starts (30 s) and the clock title shows at once.
void StartClock(HWND window);

// Timer 1 stops and the plain title shows.
void StopClock(HWND window);

// Command IDM_TIME: Time on or off, the clock started or stopped, and
// "Time" written.
void ToggleClock(HWND window);

// Timer 1: the clock title, unless the window is minimised.
void OnClockTimer(HWND window);

// The time source: fills *local with the current local time; false when the
// time cannot be read or converted. Tests put a fixed date here.
extern bool (*ReadLocalTime)(std::tm *local);

// The default source: the calendar time converted to local time with the
// standard library (the system's time zone and daylight-saving rules).
bool ReadSystemLocalTime(std::tm *local);
