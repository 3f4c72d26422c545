// The settings file is kept as UTF-16LE with a byte-order mark, so that any
// text survives on any code page. A file in another encoding (code page 932
// from earlier versions, UTF-8 from a text editor) is converted at start,
// before anything is read from it, and no write ever goes into an 8-bit file:
// the private-profile calls would write every character outside the system's
// code page as "?" and still report success.
#pragma once

#include <windows.h>

#include "text_encoding.h"

// The largest file converted (32 MB): a real settings file holds a few
// kilobytes. A larger 8-bit file is never converted, so never written.
constexpr DWORD kMaxConvertedSettingsBytes = 32u * 1024u * 1024u;

// The suffixes of the files a replace makes beside the settings file.
extern const wchar_t kConversionSuffix[];  // ".tmp": the new content
extern const wchar_t kBackupSuffix[];      // ".bak": the old content while it is replaced
extern const wchar_t kOriginalSuffix[];    // ".orig": an 8-bit file's bytes, kept once converted in place

// path + suffix into out (kLongPathSize characters); false when it does not fit.
bool FormSidePath(const wchar_t *path, const wchar_t *suffix, wchar_t *out);

// Creates path as a new file holding only the UTF-16LE mark; false (and no
// file left) when it exists already or cannot be made.
bool CreateUnicodeSettingsFile(const wchar_t *path);

// The encoding of the file at path, reading it to its end where that decides
// (valid UTF-8 throughout). False when it cannot be read or is a folder.
bool ReadSettingsEncoding(const wchar_t *path, SettingsEncoding *encoding);

// Writes the content of source into target as UTF-16LE with a mark, every
// line kept in order (source may be target: a conversion in place, whose
// 8-bit bytes are first copied to target + kOriginalSuffix, since a file
// that reads as two encodings may have been read as the wrong one). The new
// content goes to target + kConversionSuffix and then takes target's place by
// ReplaceSettingsFile, so any failure leaves target whole and removes the
// temporary file. False when nothing was written (also for a source of more
// than kMaxConvertedSettingsBytes, or an original that could not be kept).
bool ConvertSettingsFile(const wchar_t *source, const wchar_t *target);

// Puts the file replacement in the place of target, keeping target's
// attributes where the system does, with target + kBackupSuffix holding the
// old content until the new one is in place: a replace that fails half-way
// puts the old content back. A target that does not exist is simply named
// so. False, with target as it was, when the replace failed.
bool ReplaceSettingsFile(const wchar_t *target, const wchar_t *replacement);

// At start, before path is looked at: a replace cut off between the two
// renames of ReplaceFileW (the old file to the backup name, the new one to
// the file's name) leaves no file and its content in path + kBackupSuffix,
// which is renamed back; a leftover path + kConversionSuffix is removed.
// False when the backup could not be renamed back: the content is then only
// there, to be read where it is.
bool RecoverSettingsFile(const wchar_t *path);

// Before a write into path: true when path is a UTF-16 file, made (holding
// only the mark) when absent, converted when in another encoding. False: no
// write may go into it.
bool EnsureUnicodeSettingsFile(const wchar_t *path);
