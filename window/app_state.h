// Process-wide state of the window side: handles, options, the entry's
// selection bookkeeping and the flags shared by the start-up code, the window
// procedure and the slots. Everything lives for the whole run.
#pragma once

#include <windows.h>

#include "resource_ids.h"
#include "slot_text.h"  // kSlotCount, kSlotMarker, the selection values

// Selection values: start in the low 16 bits, end in the high 16 bits;
// kNoPendingSelection and kCaretToEnd (start 999, end 999, past any entry
// text) come with the slot texts.

// Buffer sizes, in characters including the terminator.
constexpr int kEntryTextSize = 256;   // every text read from a control
constexpr int kPathSize = MAX_PATH;   // 260: the longest path the private-profile calls take
constexpr int kLongPathSize = 32768;  // the longest path of the system, 32 767 characters
constexpr int kTitleSize = 16;        // the plain title
constexpr int kClockTitleSize = 40;   // plain title + " yyyy-m-d(w)h:m"

// Handles
extern HINSTANCE Instance;
extern HWND MainWindow;
extern HWND Entry;            // control 1000, the entry combo box
extern HACCEL Accelerators;   // VexAccelerator
extern HMENU MainMenu;        // VexMenu, kept even while no menu bar is attached
extern HMENU EditPopup;       // popups 0-3 of VexMenu
extern HMENU ViewPopup;
extern HMENU RadixPopup;
extern HMENU AnglePopup;
extern HMENU TrayMenu;        // VexMenu1
extern HMENU TrayPopup;       // its popup 0

// Options (settings keys in brackets)
extern int View;              // [View] 0-3: bit 0 keypad, bit 1 menu bar
extern int Top;               // [Top] always on top
extern int Time;              // [Time] clock in the title
extern int BeepOption;        // [Beep] sounds (the platform already has a function Beep)
extern int Radix;             // [Radix] output radix as stored: 2, 8, 10, 16 (others print as 10)
extern int DegreeMode;        // [Deg]
extern bool TrayMode;         // /t or [Tbar]

// Slots and the result field
extern int CurrentSlot;       // [Cbo] 0-25
extern wchar_t ResultText[kEntryTextSize];
extern int LastEvalFailed;    // EvalError code of the text in the result field

// The entry's selection bookkeeping (see the message loop)
extern DWORD PendingSelection;
extern DWORD SavedSelection;
extern wchar_t UndoText[kEntryTextSize];

// Flags
extern bool RefocusPending;
extern bool FirstPaint;
extern bool TrayIconShown;
extern bool TrayIconRemoved;  // the user took the icon away (command 121): not added again

// The message the shell broadcasts when the taskbar has been (re)created;
// 0 until registered at start.
extern UINT TaskbarCreatedMessage;
// The tray icon at the size of the system's small icons, loaded once.
extern HICON TrayIcon;

// Screen readers: the system's accessibility property service (nullptr where
// there is none) and whether this thread's COM was started for it.
struct IAccPropServices;
extern IAccPropServices *PropertyService;
extern bool ComStarted;

// The help control, loaded on the first help request and kept until exit
typedef HWND(WINAPI *HelpEntryPoint)(HWND caller, const wchar_t *file, UINT command,
                                     DWORD_PTR data);
extern HMODULE HelpModule;
extern HelpEntryPoint HelpFunction;
extern bool HelpUnavailable;      // set once loading failed: no further attempts

// Texts and paths formed at start
extern wchar_t TitleText[kTitleSize];
extern wchar_t SettingsFile[kLongPathSize];  // the folder file or the per-user file
// Set at start when no place can be written: nothing is written, and a file
// not in UTF-16 is read through a converted copy in the temporary folder.
extern bool SettingsReadOnly;
extern wchar_t SettingsCopy[kLongPathSize];  // that copy, or ""
extern wchar_t HelpFile[kLongPathSize];

// A settings write that failed (or a start without any place that can be
// written) is told to the user once per run, with a message box.
extern bool SettingsFailurePending;  // a failure is waiting to be told
extern bool SettingsFailureTold;     // the box was shown (or is up): never again this run

// Puts every value above back to its state before start-up (used between the
// in-process tests; the program itself starts from these values).
void ResetAppState();
