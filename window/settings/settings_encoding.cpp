#include "settings_encoding.h"

#include <cstring>
#include <cwchar>

#include "app_state.h"
#include "settings_values.h"

const wchar_t kConversionSuffix[] = L".tmp";
const wchar_t kBackupSuffix[] = L".bak";
const wchar_t kOriginalSuffix[] = L".orig";

static const unsigned char kUtf16Mark[2] = {0xFF, 0xFE};

// Bytes read at a time, and their characters: at most one per byte.
constexpr DWORD kPieceSize = 64 * 1024;
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is wchar_t text");

static bool WriteAll(HANDLE file, const void *data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

bool FormSidePath(const wchar_t *path, const wchar_t *suffix, wchar_t *out) {
  size_t length = wcsnlen(path, kLongPathSize);
  size_t suffixLength = wcslen(suffix);
  if (length + suffixLength >= static_cast<size_t>(kLongPathSize)) return false;
  wmemcpy(out, path, length);
  wmemcpy(out + length, suffix, suffixLength + 1);
  return true;
}

bool CreateUnicodeSettingsFile(const wchar_t *path) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;  // made meanwhile, or cannot be made
  bool wrote = WriteAll(file, kUtf16Mark, sizeof kUtf16Mark);
  CloseHandle(file);
  // Never an empty file, which the private-profile calls would fill with
  // 8-bit text.
  if (!wrote) DeleteFileW(path);
  return wrote;
}

static HANDLE OpenForReading(const wchar_t *path) {
  return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

static bool ScanFile(HANDLE file, SettingsEncoding *encoding) {
  static unsigned char bytes[kPieceSize];
  EncodingScan scan;
  DWORD total = 0;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, bytes, kPieceSize, &read, nullptr)) return false;
    ScanSettingsBytes(scan, bytes, read);
    if (read == 0 || IsSettingsEncodingDecided(scan)) break;
    total += read;
    if (total > kMaxConvertedSettingsBytes) {
      // Too large to be converted: counts as 8-bit unless its mark says
      // UTF-16, and is never written.
      scan.utf8.valid = false;
      break;
    }
  }
  size_t markLength = 0;
  *encoding = FinishSettingsScan(scan, &markLength, GetACP());
  return true;
}

bool ReadSettingsEncoding(const wchar_t *path, SettingsEncoding *encoding) {
  HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool read = ScanFile(file, encoding);
  CloseHandle(file);
  return read;
}

// Decodes count bytes of the encoding into characters (room for count).
static int DecodePiece(SettingsEncoding encoding, const unsigned char *bytes, DWORD count,
                       wchar_t *characters) {
  if (encoding == SettingsEncoding::kUtf8) {
    // Decoded by the program itself, the same on every system.
    return static_cast<int>(DecodeUtf8(bytes, count, reinterpret_cast<char16_t *>(characters)));
  }
  return MultiByteToWideChar(932, 0, reinterpret_cast<const char *>(bytes), static_cast<int>(count),
                             characters, static_cast<int>(count));
}

// Copies in (an 8-bit file of the encoding, its mark skipped) to out as
// UTF-16LE with a mark, piece by piece; a character cut off at the end of a
// piece is carried into the next one.
static bool ConvertBytes(HANDLE in, SettingsEncoding encoding, HANDLE out) {
  static unsigned char bytes[kPieceSize + 4];
  static wchar_t characters[kPieceSize + 4];
  if (!WriteAll(out, kUtf16Mark, sizeof kUtf16Mark)) return false;
  bool first = true;
  DWORD carried = 0;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(in, bytes + carried, kPieceSize, &read, nullptr)) return false;
    DWORD count = carried + read;
    DWORD start = 0;
    if (first) {
      size_t markLength = 0;
      DetectSettingsEncoding(bytes, count < 3 ? count : 3, &markLength, GetACP());
      start = static_cast<DWORD>(markLength);
      first = false;
    }
    // At the end of the file a cut character is decoded as it is.
    DWORD whole = read == 0 ? count - start
                            : static_cast<DWORD>(CountWholeCharacterBytes(encoding, bytes + start,
                                                                         count - start));
    if (whole > 0) {
      int made = DecodePiece(encoding, bytes + start, whole, characters);
      if (made <= 0) return false;
      if (!WriteAll(out, characters, static_cast<DWORD>(made) * sizeof(wchar_t))) return false;
    }
    if (read == 0) return true;
    carried = count - start - whole;
    memmove(bytes, bytes + start + whole, carried);
  }
}

// Writes source's content, converted, into the new file temporary;
// *encoding receives source's.
static bool WriteConvertedCopy(const wchar_t *source, const wchar_t *temporary,
                               SettingsEncoding *encoding) {
  HANDLE in = OpenForReading(source);
  if (in == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(in, &high);
  bool fits = size != INVALID_FILE_SIZE && high == 0 && size <= kMaxConvertedSettingsBytes;
  if (!fits || !ScanFile(in, encoding) || SetFilePointer(in, 0, nullptr, FILE_BEGIN) != 0) {
    CloseHandle(in);
    return false;
  }
  HANDLE out = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    CloseHandle(in);
    return false;
  }
  bool converted;
  if (*encoding == SettingsEncoding::kUtf16) {
    // Already UTF-16 (the content of a per-user file brought over): as it is.
    static unsigned char bytes[kPieceSize];
    DWORD read = 0;
    converted = true;
    while (converted && (converted = ReadFile(in, bytes, kPieceSize, &read, nullptr) != FALSE) && read > 0) {
      converted = WriteAll(out, bytes, read);
    }
  } else {
    converted = ConvertBytes(in, *encoding, out);
  }
  // The new file is on the disk before it replaces the old one.
  if (converted && !FlushFileBuffers(out)) converted = false;
  CloseHandle(out);
  CloseHandle(in);
  return converted;
}

bool ConvertSettingsFile(const wchar_t *source, const wchar_t *target) {
  static wchar_t temporary[kLongPathSize];
  static wchar_t original[kLongPathSize];
  if (!FormSidePath(target, kConversionSuffix, temporary)) return false;
  SettingsEncoding encoding = SettingsEncoding::kUtf16;
  bool converted = WriteConvertedCopy(source, temporary, &encoding);
  if (converted && encoding != SettingsEncoding::kUtf16 && wcscmp(source, target) == 0) {
    // Not the backup name: every replace deletes that one around itself.
    converted = FormSidePath(target, kOriginalSuffix, original) &&
                CopyFileW(target, original, FALSE);
  }
  converted = converted && ReplaceSettingsFile(target, temporary);
  if (!converted) DeleteFileW(temporary);
  return converted;
}

bool ReplaceSettingsFile(const wchar_t *target, const wchar_t *replacement) {
  static wchar_t backup[kLongPathSize];
  if (GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES) {
    return MoveFileExW(replacement, target, MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  if (!FormSidePath(target, kBackupSuffix, backup)) return false;
  DeleteFileW(backup);  // left by a replace that was cut off
  if (ReplaceFileW(target, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    DeleteFileW(backup);
    return true;
  }
  DWORD error = GetLastError();
  if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) {
    // A file system without the replace (some network shares): the move
    // alone, which also never leaves the target half written.
    return MoveFileExW(replacement, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: the old file was moved to the backup
  // name but the new one could not take its place; put the old one back.
  if (GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES &&
      GetFileAttributesW(backup) != INVALID_FILE_ATTRIBUTES) {
    MoveFileExW(backup, target, MOVEFILE_WRITE_THROUGH);
  }
  return false;
}

bool RecoverSettingsFile(const wchar_t *path) {
  static wchar_t side[kLongPathSize];
  if (FormSidePath(path, kConversionSuffix, side)) DeleteFileW(side);
  if (!FormSidePath(path, kBackupSuffix, side)) return true;
  if (!ShouldRestoreSettingsBackup(GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES,
                                   GetFileAttributesW(side) != INVALID_FILE_ATTRIBUTES)) {
    return true;
  }
  return MoveFileExW(side, path, MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool EnsureUnicodeSettingsFile(const wchar_t *path) {
  // Made now when absent (removed since start, or never there).
  if (CreateUnicodeSettingsFile(path)) return true;
  DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;  // the folder refuses new files
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;   // the write fails and says so
  SettingsEncoding encoding = SettingsEncoding::kCp932;
  if (!ReadSettingsEncoding(path, &encoding)) return true;  // locked: the write fails and says so
  return encoding == SettingsEncoding::kUtf16 || ConvertSettingsFile(path, path);
}
