// The texts of the user interface that are not resources, per language: the
// evaluation messages, the failed-write box, the clock title's weekdays, the
// symbol buttons' spoken names and the tray tip. vex.exe and vexc both take
// them from here; the menus, the About box and the title are resources of
// each language in vex.exe.
//
// Portable: no platform header. The evaluation messages are UTF-8, like the
// engine's line buffer they replace the engine's own message in; every other
// text is UTF-16, as the window side hands it to the system.
#pragma once

#include <cstddef>

enum class UiLanguage { kJapanese, kEnglish };

// The message of an evaluation error code (1, 2, 4, 5) in the language, UTF-8;
// "" for 0 and for codes that have none. The Japanese ones are the engine's.
const char *GetEvalMessage(int code, UiLanguage language);

// The failed-write box: a printf format with one %ls, the settings file's path.
const char16_t *GetSettingsFailureFormat(UiLanguage language);

// The weekday in the clock title, 0 Sunday to 6 Saturday ("火", "Tue"); "?"
// outside 0-6.
const char16_t *GetWeekdayName(int weekday, UiLanguage language);
// The longest weekday name of any language, in UTF-16 units.
inline constexpr std::size_t kMaxWeekdayNameLength = 3;

// The spoken name of a keypad button whose caption is a mark or an editing
// command, by its control id; nullptr for a button that says its own caption.
const char16_t *GetSpokenButtonName(int id, UiLanguage language);
// How many buttons have spoken names, and the id of each (0 past the end).
extern const std::size_t kSpokenButtonCount;
int GetSpokenButtonId(std::size_t index);

// The notification-area icon's tip (at most 63 characters).
const char16_t *GetTrayTip(UiLanguage language);
