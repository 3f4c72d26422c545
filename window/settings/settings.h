// The settings file: vex.ini beside the executable (or, when that cannot be
// written, in the user's application-data folder: settings_place.h), read
// through the platform's private-profile calls. Section "Vex" holds the
// options, section "Data" the slot expressions A-Z. Every change is written at
// once, one key at a time; a failed write leaves the value in force in memory
// and is told to the user once (settings_report.h).
#pragma once

#include <windows.h>

#include "settings_values.h"  // the sections, keys and defaults

extern const wchar_t kSettingsSuffix[];  // "ini"
extern const wchar_t kHelpSuffix[];      // "chm"

// Called once at start. HelpFile: the executable's path with its last three
// characters replaced by "chm". SettingsFile: the same with "ini" (the
// folder file), or the per-user file that PlaceSettingsFile chooses. Without
// a usable executable path both are empty and the failure is noted.
void FormSettingsPaths();

// The executable's full path, up to size - 1 characters (kLongPathSize holds
// any path of the system). False, with an empty text, when it cannot be read
// or does not fit.
bool ReadExecutablePath(wchar_t *buffer, DWORD size);

// Forms a path from the executable's path: the last three characters are
// replaced by the three of suffix. out holds kLongPathSize characters and is
// not exePath; a path too short to have an extension gives an empty text.
void FormPathBeside(const wchar_t *exePath, const wchar_t *suffix, wchar_t *out);

// An integer key; the default when the file, the section or the key is
// missing or the value is empty. The text is converted like atoi.
int ReadSettingInt(const wchar_t *section, const wchar_t *key, int defaultValue);

// A text key, cut to size - 1 characters; "" when missing.
void ReadSettingText(const wchar_t *section, const wchar_t *key, wchar_t *buffer, DWORD size);

// Writes one key. Creates the file as UTF-16LE with a byte-order mark first
// when it does not exist, and converts one in another encoding first (never
// writing into an 8-bit file), so that any text survives on any code page.
// Line breaks in the value become blanks. Returns false when the write failed
// (or there is no settings file, or nothing can be written this run), after
// noting the failure to be told once.
bool WriteSettingText(const wchar_t *section, const wchar_t *key, const wchar_t *value);
bool WriteSettingInt(const wchar_t *section, const wchar_t *key, int value);

// The options read at start: Wx and Wy (returned), Top, View, Time, Tbar (only
// while TrayMode is not set) and Beep, with their defaults and range rules.
void ReadStartOptions(int *wx, int *wy);

// The options read at the first paint: Cbo, Deg and Radix.
void ReadFirstPaintOptions();

// The expression of slot 0-25 ("Data" key A-Z); "" when absent.
void ReadSlotExpression(int slot, wchar_t *buffer, DWORD size);
