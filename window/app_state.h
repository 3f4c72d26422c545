// The state the window side's files share: handles, options, the entry's
// selection bookkeeping, and the texts and paths formed at start. Everything
// lives for the whole run. A feature's own state (the tray icon, the help
// control, the accessibility service, the failed-write report, the loop's
// accelerators) stays in that feature's file.
#pragma once

#include <windows.h>

#include "resource_ids.h"
#include "settings_values.h"  // the options' defaults
#include "slot_text.h"        // kSlotCount, kSlotMarker, the selection values

// Selection values: start in the low 16 bits, end in the high 16 bits;
// kNoPendingSelection and kCaretToEnd (start 999, end 999, past any entry
// text) come with the slot texts.

// Buffer sizes, in characters including the terminator.
constexpr int kEntryTextSize = 256;   // every text read from a control
constexpr int kPathSize = MAX_PATH;   // 260: the longest path the private-profile calls take
constexpr int kLongPathSize = 32768;  // the longest path of the system, 32 767 characters
constexpr int kTitleSize = 16;        // the plain title
constexpr int kClockTitleSize = 40;   // plain title + " yyyy-m-d(w)h:m"

// Every value as it stands before start-up; the program starts from these.
struct AppState {
  // Handles
  HINSTANCE Instance = nullptr;
  HWND MainWindow = nullptr;
  HWND Entry = nullptr;         // control 1000, the entry combo box
  HMENU MainMenu = nullptr;     // VexMenu, kept even while no menu bar is attached
  HMENU EditPopup = nullptr;    // its popup 0, also the context menu
  HMENU TrayMenu = nullptr;     // VexMenu1
  HMENU TrayPopup = nullptr;    // its popup 0

  // Options (settings keys in brackets)
  int View = kDefaultView;          // [View] 0-3: bit 0 keypad, bit 1 menu bar
  int Top = kDefaultTop;            // [Top] always on top
  int Time = kDefaultTime;          // [Time] clock in the title
  int BeepOption = kDefaultBeep;    // [Beep] sounds
  int Radix = kDefaultRadix;        // [Radix] as stored: 2, 8, 10, 16 (others print as 10)
  int DegreeMode = kDefaultDeg;     // [Deg]
  bool TrayMode = false;            // /t or [Tbar]

  // Slots and the result field
  int CurrentSlot = kDefaultSlot;   // [Cbo] 0-25
  wchar_t ResultText[kEntryTextSize] = {};
  int LastEvalFailed = 0;           // EvalError code of the text in the result field

  // The entry's selection bookkeeping (see the message loop)
  DWORD PendingSelection = kNoPendingSelection;
  DWORD SavedSelection = 0;
  wchar_t UndoText[kEntryTextSize] = {};

  // Flags
  bool RefocusPending = false;
  bool FirstPaint = true;

  // Texts and paths formed at start
  wchar_t TitleText[kTitleSize] = {};
  // Set at start when no place can be written: nothing is written, and a file
  // not in UTF-16 is read through a converted copy in the temporary folder.
  bool SettingsReadOnly = false;
};

extern AppState State;

// The paths formed at start, of the system's longest length. Kept apart from
// AppState, whose defaults put it in the program file's initialised data:
// these start as zeros and so take no room in vex.exe.
struct AppPaths {
  wchar_t SettingsFile[kLongPathSize];  // the folder file or the per-user file
  wchar_t SettingsCopy[kLongPathSize];  // the converted copy read while nothing can be written, or ""
  wchar_t HelpFile[kLongPathSize];
};

extern AppPaths Paths;
