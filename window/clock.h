// The title with the local date, weekday and time.
#pragma once

#include <windows.h>

// Writes the clock title into buffer (kClockTitleSize characters) and
// returns buffer.
wchar_t *BuildClockTitle(wchar_t *buffer);
