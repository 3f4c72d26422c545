// Where the settings file lives, decided once at start: the file beside the
// program while it can be written, otherwise a file of the user's own in the
// roaming application-data folder, under Vex, named for the program's folder.
// Whichever is used, a file written later in the other place is brought over
// first, so the newest settings always win.
#pragma once

#include <windows.h>

// The folder under the application-data folder that holds the per-user files.
extern const wchar_t kUserSettingsFolder[];  // "Vex"

// SettingsFile holds the folder file's path on entry. Undoes a replace cut
// off (settings_encoding.h, RecoverSettingsFile) in both places, decides the
// place by ChooseSettingsPlace, brings a newer file over from the other
// place (and retires a per-user file brought back), converts the chosen file
// to UTF-16, and puts its path in SettingsFile. Where the folder file cannot
// be written, its copy in the virtual store of an earlier version counts as
// a folder-side file too; it is only ever read. A per-user file under the
// mark of an 8.3 spelling is carried over to the long path's mark.
// appDataFolder is the folder that holds Vex; nullptr asks the system for
// the user's roaming application-data folder. Leaves no file behind while
// finding out whether the folder file can be written, and makes the folder
// Vex only to write into it. Returns false, with the failure noted to be
// told once, when no place can be written: SettingsFile then names the
// newer file, SettingsReadOnly is set, and a file not in UTF-16 is read
// through a converted copy (SettingsCopy).
bool PlaceSettingsFile(const wchar_t *appDataFolder);
