// The 26 slots A-Z in the entry's drop-down list and the evaluation command.
#pragma once

#include <windows.h>

// Between a slot's letter and its expression in the list: "│" (U+2502).
constexpr wchar_t kSlotMarker = L'\x2502';

// First paint: fills the list from the settings file and sets up the entry.
void LoadSlots();

// Commands 1005 and 1006: saves and evaluates the current slot.
void EvaluateCurrentSlot();

// Every loop turn: when the entry shows a list item (letter, marker,
// expression), makes that slot current and leaves only the expression.
void PickSlot();
