#include "help_launcher.h"

#include <cwchar>

#include "app_state.h"
#include "language.h"
#include "system_library.h"

const HelpControlPlaces kHelpControlPlaces = {
    HKEY_CLASSES_ROOT,
    L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
    L"hhctrl.ocx",
};

// Export 15 of the control is HtmlHelpW, the wide-character twin of
// HtmlHelpA (14); the help file's path may hold any character.
static const WORD kHelpEntryOrdinal = 15;

// The help control, loaded on the first help request and kept until exit;
// once loading failed no further attempts are made.
static HMODULE HelpModule = nullptr;
static HelpEntryPoint HelpFunction = nullptr;
static bool HelpUnavailable = false;

HMODULE GetHelpModule() { return HelpModule; }
HelpEntryPoint GetHelpFunction() { return HelpFunction; }
bool IsHelpUnavailable() { return HelpUnavailable; }

void UseHelpControl(HMODULE module, HelpEntryPoint function) {
  HelpModule = module;
  HelpFunction = function;
}

void ResetHelpLauncher() {
  HelpModule = nullptr;  // a loaded library stays loaded; only the launcher starts over
  HelpFunction = nullptr;
  HelpUnavailable = false;
}

bool ReadHelpControlPath(wchar_t *buffer) {
  return ReadHelpControlPathFrom(kHelpControlPlaces.root, kHelpControlPlaces.key, buffer);
}

bool ReadHelpControlPathFrom(HKEY root, const wchar_t *key, wchar_t *buffer) {
  buffer[0] = L'\0';
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  wchar_t value[kPathSize];
  DWORD type = 0;
  DWORD size = sizeof value;
  LONG status = RegQueryValueExW(opened, nullptr, nullptr, &type,
                                 reinterpret_cast<BYTE *>(value), &size);
  RegCloseKey(opened);
  // A value longer than the buffer fails with ERROR_MORE_DATA.
  if (status != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  // The stored text need not end with its terminator.
  size_t length = wcsnlen(value, size / sizeof(wchar_t));
  if (length >= static_cast<size_t>(kPathSize)) return false;
  value[length] = L'\0';
  if (type == REG_EXPAND_SZ) {
    DWORD needed = ExpandEnvironmentStringsW(value, buffer, kPathSize);
    if (needed == 0 || needed > static_cast<DWORD>(kPathSize)) {
      buffer[0] = L'\0';
      return false;
    }
    return true;
  }
  wmemcpy(buffer, value, length + 1);
  return true;
}

// A drive path ("C:\...") or a network path ("\\server\..."): a library named
// by anything else would be found through the library search, which looks in
// the program's own folder and the current folder first.
static bool IsFullPath(const wchar_t *path) {
  if (path[0] == L'\\' && path[1] == L'\\') return true;
  return path[0] != L'\0' && path[1] == L':' && path[2] == L'\\';
}

HWND ShowHelpFrom(const HelpControlPlaces &places, HWND caller, const wchar_t *file,
                  UINT command, DWORD_PTR data) {
  if (HelpUnavailable) return nullptr;
  if (HelpModule == nullptr) {
    wchar_t path[kPathSize];
    if (ReadHelpControlPathFrom(places.root, places.key, path) && IsFullPath(path)) {
      HelpModule = LoadLibraryQuietly(path);
    }
    if (HelpModule == nullptr) HelpModule = LoadSystemLibrary(places.systemFile);
    if (HelpModule == nullptr) {
      HelpUnavailable = true;
      return nullptr;
    }
  }
  if (HelpFunction == nullptr) {
    HelpFunction = reinterpret_cast<HelpEntryPoint>(reinterpret_cast<void (*)()>(
        GetProcAddress(HelpModule, MAKEINTRESOURCEA(kHelpEntryOrdinal))));
    if (HelpFunction == nullptr) {
      HelpUnavailable = true;
      return nullptr;
    }
  }
  return HelpFunction(caller, file, command, data);
}

HWND ShowHelp(HWND caller, const wchar_t *file, UINT command, DWORD_PTR data) {
  return ShowHelpFrom(kHelpControlPlaces, caller, file, command, data);
}

bool FormEnglishHelpPath(const wchar_t *helpFile, wchar_t *out, size_t size) {
  static const wchar_t kEnglishEnding[] = L"-en.chm";
  const size_t endingLength = sizeof kEnglishEnding / sizeof kEnglishEnding[0] - 1;
  if (size == 0) return false;
  out[0] = L'\0';
  size_t length = wcsnlen(helpFile, size);
  // "x.chm" at least, and room for the three more characters.
  if (length < 5 || _wcsicmp(helpFile + length - 4, L".chm") != 0) return false;
  if (length - 4 + endingLength >= size) return false;
  wmemcpy(out, helpFile, length - 4);
  wmemcpy(out + length - 4, kEnglishEnding, endingLength + 1);
  return true;
}

// The help file of the interface language: while it is English, the English
// file beside the Japanese one when it is there; otherwise the Japanese one.
static const wchar_t *ChooseHelpFile() {
  static wchar_t englishFile[kLongPathSize];
  if (CurrentLanguage() != UiLanguage::kEnglish) return Paths.HelpFile;
  if (!FormEnglishHelpPath(Paths.HelpFile, englishFile, kLongPathSize)) return Paths.HelpFile;
  DWORD attributes = GetFileAttributesW(englishFile);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return Paths.HelpFile;
  }
  return englishFile;
}

void OpenHelpContents(HWND window) {
  ShowHelp(window, ChooseHelpFile(), kHelpDisplayContents, 0);
  if (State.Entry != nullptr) SetFocus(State.Entry);
}
