// The settings file is kept as UTF-16LE with a byte-order mark, so that any
// text survives on any code page. A file in the 8-bit form that earlier
// versions wrote (code page 932), or in UTF-8 with its mark, is converted
// before the first write into it.
#pragma once

#include <windows.h>

// The largest file converted (16 MB): a real settings file holds a few
// kilobytes. A larger one is left as it is.
constexpr DWORD kMaxConvertedSettingsBytes = 16u * 1024u * 1024u;

// The suffix of the temporary file the conversion writes beside the file.
extern const wchar_t kConversionSuffix[];  // ".tmp"

// Creates path as a new file holding only the UTF-16LE mark; false (and no
// file left) when it exists already or cannot be made.
bool CreateUnicodeSettingsFile(const wchar_t *path);

// Before a write into path: creates the file as UTF-16LE with its mark when
// it does not exist; converts it when it has no UTF-16 mark. Any failure
// leaves the file as it was; the write that follows tells its own outcome.
void PrepareSettingsFileForWrite(const wchar_t *path);

// Rewrites path as UTF-16LE with a mark, every line kept in order: decoded
// with code page 932, or as UTF-8 when it starts with the UTF-8 mark. Works
// through path + kConversionSuffix and a replace, so a failure leaves the old
// file untouched and removes the temporary one. False when nothing was
// converted (also for a file of more than kMaxConvertedSettingsBytes).
bool ConvertSettingsFileToUnicode(const wchar_t *path);
