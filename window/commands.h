// The main window's commands beyond evaluation: undo, the clipboard, views,
// options, menu states, the context menu and the About box. Every option
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

// Commands 505 and 1007: keypad on or off, and the next of the four views.
void ToggleKeypad(HWND window);
void StepView(HWND window);

// Command 1003: always on top on or off.
void ToggleTopmost(HWND window);

// Command 512: the clock in the title on or off (timer 1, every 30 s).
void ToggleClock(HWND window);

// Commands 513-516 and 1008: the output radix, and the next of 2, 8, 10, 16.
void SetRadix(int radix);
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

// Command 1001: the modal About box; afterwards the caret goes to the end of
// the entry.
void ShowAboutBox(HWND window);

// The entry gets the focus and the caret goes to the end of its text at the
// next loop turn.
void FocusEntryAtEnd();
