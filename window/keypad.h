// The keypad and function buttons on the entry: the window side of
// ApplyKeypadEdit (window/logic/keypad_edit.h).
#pragma once

#include <windows.h>

// True when id names a button of the main window's keypad: a character
// button (32-126) or a function or editing button (1001-1038) that exists as
// a push button. Command ids in those ranges without such a button are
// ignored, so that a stray command never replaces the entry's selection.
bool IsKeypadButton(HWND window, int id);

// Applies button id to the entry: reads the entry text, SavedSelection and
// the button's caption, and puts the outcome back into the entry,
// PendingSelection and UndoText. An insertion that would make the text
// longer than 255 characters is refused: the text stays, the exclamation
// sound plays if sounds are on. The entry gets the focus in every case.
void ApplyKeypadButton(HWND window, int id);
