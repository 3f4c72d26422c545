// The interface language as a setting: read at start from the key "Lang",
// and switched by the View menu's item (command IDM_LANGUAGE).
#pragma once

#include <windows.h>

// At start, after the settings paths are formed: the language from "Lang".
void ReadLanguageOption();

// Command IDM_LANGUAGE: the other language, written to "Lang" at once, and
// every text on show follows: the menu bar and the popups, the title, the
// tray tip, a message in the result field and the buttons' spoken names.
void SwitchLanguage(HWND window);
