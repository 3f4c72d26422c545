// Telling the user, once per run, that the settings file could not be
// written: a message box in front of the main window that names the file. A
// failure is never told during start-up: it waits until the window has been
// painted with its slots, and is then told from the message loop.
#pragma once

#include <windows.h>

// Posted to the main window to tell a waiting failure from the loop.
constexpr UINT WM_SETTINGS_FAILED = WM_APP + 1;

// A write failed, or no place for the settings could be written at start:
// remembered, and posted to the main window when it has had its first paint.
// Nothing more once the box has been shown.
void NoteSettingsFailure();

// At the end of the first paint: posts a failure remembered during start-up.
void TellPendingSettingsFailure();

// WM_SETTINGS_FAILED: shows the box (owner: window; its text in the interface
// language names the file, its title is the program's title) unless it was shown
// already this run. Failures while the box is up are not told again. The
// keyboard focus then goes back to the entry, the caret where it was.
void TellSettingsFailure(HWND window);

// The box: MessageBoxW by default. Tests put a recorder here.
extern int(WINAPI *ShowSettingsMessage)(HWND owner, const wchar_t *text, const wchar_t *title,
                                        UINT type);

// Whether a failure waits to be told, and the report as before start-up
// (between the in-process tests).
bool IsSettingsFailurePending();
void ResetSettingsReport();
