#include "settings_place.h"

#include <shlobj.h>

#include <cwchar>

#include "app_state.h"
#include "settings_encoding.h"
#include "settings_report.h"
#include "settings_values.h"

const wchar_t kUserSettingsFolder[] = L"Vex";

// The private-profile calls take paths of fewer than kPathSize characters;
// a longer one could be opened, but never read or written through them.
static bool FitsProfileCalls(const wchar_t *path) {
  return wcsnlen(path, kPathSize) < static_cast<size_t>(kPathSize);
}

// An existing file counts as writable when it opens for writing (without
// truncation); an absent one when it can be made in that folder. The probe
// file is made as the program makes the settings file (UTF-16LE with its
// mark) and removed again.
static bool CanWriteFolderFile(const wchar_t *path, DWORD attributes) {
  if (!FitsProfileCalls(path)) return false;
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  }
  if (!CreateUnicodeSettingsFile(path)) return false;
  DeleteFileW(path);
  return true;
}

// Appends text to path (size kLongPathSize); false when it does not fit.
static bool AppendPath(wchar_t *path, const wchar_t *text) {
  size_t length = wcsnlen(path, kLongPathSize);
  size_t add = wcslen(text);
  if (length + add >= static_cast<size_t>(kLongPathSize)) return false;
  wmemcpy(path + length, text, add + 1);
  return true;
}

// out := appData\Vex\<file name of folderFile>, making the folder Vex.
// False when there is no application-data folder, Vex cannot be made, or the
// path is too long for the private-profile calls.
static bool FormUserSettingsFile(const wchar_t *appDataFolder, const wchar_t *folderFile,
                                 wchar_t *out) {
  out[0] = L'\0';
  if (appDataFolder == nullptr) {
    wchar_t system[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                         system) != S_OK) {
      return false;
    }
    system[MAX_PATH - 1] = L'\0';
    if (!AppendPath(out, system)) return false;
  } else if (!AppendPath(out, appDataFolder)) {
    return false;
  }
  size_t length = wcsnlen(out, kLongPathSize);
  if (length == 0) return false;
  if (out[length - 1] != L'\\' && !AppendPath(out, L"\\")) return false;
  if (!AppendPath(out, kUserSettingsFolder)) return false;
  if (!CreateDirectoryW(out, nullptr)) {
    DWORD attributes = GetFileAttributesW(out);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return false;
    }
  }
  const wchar_t *name = wcsrchr(folderFile, L'\\');
  name = name != nullptr ? name + 1 : folderFile;
  if (!AppendPath(out, L"\\") || !AppendPath(out, name)) return false;
  return FitsProfileCalls(out);
}

bool PlaceSettingsFile(const wchar_t *appDataFolder) {
  static wchar_t userFile[kLongPathSize];
  if (SettingsFile[0] == L'\0') {
    NoteSettingsFailure();
    return false;
  }
  DWORD attributes = GetFileAttributesW(SettingsFile);
  SettingsPlaceFacts facts = {};
  facts.folderFileExists =
      attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  facts.folderFileWritable = CanWriteFolderFile(SettingsFile, attributes);
  if (!facts.folderFileWritable) {
    facts.userFolderReady = FormUserSettingsFile(appDataFolder, SettingsFile, userFile);
    facts.userFileExists =
        facts.userFolderReady && GetFileAttributesW(userFile) != INVALID_FILE_ATTRIBUTES;
  }
  SettingsPlaceChoice choice = ChooseSettingsPlace(facts);
  if (!choice.writable) {
    NoteSettingsFailure();
    return false;
  }
  if (choice.place == SettingsPlace::kBesideProgram) return true;
  if (choice.copyFirst) {
    // A copy keeps the attributes of its source, read-only among them.
    if (!CopyFileW(SettingsFile, userFile, TRUE) ||
        !SetFileAttributesW(userFile, FILE_ATTRIBUTE_NORMAL)) {
      // The folder file's slots must not be left behind for a fresh file:
      // it stays in use, read only, and the user is told.
      NoteSettingsFailure();
      return false;
    }
  }
  wmemcpy(SettingsFile, userFile, wcsnlen(userFile, kLongPathSize - 1) + 1);
  return true;
}
