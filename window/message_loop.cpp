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
  if (State.MainWindow != nullptr && GetWindowRect(State.MainWindow, &outer) && cursor.x > outer.left &&
      cursor.x < outer.right && cursor.y > outer.top && cursor.y < outer.bottom) {
    message.hwnd = State.MainWindow;
  }
  message.lParam = MAKELPARAM(cursor.x, cursor.y);
}

// The key table: Enter or key code 61 evaluates, F1 opens the help, and
// Ctrl with A, B, D or S runs next view, copy answer, degrees and next radix.
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
