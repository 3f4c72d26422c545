// Where the settings file lives, decided once at start: the file beside the
// program while it can be written, otherwise the file of the same name in the
// user's roaming application-data folder, under Vex.
#pragma once

#include <windows.h>

// The folder under the application-data folder that holds the per-user file.
extern const wchar_t kUserSettingsFolder[];  // "Vex"

// SettingsFile holds the folder file's path on entry. Decides the place by
// ChooseSettingsPlace and puts the chosen file's path in SettingsFile,
// copying the folder file to the per-user place first when the rule says so
// (the copy is made writable). appDataFolder is the folder to make Vex in;
// nullptr asks the system for the user's roaming application-data folder.
// Leaves no file behind while finding out whether the folder file can be
// written. Returns false, with the failure noted to be told once, when no
// place can be written or the copy failed; SettingsFile then keeps the folder
// file, which is still read.
bool PlaceSettingsFile(const wchar_t *appDataFolder);
