#include "message_loop.h"

#include "app_state.h"
#include "slots.h"

// The accelerator table VexAccelerator, loaded once at start.
static HACCEL Accelerators = nullptr;

void LoadKeyAccelerators(HINSTANCE instance) {
  Accelerators = LoadAcceleratorsW(instance, L"VexAccelerator");
}

void ReaddressRightButton(MSG &message) {
  if (message.message != WM_RBUTTONDOWN) return;
  POINT cursor = {};
  GetCursorPos(&cursor);
  RECT outer = {};
  if (State.MainWindow != nullptr && GetWindowRect(State.MainWindow, &outer) &&
      cursor.x > outer.left && cursor.x < outer.right && cursor.y > outer.top &&
      cursor.y < outer.bottom) {
    message.hwnd = State.MainWindow;
  }
  message.lParam = MAKELPARAM(cursor.x, cursor.y);
}

// The key table. The loop turns these key-downs into commands itself, before
// the accelerator table sees the message: Enter or key code 61 (the character
// code of "=") evaluates, F1 opens the help, and Ctrl with A, B, D or S runs
// next view, copy answer, degrees and next radix. Enter has no row in the
// accelerator table: the loop leaves out the dialog manager's keyboard
// handling (IsDialogMessage), which is what would turn Enter into a default
// button's command. F1 and the four Ctrl keys also stand in the table
// VexAccelerator, but once they are commands here its rows for them never
// match in this loop; they stay as the resources' list of the program's keys,
// which the help pages follow. What the table alone handles is the typed "=":
// its ASCII row matches the character message (WM_CHAR) that TranslateMessage
// makes from whichever key gives "=" on the user's layout, a key no key code
// names on every layout, and sends IDM_EVALUATE. A command is known by its id
// alone, so a key has the same effect whichever path turns it into one.
static int CommandForKey(WPARAM key) {
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  switch (key) {
    case VK_RETURN:
    case 61:
      return IDM_EVALUATE_KEY;
    case VK_F1:
      return IDM_HELP_CONTENTS;
    case 'A':
      return ctrl ? IDM_NEXT_VIEW : 0;
    case 'B':
      return ctrl ? IDM_COPY_ANSWER : 0;
    case 'D':
      return ctrl ? IDM_TOGGLE_DEGREES : 0;
    case 'S':
      return ctrl ? IDM_NEXT_RADIX : 0;
    default:
      return 0;
  }
}

bool TranslateLoopKey(MSG &message) {
  if (message.message != WM_KEYDOWN) return false;
  int command = CommandForKey(message.wParam);
  if (command == 0) return false;
  message.hwnd = State.MainWindow;
  message.message = WM_COMMAND;
  message.wParam = static_cast<WPARAM>(command);
  message.lParam = 0;
  return true;
}

void TrackSelection(const MSG &message) {
  if (State.PendingSelection != kNoPendingSelection) {
    SendMessageW(State.Entry, CB_SETEDITSEL, 0, static_cast<LPARAM>(State.PendingSelection));
    State.SavedSelection = State.PendingSelection;
    State.PendingSelection = kNoPendingSelection;
  } else if (message.hwnd == State.MainWindow && State.MainWindow != nullptr) {
    State.SavedSelection = static_cast<DWORD>(SendMessageW(State.Entry, CB_GETEDITSEL, 0, 0));
  }
}

void ProcessLoopMessage(MSG &message) {
  ReaddressRightButton(message);
  PickSlot();
  TranslateLoopKey(message);
  TrackSelection(message);
  if (!TranslateAcceleratorW(State.MainWindow, Accelerators, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 0;
    ProcessLoopMessage(message);
  }
  return static_cast<int>(message.wParam);
}
