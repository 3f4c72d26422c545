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

// A file (not a folder) at path, and its last write.
struct FileFacts {
  bool exists;
  long long time;
};

static FileFacts ReadFileFacts(const wchar_t *path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return {false, 0};
  }
  ULARGE_INTEGER time;
  time.LowPart = data.ftLastWriteTime.dwLowDateTime;
  time.HighPart = data.ftLastWriteTime.dwHighDateTime;
  return {true, static_cast<long long>(time.QuadPart & 0x7FFFFFFFFFFFFFFFull)};
}

// An existing file counts as writable when it opens for writing (without
// truncation); an absent one when it can be made in that folder. The probe
// file is made as the program makes the settings file (UTF-16LE with its
// mark) and removed again.
static bool CanWriteFolderFile(const wchar_t *path) {
  if (!FitsProfileCalls(path)) return false;
  DWORD attributes = GetFileAttributesW(path);
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

// The paths of the per-user place, formed without making anything.
struct UserPlace {
  wchar_t folder[kLongPathSize];   // appData\Vex
  wchar_t file[kLongPathSize];     // appData\Vex\vex-<mark>.ini
  wchar_t shared[kLongPathSize];   // appData\Vex\vex.ini, which every copy of 3.10 shared
};

static bool FormUserPlace(const wchar_t *appDataFolder, const wchar_t *folderFile, UserPlace *user) {
  user->folder[0] = user->file[0] = user->shared[0] = L'\0';
  if (appDataFolder == nullptr) {
    wchar_t system[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, system) != S_OK) {
      return false;
    }
    system[MAX_PATH - 1] = L'\0';
    if (!AppendPath(user->folder, system)) return false;
  } else if (!AppendPath(user->folder, appDataFolder)) {
    return false;
  }
  size_t length = wcsnlen(user->folder, kLongPathSize);
  if (length == 0) return false;
  if (user->folder[length - 1] != L'\\' && !AppendPath(user->folder, L"\\")) return false;
  if (!AppendPath(user->folder, kUserSettingsFolder)) return false;
  wchar_t name[MAX_PATH];
  if (!FormUserSettingsName(folderFile, name, MAX_PATH)) return false;
  const wchar_t *plain = wcsrchr(folderFile, L'\\');
  plain = plain != nullptr ? plain + 1 : folderFile;
  wmemcpy(user->file, user->folder, wcsnlen(user->folder, kLongPathSize) + 1);
  wmemcpy(user->shared, user->folder, wcsnlen(user->folder, kLongPathSize) + 1);
  if (!AppendPath(user->file, L"\\") || !AppendPath(user->file, name) ||
      !AppendPath(user->shared, L"\\") || !AppendPath(user->shared, plain)) {
    return false;
  }
  return FitsProfileCalls(user->file);
}

// Makes appData\Vex (and appData itself where it is missing).
static bool MakeUserFolder(const UserPlace &user) {
  static wchar_t parent[kLongPathSize];
  wmemcpy(parent, user.folder, wcsnlen(user.folder, kLongPathSize) + 1);
  wchar_t *cut = wcsrchr(parent, L'\\');
  if (cut != nullptr) {
    *cut = L'\0';
    CreateDirectoryW(parent, nullptr);
  }
  if (CreateDirectoryW(user.folder, nullptr)) return true;
  DWORD attributes = GetFileAttributesW(user.folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static bool IsUnicodeFile(const wchar_t *path) {
  SettingsEncoding encoding = SettingsEncoding::kCp932;
  return ReadSettingsEncoding(path, &encoding) && encoding == SettingsEncoding::kUtf16;
}

// The file at path made ready to be written: absent, in UTF-16, or converted.
static bool MakeWritable(const wchar_t *path) {
  return GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES || IsUnicodeFile(path) ||
         ConvertSettingsFile(path, path);
}

static void UseFile(const wchar_t *path) {
  if (path != Paths.SettingsFile) {
    wmemcpy(Paths.SettingsFile, path, wcsnlen(path, kLongPathSize - 1) + 1);
  }
  Paths.SettingsFile[kLongPathSize - 1] = L'\0';
}

// Nothing can be written: the file is read where it is when it is UTF-16 (or
// absent), else through a converted copy in the temporary folder, so that it
// is still read as it was written.
static void UseFileReadOnly(const wchar_t *path) {
  UseFile(path);
  State.SettingsReadOnly = true;
  Paths.SettingsCopy[0] = L'\0';
  if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES || IsUnicodeFile(path)) return;
  wchar_t name[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, Paths.SettingsCopy);
  if (length == 0 || length >= MAX_PATH || !FormUserSettingsName(path, name, MAX_PATH) ||
      !AppendPath(Paths.SettingsCopy, name) || !ConvertSettingsFile(path, Paths.SettingsCopy)) {
    Paths.SettingsCopy[0] = L'\0';  // read as it stands: better than nothing
  }
}

bool PlaceSettingsFile(const wchar_t *appDataFolder) {
  static wchar_t folderFile[kLongPathSize];
  static UserPlace user;
  State.SettingsReadOnly = false;
  Paths.SettingsCopy[0] = L'\0';
  if (Paths.SettingsFile[0] == L'\0') {
    State.SettingsReadOnly = true;
    NoteSettingsFailure();
    return false;
  }
  wmemcpy(folderFile, Paths.SettingsFile, wcsnlen(Paths.SettingsFile, kLongPathSize - 1) + 1);

  SettingsPlaceFacts facts = {};
  FileFacts folder = ReadFileFacts(folderFile);
  facts.folderFileExists = folder.exists;
  facts.folderFileTime = folder.time;
  facts.folderFileWritable = CanWriteFolderFile(folderFile);
  facts.userPlaceUsable = FormUserPlace(appDataFolder, folderFile, &user);
  // The per-user file of this folder; before the first start that makes it,
  // the file all copies of the previous version shared stands in for it
  // (brought over, never removed: another copy may still need it).
  const wchar_t *userSource = user.file;
  FileFacts userFacts = facts.userPlaceUsable ? ReadFileFacts(user.file) : FileFacts{false, 0};
  if (facts.userPlaceUsable && !userFacts.exists) {
    FileFacts shared = ReadFileFacts(user.shared);
    if (shared.exists) {
      userSource = user.shared;
      userFacts = shared;
    }
  }
  facts.userFileExists = userFacts.exists;
  facts.userFileTime = userFacts.time;

  // Each failure below takes a fact back and decides again: at most a few turns.
  for (;;) {
    SettingsPlaceChoice choice = ChooseSettingsPlace(facts);
    if (!choice.writable) {
      UseFileReadOnly(choice.place == SettingsPlace::kUserFolder ? userSource : folderFile);
      NoteSettingsFailure();
      return false;
    }
    if (choice.place == SettingsPlace::kBesideProgram) {
      if (choice.bringOther) {
        if (ConvertSettingsFile(userSource, folderFile)) {
          if (choice.retireUserFile && userSource == user.file) DeleteFileW(user.file);
          UseFile(folderFile);
          return true;
        }
        // Not brought back: it stays where it is, and the folder file is
        // used as it stands; the user is told.
        NoteSettingsFailure();
        facts.userFileExists = false;
        continue;
      }
      if (MakeWritable(folderFile)) {
        UseFile(folderFile);
        return true;
      }
      facts.folderFileWritable = false;  // an 8-bit file that cannot be converted is never written
      continue;
    }
    if (!MakeUserFolder(user)) {
      facts.userPlaceUsable = false;
      continue;
    }
    bool fromShared = userSource != user.file && facts.userFileExists;
    if (choice.bringOther || fromShared) {
      if (ConvertSettingsFile(choice.bringOther ? folderFile : userSource, user.file)) {
        UseFile(user.file);
        return true;
      }
      if (!ReadFileFacts(user.file).exists) {
        // Never a fresh file in place of slots that could not be brought.
        facts.userPlaceUsable = false;
        continue;
      }
      NoteSettingsFailure();
    }
    if (MakeWritable(user.file)) {
      UseFile(user.file);
      return true;
    }
    facts.userPlaceUsable = false;
  }
}
