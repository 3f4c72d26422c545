#include "settings_encoding.h"

#include <cstring>
#include <cwchar>

#include "app_state.h"
#include "settings_values.h"

const wchar_t kConversionSuffix[] = L".tmp";

static const unsigned char kUtf16Mark[2] = {0xFF, 0xFE};

// Bytes read at a time, and their characters: at most one per byte.
constexpr DWORD kPieceSize = 64 * 1024;

static bool WriteAll(HANDLE file, const void *data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
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

void PrepareSettingsFileForWrite(const wchar_t *path) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) CreateUnicodeSettingsFile(path);
    return;  // otherwise locked or a folder: the write will fail and say so
  }
  unsigned char start[3] = {};
  DWORD read = 0;
  BOOL ok = ReadFile(file, start, sizeof start, &read, nullptr);
  CloseHandle(file);
  if (!ok) return;
  size_t markLength = 0;
  if (DetectSettingsEncoding(start, read, &markLength) == SettingsEncoding::kUtf16) return;
  ConvertSettingsFileToUnicode(path);
}

// Copies in to out as UTF-16LE with a mark, piece by piece; a character cut
// off at the end of a piece is carried into the next one.
static bool ConvertBytes(HANDLE in, HANDLE out) {
  static unsigned char bytes[kPieceSize + 4];
  static wchar_t characters[kPieceSize + 4];
  if (!WriteAll(out, kUtf16Mark, sizeof kUtf16Mark)) return false;
  SettingsEncoding encoding = SettingsEncoding::kCp932;
  bool first = true;
  DWORD carried = 0;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(in, bytes + carried, kPieceSize, &read, nullptr)) return false;
    DWORD count = carried + read;
    DWORD start = 0;
    if (first) {
      size_t markLength = 0;
      encoding = DetectSettingsEncoding(bytes, count, &markLength);
      start = static_cast<DWORD>(markLength);
      first = false;
    }
    // At the end of the file a cut character is decoded as it is.
    DWORD whole = read == 0 ? count - start
                            : static_cast<DWORD>(CountWholeCharacterBytes(encoding, bytes + start,
                                                                         count - start));
    if (whole > 0) {
      UINT codePage = encoding == SettingsEncoding::kUtf8 ? CP_UTF8 : 932;
      int made = MultiByteToWideChar(codePage, 0, reinterpret_cast<const char *>(bytes + start),
                                     static_cast<int>(whole), characters, kPieceSize + 4);
      if (made <= 0) return false;
      if (!WriteAll(out, characters, static_cast<DWORD>(made) * sizeof(wchar_t))) return false;
    }
    if (read == 0) return true;
    carried = count - start - whole;
    memmove(bytes, bytes + start + whole, carried);
  }
}

bool ConvertSettingsFileToUnicode(const wchar_t *path) {
  static wchar_t temporary[kLongPathSize];
  size_t length = wcsnlen(path, kLongPathSize);
  size_t suffixLength = wcslen(kConversionSuffix);
  if (length + suffixLength >= static_cast<size_t>(kLongPathSize)) return false;
  wmemcpy(temporary, path, length);
  wmemcpy(temporary + length, kConversionSuffix, suffixLength + 1);

  HANDLE in = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (in == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(in, &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size > kMaxConvertedSettingsBytes) {
    CloseHandle(in);
    return false;
  }
  HANDLE out = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    CloseHandle(in);
    return false;
  }
  bool converted = ConvertBytes(in, out);
  // The new file is on the disk before it replaces the old one.
  if (converted && !FlushFileBuffers(out)) converted = false;
  CloseHandle(out);
  CloseHandle(in);
  if (converted) {
    converted = MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  if (!converted) DeleteFileW(temporary);
  return converted;
}
