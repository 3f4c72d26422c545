// Helpers for the in-process window tests: a fresh settings file, a main
// window made as the program makes it, and a recorder that catches what
// reaches the main window.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_state.h"

// The settings file of this test executable (window_tests.ini beside it).
std::wstring TestSettingsFile();
void DeleteTestSettingsFile();  // and the .orig, .bak and .tmp beside it
void WriteTestSettingsBytes(const std::string &bytes);
std::string ReadTestSettingsBytes();

// Puts the shared state and every feature's own state back to their values
// before start-up.
void ResetAppState();

// Resets the window side's state, registers the class once, and removes the
// settings file.
void PrepareFreshStart();

// The start-up steps of the program up to the loop: create the window from
// its template, load the accelerators, apply the command-line switch,
// InitMainWindow. The window stays hidden.
HWND StartMainWindow(const wchar_t *commandLine = L"");

// StartMainWindow, then the window is placed at (100, 100), shown and painted
// once (the first paint loads the slots), and the queue is drained.
HWND StartShownMainWindow();

// One turn of the message loop for a message to the main window: applies
// PendingSelection, or refreshes SavedSelection from the entry.
void RunLoopTurn();

// The Ctrl key as the keyboard state shows it to the program.
void SetControlKey(bool down);

// Destroys the main window (deleting a tray icon first) and discards the
// messages left in the queue, the quit message included.
void CloseMainWindow();

// Removes all queued messages of this thread without dispatching them.
void DrainMessages();

// Replaces the main window's procedure: WM_COMMAND and WM_RBUTTONDOWN are
// recorded and stop there, everything else goes on to MainWndProc. Calling
// it again only clears the record.
struct RecordedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
void StartRecording(HWND window);
const std::vector<RecordedMessage> &Recorded();

// The dark pixels of a drawing, read back: their count and bounding box.
struct Ink {
  int dark = 0;  // number of dark pixels
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  int width = 0, height = 0;  // of the area read
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
// The area (0, 0)-(width, height) of a device context.
Ink ReadInk(HDC dc, int width, int height);
// A control's drawing area as it is on the screen.
Ink ReadControlInk(HWND control);

// The entry's text and selection.
std::wstring EntryText();
DWORD EntrySelection();

// A test on the main window, shown and painted once (the first paint has
// loaded the slots and one loop turn has applied its caret); afterwards the
// Ctrl key is released, the window closed and the settings file removed.
class ShownWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    ASSERT_NE(StartShownMainWindow(), nullptr);
    RunLoopTurn();
  }
  void TearDown() override {
    SetControlKey(false);
    CloseMainWindow();
    DeleteTestSettingsFile();
  }
  static void Turn() { RunLoopTurn(); }
  static void Command(int id) { SendMessageW(State.MainWindow, WM_COMMAND, id, 0); }
};
