// The title with the local date, weekday and time, e.g.
// "関数電卓 Vex 2002-3-5(火)9:5".
#pragma once

#include <windows.h>

#include <ctime>

// Writes the clock title into buffer (kClockTitleSize characters) and
// returns buffer. When the time cannot be read, the plain title.
wchar_t *BuildClockTitle(wchar_t *buffer);

// The time source: fills *local with the current local time; false when the
// time cannot be read or converted. Tests put a fixed date here.
extern bool (*ReadLocalTime)(std::tm *local);

// The default source: the calendar time converted to local time with the
// standard library (the system's time zone and daylight-saving rules).
bool ReadSystemLocalTime(std::tm *local);
