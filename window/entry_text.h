// Reading the entry: its selection as the user sees it.
#pragma once

#include <windows.h>

// The entry's selection as the user sees it now: a selection that a command
// has left pending and the loop has not applied yet, otherwise the entry's
// own. The loop refreshes SavedSelection only on messages addressed to the
// main window, so after typing in the entry, or a click from the entry
// straight onto a button, the saved value would be the caret of before; the
// entry keeps its selection while a button has the focus, so it is read
// here. The value also becomes SavedSelection.
DWORD ReadLiveSelection();
