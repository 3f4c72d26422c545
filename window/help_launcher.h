// The help file launcher: the platform's HTML Help control, found and loaded
// on the first request and kept for the rest of the run.
#pragma once

#include <windows.h>

// Where the control is looked for: the registered location of its library
// (the default value of root\key), then the file systemFile of the system
// folder, by its full path.
struct HelpControlPlaces {
  HKEY root;
  const wchar_t *key;
  const wchar_t *systemFile;
};
// HKEY_CLASSES_ROOT\CLSID\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\InprocServer32
// and hhctrl.ocx.
extern const HelpControlPlaces kHelpControlPlaces;

// The control's command that opens a help file at its table of contents
// (HH_DISPLAY_TOC).
constexpr UINT kHelpDisplayContents = 1;

// Passes the four arguments unchanged to the control's wide-character entry
// point and returns its result (the help window), or nullptr when help is
// unavailable. The first call loads the control; if that fails, help stays
// unavailable for the rest of the run and nothing is tried again.
HWND ShowHelp(HWND caller, const wchar_t *file, UINT command, DWORD_PTR data);
// The same, looking for the control in the given places (the program uses
// kHelpControlPlaces).
HWND ShowHelpFrom(const HelpControlPlaces &places, HWND caller, const wchar_t *file,
                  UINT command, DWORD_PTR data);

// Reads the registered location of the control into buffer (kPathSize
// characters). False when the key or its default value is missing, the value
// is not text, or it does not fit. An expandable value (REG_EXPAND_SZ) has its
// environment variables expanded.
bool ReadHelpControlPath(wchar_t *buffer);
bool ReadHelpControlPathFrom(HKEY root, const wchar_t *key, wchar_t *buffer);

// The English help file beside the help file: "...\\vex.chm" gives
// "...\\vex-en.chm" in out (size characters with the terminator). False, with
// an empty text, when helpFile does not end in ".chm" or out has no room.
bool FormEnglishHelpPath(const wchar_t *helpFile, wchar_t *out, size_t size);

// Command IDM_HELP_CONTENTS (1030): the help file at its table of contents,
// then the keyboard focus back to the entry. While the interface is English
// that is the English help file (FormEnglishHelpPath) when it exists, else
// the Japanese one.
void OpenHelpContents(HWND window);

// The control's entry point (export 15), as the launcher keeps it.
typedef HWND(WINAPI *HelpEntryPoint)(HWND caller, const wchar_t *file, UINT command,
                                     DWORD_PTR data);

// The loaded control and its entry point (nullptr until the first request),
// and whether loading failed for the rest of the run.
HMODULE GetHelpModule();
HelpEntryPoint GetHelpFunction();
bool IsHelpUnavailable();

// Uses a control loaded elsewhere (a test's stand-in) from now on.
void UseHelpControl(HMODULE module, HelpEntryPoint function);

// The launcher as before the first request (between the in-process tests).
void ResetHelpLauncher();
