// Helpers for the end-to-end tests: the real vex.exe runs as its own process
// in a folder of its own (so with its own vex.ini), and the test drives it
// from outside as a person would, with keys sent through SendInput, and reads
// what the person would see: control texts, the title, the clipboard and the
// settings file.
//
// Only one copy of the program can run at a time (a second start shows the
// first window), so these tests run one after the other.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "clipboard.h"  // ReadClipboard, WriteClipboard
#include "resource_ids.h"

struct VexRun {
  std::wstring folder;  // holds vex.exe and its vex.ini
  PROCESS_INFORMATION process = {};
  HWND window = nullptr;
  DWORD exitCode = STILL_ACTIVE;
};

// The name of the test that runs now, for its folder.
std::wstring CurrentTestName();

// Makes an empty folder named after the test in the temporary folder and
// copies vex.exe (built beside the tests) into it. Returns "" on failure.
std::wstring MakeVexFolder(const std::wstring &name);
// Deletes the folder and everything in it.
void RemoveVexFolder(const std::wstring &folder);

// Starts folder\vex.exe with the arguments, in that folder; false when it
// cannot be started. Nothing is waited for.
bool LaunchVex(const std::wstring &folder, const std::wstring &arguments,
               PROCESS_INFORMATION &process);
// Starts run.folder\vex.exe with the arguments and waits until its main
// window is set up (its controls made and its title set), which may stay
// hidden (tray mode), and the program is idle again.
bool StartHiddenVex(VexRun &run, const std::wstring &arguments);
// Starts folder\vex.exe with the arguments and waits for its main window
// (class VexClass300, of that process) to be visible and to have the
// keyboard focus in the entry. False when it did not come up.
bool StartVex(VexRun &run, const std::wstring &arguments = L"");
// Posts WM_CLOSE and waits for the process to end (killing it after the
// wait); run.exitCode then holds its exit code. True when it ended by itself.
bool StopVex(VexRun &run);

// Brings the window to the front with the focus in the entry.
bool FocusEntry(const VexRun &run);

// Keys as the keyboard sends them to the foreground window.
void TypeText(const std::wstring &text);               // KEYEVENTF_UNICODE
void PressKey(WORD virtualKey, bool ctrl = false);     // down and up

// Text of a control of the window (WM_GETTEXT, at most 1023 characters).
std::wstring ReadControlText(HWND window, int id);
std::wstring ReadWindowTitle(HWND window);
// The entry's selection (CB_GETEDITSEL): start low, end high.
DWORD ReadEntrySelection(HWND window);
// A key of the program's settings file; "<absent>" when missing.
std::wstring ReadIni(const VexRun &run, const wchar_t *section, const wchar_t *key);
// Writes a key of the settings file before the program starts.
bool WriteIni(const std::wstring &folder, const wchar_t *section, const wchar_t *key,
              const wchar_t *value);

// Polls the condition until it holds or the time is up (generous: the test
// only waits longer when something is wrong).
bool WaitFor(const std::function<bool()> &condition, DWORD milliseconds = 10000);
// Waits until the control's text is the expected one; returns the last text seen.
std::wstring WaitForControlText(HWND window, int id, const std::wstring &expected);

// --- Mouse, chords, menus, geometry and other windows ---

// The window's outer rectangle on the screen (empty when it has none).
RECT ReadWindowRect(HWND window);
// The outer rectangle on the screen of the window's control with this id.
RECT ReadControlRect(HWND window, int id);
// Moves the cursor to a point on the screen and clicks the left button there.
void ClickScreenPoint(POINT point);
// Clicks the left button at the centre of the control, as a person would:
// the cursor moves there and presses. False (and no click) when that point
// is not on the control on the screen, e.g. when the window's height cuts
// the control off or another window covers it.
bool ClickControl(HWND window, int id);
// Holds the modifier key (VK_CONTROL, VK_MENU, VK_SHIFT) while the key goes
// down and up.
void PressChord(WORD modifier, WORD key);
// Opens a popup of the menu bar by its mnemonic (Alt+letter), waits for it
// and chooses an item by its mnemonic letter. False when the popup did not
// open.
bool ChooseMenuItem(const VexRun &run, wchar_t popupLetter, wchar_t itemLetter);
// A top-level window of the process with this class (nullptr when none).
HWND FindProcessWindow(DWORD processId, const wchar_t *className);
// Waits for a visible top-level window of the program with this class.
HWND WaitForWindowClass(const VexRun &run, const wchar_t *className, DWORD milliseconds = 10000);
// Waits until the clipboard holds the expected text; returns the last text seen.
std::wstring WaitForClipboard(const std::wstring &expected);

// A test that drives vex.exe in a folder of its own, named after the test,
// whose settings file has the sounds off before the first start; afterwards
// the program is stopped and the folder removed.
class VexEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    run.folder = MakeVexFolder(CurrentTestName());
    ASSERT_FALSE(run.folder.empty());
    ASSERT_TRUE(WriteIni(run.folder, L"Vex", L"Beep", L"0"));
  }
  void TearDown() override {
    StopVex(run);
    RemoveVexFolder(run.folder);
  }
  // Types a new expression for the current slot, presses Enter and waits
  // for the result field to show result.
  void Evaluate(const std::wstring &expression, const std::wstring &result) {
    ASSERT_TRUE(FocusEntry(run));
    PressKey(VK_END);
    PressChord(VK_SHIFT, VK_HOME);
    TypeText(expression);
    ASSERT_EQ(WaitForControlText(run.window, IDC_ENTRY, expression), expression);
    PressKey(VK_RETURN);
    ASSERT_EQ(WaitForControlText(run.window, IDC_RESULT, result), result);
  }
  VexRun run;
};
