// The window's look: light as the system draws it, or dark, chosen by the
// user ("Theme") or following the system's app mode, with high contrast
// overruling both. The light look is exactly the system's own: every handler
// here leaves the message to its default handling unless the look is dark.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "theme_choice.h"

// At start, with the settings file known: reads "Theme", the system's facts
// and puts the look in force (class brush, caption), before the window shows.
void StartTheme(HWND window);

ThemeChoice CurrentThemeChoice();
bool IsDarkLookInForce();
// False where push buttons cannot be drawn by their parent: there the dark
// item of the menu is grayed.
bool IsDarkLookAvailable();

// A choice from the Color Mode popup (IDM_FIRST_THEME..IDM_LAST_THEME):
// written at once, and the window changes at once.
void ChooseThemeItem(HWND window, int id);

// WM_SETTINGCHANGE (lParam as received) and WM_SYSCOLORCHANGE: the facts
// are read again and the window repainted at once when its look changes.
void OnThemeSettingChange(HWND window, LPARAM lParam);
void OnSystemColorChange(HWND window);

// WM_ERASEBKGND while dark: fills the client area and returns true.
bool EraseDarkBackground(HWND window, HDC dc);

// WM_CTLCOLOR* while dark: sets the text and background colours into dc and
// returns the brush to paint with; nullptr in the light look. A field is the
// entry, its list or the result field; otherwise the About box's surface.
HBRUSH ColorDarkControl(HDC dc, bool field);

// WM_NOTIFY: a push button's custom draw while dark. True when handled, with
// the value to return in result.
bool DrawDarkButton(const NMHDR *header, LRESULT *result);

// A dark caption for a top-level window of the dark look (the main window,
// the About box); does nothing where the system offers none.
void ApplyDarkCaption(HWND window, bool dark);

// Whether high contrast is on. Replaceable, so that the in-process tests can
// turn it on: the system does not let them (and Wine refuses to).
using HighContrastReader = bool (*)();
extern HighContrastReader ReadHighContrast;
bool ReadSystemHighContrast();

// Whether the push buttons send NM_CUSTOMDRAW, from the button given.
// Replaceable, so that the tests can stand in for Windows XP's buttons.
using ButtonCustomDrawReader = bool (*)(HWND button);
extern ButtonCustomDrawReader ReadButtonCustomDraw;
bool ReadSystemButtonCustomDraw(HWND button);

// Back to the state before start-up (tests).
void ResetTheme();
