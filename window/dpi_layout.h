// The window's resolution and the layout that follows it. The program is
// aware of each monitor's resolution: when the window comes onto a monitor
// of another scale, the system sends WM_DPICHANGED and the window lays
// itself out again from its dialog template, at the new resolution, exactly
// as a fresh start there would.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

// The resolution the window is laid out for (96 before start).
int WindowDpi();

// The client area's width at that resolution, as the template gives it; 0
// while the window is as the dialog manager created it.
int WindowClientWidth();

// At start, before the window is placed: the resolution the dialog manager
// created the window at, the template's geometry, and the system's own
// rescaling of dialogs switched off (the window does its own).
void StartWindowDpi(HWND window);

// At start, after the move to the stored position: when that put the window
// on a monitor of another scale, it is laid out for that scale and stays at
// the stored place.
void FollowMonitorDpiAtStart(HWND window);

// WM_DPICHANGED: the new resolution in wParam, the suggested rectangle in
// lParam (its position is taken). A resolution of 0 is ignored, others are
// held within kMinDpi..kMaxDpi; a null rectangle keeps the position. True
// when the window is to take its size now (ApplyView); while it is
// minimised, WM_DPI_FIT asks for that when it is restored.
bool ChangeWindowDpi(HWND window, WPARAM wParam, LPARAM lParam);

// WM_GETDPISCALEDSIZE: writes the size a fresh start at the resolution in
// wParam would have into the SIZE at lParam; false when it cannot.
bool ComputeDpiScaledSize(HWND window, WPARAM wParam, LPARAM lParam);

// WM_SIZE: a window restored after a change while minimised posts itself
// WM_DPI_FIT, to take its size.
void FinishPendingDpiChange(HWND window, WPARAM sizeType);
constexpr UINT WM_DPI_FIT = WM_APP + 20;

// WM_DESTROY: the fonts and icons made for other resolutions go.
void EndWindowDpi(HWND window);
