#include "settings.h"

#include <cwchar>

#include "app_state.h"
#include "settings_encoding.h"
#include "settings_place.h"
#include "settings_report.h"
#include "settings_values.h"

const wchar_t kSettingsSuffix[] = L"ini";
const wchar_t kHelpSuffix[] = L"chm";

void FormPathBeside(const wchar_t *exePath, const wchar_t *suffix, wchar_t *out) {
  out[0] = L'\0';
  size_t length = wcsnlen(exePath, kLongPathSize);
  if (length < 3 || length >= static_cast<size_t>(kLongPathSize)) return;
  wmemcpy(out, exePath, length - 3);
  wmemcpy(out + length - 3, suffix, 3);
  out[length] = L'\0';
}

bool ReadExecutablePath(wchar_t *buffer, DWORD size) {
  if (size == 0) return false;
  buffer[0] = L'\0';
  // A cut path comes back with the full size (and, from Windows Vista on,
  // ERROR_INSUFFICIENT_BUFFER; Windows XP leaves it unterminated and sets no
  // error): the length alone tells.
  DWORD length = GetModuleFileNameW(nullptr, buffer, size);
  if (length == 0 || length >= size) {
    buffer[0] = L'\0';
    return false;
  }
  buffer[length] = L'\0';
  return true;
}

void FormSettingsPaths() {
  Paths.SettingsFile[0] = L'\0';
  // The executable's path is read into HelpFile, whose size is the system's
  // longest path, and both paths are formed from it.
  if (!ReadExecutablePath(Paths.HelpFile, kLongPathSize)) {
    // No usable path: no settings file and no help file, and the user is
    // told once that nothing is kept.
    Paths.HelpFile[0] = L'\0';
    NoteSettingsFailure();
    return;
  }
  FormPathBeside(Paths.HelpFile, kSettingsSuffix, Paths.SettingsFile);
  FormPathBeside(Paths.SettingsFile, kHelpSuffix, Paths.HelpFile);
  PlaceSettingsFile(nullptr);
}

// The file reads go to: the settings file, or its converted copy.
static const wchar_t *ReadPath() {
  return Paths.SettingsCopy[0] != L'\0' ? Paths.SettingsCopy : Paths.SettingsFile;
}

int ReadSettingInt(const wchar_t *section, const wchar_t *key, int defaultValue) {
  if (Paths.SettingsFile[0] == L'\0') return defaultValue;
  wchar_t text[32];
  GetPrivateProfileStringW(section, key, L"", text, 32, ReadPath());
  if (text[0] == L'\0') return defaultValue;
  return ConvertIntegerText(text);
}

void ReadSettingText(const wchar_t *section, const wchar_t *key, wchar_t *buffer, DWORD size) {
  if (size == 0) return;
  buffer[0] = L'\0';
  if (Paths.SettingsFile[0] == L'\0') return;
  GetPrivateProfileStringW(section, key, L"", buffer, size, ReadPath());
  buffer[size - 1] = L'\0';
}

// Reading a value drops blanks at both of its ends and one pair of quotes
// around it. A value that begins or ends with a blank or a quote (an
// expression such as '1+2' that is only a comment) is therefore written inside
// a pair of double quotes, which the read removes again, so it comes back
// exactly as it was written.
static bool NeedsProtectingQuotes(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'"' || c == L'\'';
}

bool WriteSettingText(const wchar_t *section, const wchar_t *key, const wchar_t *value) {
  if (Paths.SettingsFile[0] == L'\0' || State.SettingsReadOnly) {
    NoteSettingsFailure();
    return false;
  }
  // Room for the value and a pair of protecting quotes.
  wchar_t text[kEntryTextSize + 2];
  size_t length = wcsnlen(value, kEntryTextSize - 1);
  bool quote = length > 0 && (NeedsProtectingQuotes(value[0]) || NeedsProtectingQuotes(value[length - 1]));
  size_t at = quote ? 1 : 0;
  for (size_t i = 0; i < length; ++i) {
    // A line break would end the value and start a line of its own.
    text[at + i] = (value[i] == L'\r' || value[i] == L'\n') ? L' ' : value[i];
  }
  if (quote) {
    text[0] = L'"';
    text[length + 1] = L'"';
  }
  text[at + length + at] = L'\0';
  // Never into an 8-bit file, where the characters outside the system's code
  // page would become "?" while the write reports success.
  if (EnsureUnicodeSettingsFile(Paths.SettingsFile) &&
      WritePrivateProfileStringW(section, key, text, Paths.SettingsFile)) {
    return true;
  }
  // The value stays in force in memory; the user is told once.
  NoteSettingsFailure();
  return false;
}

bool WriteSettingInt(const wchar_t *section, const wchar_t *key, int value) {
  wchar_t text[16];
  swprintf(text, 16, L"%d", value);
  return WriteSettingText(section, key, text);
}

void ReadStartOptions(int *wx, int *wy) {
  *wx = ReadSettingInt(kOptionsSection, kKeyWx, kDefaultPosition);
  *wy = ReadSettingInt(kOptionsSection, kKeyWy, kDefaultPosition);
  State.Top = ReadSettingInt(kOptionsSection, kKeyTop, kDefaultTop);
  State.View = CheckView(ReadSettingInt(kOptionsSection, kKeyView, kDefaultView));
  State.Time = ReadSettingInt(kOptionsSection, kKeyTime, kDefaultTime);
  if (!State.TrayMode) {
    State.TrayMode = ReadSettingInt(kOptionsSection, kKeyTbar, kDefaultTbar) != 0;
  }
  State.BeepOption = ReadSettingInt(kOptionsSection, kKeyBeep, kDefaultBeep);
}

void ReadFirstPaintOptions() {
  State.CurrentSlot = CheckSlotIndex(ReadSettingInt(kOptionsSection, kKeyCbo, kDefaultSlot));
  State.DegreeMode = ReadSettingInt(kOptionsSection, kKeyDeg, kDefaultDeg) != 0 ? 1 : 0;
  // Read as text with "10" for an absent key; an empty value converts to 0.
  // Values other than 2, 8, 10 and 16 are kept as stored and print in radix
  // 10 (OutputRadix).
  wchar_t text[kPathSize];
  wcscpy(text, kDefaultRadixText);
  if (Paths.SettingsFile[0] != L'\0') {
    GetPrivateProfileStringW(kOptionsSection, kKeyRadix, kDefaultRadixText, text, kPathSize,
                             ReadPath());
    text[kPathSize - 1] = L'\0';
  }
  State.Radix = ConvertIntegerText(text);
}

void ReadSlotExpression(int slot, wchar_t *buffer, DWORD size) {
  if (size == 0) return;
  buffer[0] = L'\0';
  if (slot < 0 || slot >= kSlotCount) return;
  wchar_t key[2] = {static_cast<wchar_t>(L'A' + slot), L'\0'};
  ReadSettingText(kSlotsSection, key, buffer, size);
}
