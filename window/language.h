// The interface language in force and the resources of each language. The
// choice comes from the settings (language_switch.h); until then, and on a
// first start on any system, it is Japanese.
#pragma once

#include <windows.h>

#include "ui_texts.h"  // UiLanguage

// The language in force, and the one to put in force.
UiLanguage CurrentLanguage();
void SetCurrentLanguage(UiLanguage language);

// Resources asked for by name and language. A plain LoadMenuW or LoadStringW
// would take the language the system prefers (and Wine ignores the thread's
// UI language altogether), so an English Windows would get the English
// interface unasked.
HMENU LoadMenuInLanguage(const wchar_t *name, UiLanguage language);
// String id into buffer (size characters with the terminator); returns the
// length, 0 with an empty text when there is no such string.
int LoadStringInLanguage(UINT id, UiLanguage language, wchar_t *buffer, int size);
// The modal dialog of the template name; -1 when the template is missing.
INT_PTR ShowDialogInLanguage(const wchar_t *name, HWND owner, DLGPROC procedure);

// The menus VexMenu and VexMenu1 and the plain title, in the language in
// force, replacing the handles kept in app_state.h (the caller destroys the
// old menus).
void LoadLanguageMenus();
void LoadTitleText();
