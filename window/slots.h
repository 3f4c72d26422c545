// The 26 slots A-Z in the entry's drop-down list and the evaluation command.
// The list item of a slot is its letter, kSlotMarker ("│") and its expression
// (slot_text.h has the texts and the line handed to the engine).
#pragma once

#include <windows.h>

// First paint: reads Cbo, Deg and Radix, fills the list from the settings
// file, evaluates every slot in letter order (which rebuilds the variables
// A-Z), shows the current slot's result and puts its expression in the entry.
// Silent.
void LoadSlots();

// Commands 1005 and 1006: saves the current slot's expression and Cbo,
// evaluates it as an assignment to its letter and shows the result or the
// error message; the caret goes back to where it was, or to the error.
void EvaluateCurrentSlot();

// After a language switch: an error message in the result field is shown
// again in the language in force.
void RetellResultMessage();

// Every loop turn: when the entry shows a list item (letter, marker,
// expression), makes the list's selected slot current and leaves only the
// expression in the entry. Nothing is evaluated or written.
void PickSlot();

// The sound after an evaluation: MessageBeep by default. Tests put a recorder
// here.
extern BOOL(WINAPI *PlayMessageSound)(UINT type);
