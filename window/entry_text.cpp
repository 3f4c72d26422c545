#include "entry_text.h"

#include "app_state.h"

DWORD ReadLiveSelection() {
  if (PendingSelection != kNoPendingSelection) {
    SavedSelection = PendingSelection;
  } else if (Entry != nullptr) {
    SavedSelection = static_cast<DWORD>(SendMessageW(Entry, CB_GETEDITSEL, 0, 0));
  }
  return SavedSelection;
}
