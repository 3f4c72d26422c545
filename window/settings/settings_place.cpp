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

static long long FileTimeValue(const FILETIME &fileTime) {
  ULARGE_INTEGER time;
  time.LowPart = fileTime.dwLowDateTime;
  time.HighPart = fileTime.dwHighDateTime;
  return static_cast<long long>(time.QuadPart & 0x7FFFFFFFFFFFFFFFull);
}

static FileFacts ReadFileFacts(const wchar_t *path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return {false, 0};
  }
  return {true, FileTimeValue(data.ftLastWriteTime)};
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

// The path with its folder in the long form. GetModuleFileNameW reports the
// program's path as it was started, and an 8.3 spelling (C:\PROGRA~1\Vex)
// must mark the same per-user file as the long one. The folder keeps its
// separator ("C:\" is the root, "C:" the drive's current folder). The path
// as given where the system cannot say.
static void FormLongPath(const wchar_t *path, wchar_t *out) {
  static wchar_t folder[kLongPathSize];
  size_t length = wcsnlen(path, kLongPathSize - 1);
  wmemcpy(out, path, length);
  out[length] = L'\0';
  const wchar_t *name = wcsrchr(path, L'\\');
  if (name == nullptr) return;
  size_t folderLength = static_cast<size_t>(name - path) + 1;
  wmemcpy(folder, path, folderLength);
  folder[folderLength] = L'\0';
  DWORD got = GetLongPathNameW(folder, out, kLongPathSize);
  if (got == 0 || got >= static_cast<DWORD>(kLongPathSize) ||
      (out[got - 1] != L'\\' && !AppendPath(out, L"\\")) || !AppendPath(out, name + 1)) {
    wmemcpy(out, path, length);
    out[length] = L'\0';
  }
}

// The paths of the per-user place, formed without making anything.
struct UserPlace {
  wchar_t folder[kLongPathSize];   // appData\Vex
  wchar_t file[kLongPathSize];     // appData\Vex\vex-<mark>.ini, marked from the long path
  wchar_t oldMark[kLongPathSize];  // the same marked from the path as given; "" when alike
  wchar_t shared[kLongPathSize];   // appData\Vex\vex.ini, which every copy of 3.10 shared
  wchar_t backup[kLongPathSize];   // file + kBackupSuffix
};

// Appends "\" and the per-user name for folderFile to user->folder, into out.
static bool FormUserFile(const UserPlace &user, const wchar_t *folderFile, wchar_t *out) {
  wchar_t name[MAX_PATH];
  out[0] = L'\0';
  return FormUserSettingsName(folderFile, name, MAX_PATH) && AppendPath(out, user.folder) &&
         AppendPath(out, L"\\") && AppendPath(out, name);
}

static bool FormUserPlace(const wchar_t *appDataFolder, const wchar_t *folderFile,
                          const wchar_t *longFolderFile, UserPlace *user) {
  user->folder[0] = user->file[0] = user->oldMark[0] = user->shared[0] = L'\0';
  if (appDataFolder == nullptr) {
    // SHGetFolderPathW fails for a folder that does not exist yet unless told
    // not to look; MakeUserFolder makes it when it is chosen.
    wchar_t system[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_DONT_VERIFY, nullptr,
                         SHGFP_TYPE_CURRENT, system) != S_OK) {
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
  if (!FormUserFile(*user, longFolderFile, user->file)) return false;
  if (!FormUserFile(*user, folderFile, user->oldMark) || wcscmp(user->oldMark, user->file) == 0) {
    user->oldMark[0] = L'\0';
  }
  const wchar_t *plain = wcsrchr(folderFile, L'\\');
  plain = plain != nullptr ? plain + 1 : folderFile;
  wmemcpy(user->shared, user->folder, wcsnlen(user->folder, kLongPathSize) + 1);
  if (!AppendPath(user->shared, L"\\") || !AppendPath(user->shared, plain) ||
      !FormSidePath(user->file, kBackupSuffix, user->backup)) {
    return false;
  }
  return FitsProfileCalls(user->file);
}

// From Windows Vista on, the writes of a 32-bit program without a declared
// execution level (as the earlier 8-bit versions were) into a protected
// folder are redirected to %LOCALAPPDATA%\VirtualStore\<the path without its
// drive>. The user's real settings may be there, beside a stale folder file.
// Only drive-letter paths are redirected.
static bool FormStorePath(const wchar_t *longFolderFile, wchar_t *out) {
  out[0] = L'\0';
  if (longFolderFile[0] == L'\0' || longFolderFile[1] != L':' || longFolderFile[2] != L'\\') {
    return false;
  }
  wchar_t local[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_DONT_VERIFY, nullptr,
                       SHGFP_TYPE_CURRENT, local) != S_OK) {
    return false;
  }
  local[MAX_PATH - 1] = L'\0';
  return AppendPath(out, local) && AppendPath(out, L"\\VirtualStore") &&
         AppendPath(out, longFolderFile + 2);
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
  static wchar_t longFolderFile[kLongPathSize];
  static wchar_t folderBackup[kLongPathSize];
  static wchar_t store[kLongPathSize];
  static UserPlace user;
  State.SettingsReadOnly = false;
  Paths.SettingsCopy[0] = L'\0';
  if (Paths.SettingsFile[0] == L'\0') {
    State.SettingsReadOnly = true;
    NoteSettingsFailure();
    return false;
  }
  wmemcpy(folderFile, Paths.SettingsFile, wcsnlen(Paths.SettingsFile, kLongPathSize - 1) + 1);
  FormLongPath(folderFile, longFolderFile);

  SettingsPlaceFacts facts = {};
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  facts.now = FileTimeValue(now);
  // A replace cut off is undone first. Where the folder refuses even the
  // rename back, the backup is read where it is, and the folder file counts
  // as not writable: a fresh file there would stand in front of it.
  const wchar_t *folderSource = folderFile;
  if (!RecoverSettingsFile(folderFile) && FormSidePath(folderFile, kBackupSuffix, folderBackup)) {
    folderSource = folderBackup;
  }
  FileFacts folder = ReadFileFacts(folderSource);
  facts.folderFileExists = folder.exists;
  facts.folderFileTime = folder.time;
  facts.folderFileWritable = folderSource == folderFile && CanWriteFolderFile(folderFile);
  if (!facts.folderFileWritable && FormStorePath(longFolderFile, store)) {
    FileFacts stored = ReadFileFacts(store);
    facts.storeFileExists = stored.exists;
    facts.storeFileTime = stored.time;
  }
  facts.userPlaceUsable = FormUserPlace(appDataFolder, folderFile, longFolderFile, &user);
  // The file the per-user place reads: its own (or its backup, read where it
  // is), else one that stands in for it before the first start that makes it
  // (ChooseUserFileSource). The shared file is brought over and never
  // removed: another copy may still need it.
  const wchar_t *userSource = user.file;
  FileFacts userFacts = {false, 0};
  if (facts.userPlaceUsable && !RecoverSettingsFile(user.file)) {
    userSource = user.backup;
    facts.userPlaceUsable = false;
    userFacts = ReadFileFacts(user.backup);
  } else if (facts.userPlaceUsable) {
    userFacts = ReadFileFacts(user.file);
    FileFacts oldMark = user.oldMark[0] != L'\0' ? ReadFileFacts(user.oldMark) : FileFacts{false, 0};
    FileFacts shared = ReadFileFacts(user.shared);
    bool folderSide = facts.folderFileExists || facts.storeFileExists;
    switch (ChooseUserFileSource(userFacts.exists, oldMark.exists, shared.exists, folderSide)) {
      case UserFileSource::kOldMark:
        // Carried over to the name the long path marks; read where it is
        // when it cannot be renamed.
        if (MoveFileExW(user.oldMark, user.file, MOVEFILE_WRITE_THROUGH)) {
          userFacts = ReadFileFacts(user.file);
        } else {
          userSource = user.oldMark;
          userFacts = oldMark;
        }
        break;
      case UserFileSource::kShared:
        userSource = user.shared;
        userFacts = shared;
        break;
      case UserFileSource::kOwn:
        break;
    }
  }
  facts.userFileExists = userFacts.exists;
  facts.userFileTime = userFacts.time;

  // Each failure below takes a fact back and decides again: at most a few turns.
  for (;;) {
    SettingsPlaceChoice choice = ChooseSettingsPlace(facts);
    // The virtual store's copy is only ever read: the earlier version that
    // wrote it may still be run, and the system keeps it for that user.
    const wchar_t *folderSide = choice.fromStore ? store : folderSource;
    if (!choice.writable) {
      UseFileReadOnly(choice.place == SettingsPlace::kUserFolder ? userSource : folderSide);
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
        // Not brought back (the replace needs new files beside it, which a
        // folder may refuse while its vex.ini takes writes): the folder
        // counts as unwritable for this run, and the newer per-user file
        // stays in use. Using the folder file instead would have it copied
        // over the per-user file, and the last session lost at every start.
        facts.folderFileWritable = false;
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
    bool fromStandIn = userSource != user.file && facts.userFileExists;
    if (choice.bringOther || fromStandIn) {
      if (ConvertSettingsFile(choice.bringOther ? folderSide : userSource, user.file)) {
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
