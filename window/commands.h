// The main window's commands beyond evaluation, views and the clock: undo,
// the clipboard, options, menu states, the context menu and the About box. Every option
// change is written to the settings file at once.
#pragma once

#include <windows.h>

// Command 200: swaps the entry text with UndoText; the caret goes back to
// SavedSelection.
void UndoEntry();

// Command 509: puts the result field's text on the clipboard as plain
// (Unicode) text, through the entry's own copy, and leaves the entry's text
// as it was. An empty result field leaves the clipboard alone.
void CopyAnswer(HWND window);

// Command 1003: always on top on or off.
void ToggleTopmost(HWND window);

// Commands IDM_FIRST_RADIX to IDM_LAST_RADIX and 1008: the output radix of
// the item (2, 8, 10, 16), and the next of those four; SetRadix stores any
// radix.
void SetRadix(int radix);
void ChooseRadixItem(int id);
void StepRadix();

// Commands 517, 518 and 1009: radians or degrees, and the toggle.
void SetDegreeMode(int degrees);
void ToggleDegreeMode();

// Command 1004: sounds on or off.
void ToggleBeep();

// WM_INITMENUPOPUP: grays and checks the items of the main menu (the Edit
// popup serves as the context menu as well) and refreshes SavedSelection.
void UpdateMenuStates();

// WM_RBUTTONDOWN: the Edit popup at (x, y) in screen coordinates.
void OpenContextMenu(HWND window, LPARAM screenPosition);

// Command 1001: the modal About box in the interface language; afterwards the caret goes to the end of
// the entry.
void ShowAboutBox(HWND window);

