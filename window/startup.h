// Process start: single instance, class, main window and start-up settings;
// then the message loop (message_loop.h) runs.
#pragma once

#include <windows.h>

#include "window_position.h"  // ScreenRect

// The body of the program's entry point; returns the exit code.
int RunProgram(HINSTANCE instance, const wchar_t *commandLine, int showCommand);

// Shows the window of a running copy (class VexClass300). True if there was one.
bool ShowRunningCopy();

// Registers the class VexClass300 with MainWndProc.
bool RegisterMainClass(HINSTANCE instance);

// Creates the main window, hidden, from the dialog template VexClass300.
HWND CreateMainWindow(HINSTANCE instance);

// The screen resolution, the taskbar's message, title, settings and help
// paths, options, position, topmost, clock timer, tray icon, menus and view.
// Called once, before the window is shown.
void InitMainWindow(HWND window);

// The full rectangles of the monitors (at most capacity of them, in the
// order the system lists them), or the desktop window's rectangle when no
// monitor is reported. Returns how many were written.
constexpr size_t kMaxMonitors = 64;
size_t ReadMonitorRects(ScreenRect *rects, size_t capacity);

// Shows the window with showCommand, or keeps it hidden in tray mode; then
// the start sound.
void ShowMainWindow(HWND window, int showCommand);
