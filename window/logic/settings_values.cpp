#include "settings_values.h"

#include <climits>

int ConvertIntegerText(const wchar_t *text) {
  if (text == nullptr) return 0;
  const wchar_t *p = text;
  while (*p == L' ' || *p == L'\t' || *p == L'\n' || *p == L'\r' || *p == L'\v' || *p == L'\f') ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') {
    negative = (*p == L'-');
    ++p;
  }
  long long value = 0;
  while (*p >= L'0' && *p <= L'9') {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*p - L'0');
    ++p;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool IsSettingWord(const wchar_t *text, const wchar_t *lowerWord) {
  std::size_t i = 0;
  for (; lowerWord[i] != L'\0'; ++i) {
    wchar_t c = text[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != lowerWord[i]) return false;
  }
  return text[i] == L'\0';
}

int CheckView(int view) {
  return (view >= 0 && view <= 3) ? view : kDefaultView;
}

int CheckSlotIndex(int slot) {
  return (slot >= 0 && slot < 26) ? slot : kDefaultSlot;
}

int OutputRadix(int radix) {
  for (int choice : kRadixChoices) {
    if (radix == choice) return radix;
  }
  return kDefaultRadix;
}

// True when a file exists and was written later than the other (or the
// other does not exist). A time later than now, from a clock set wrong, a zip
// unpacked in another zone or FAT's local times across a change of summer
// time, proves nothing: the two then count as equal.
static bool IsWrittenLater(bool exists, long long time, bool otherExists, long long otherTime,
                           long long now) {
  if (!exists) return false;
  if (!otherExists) return true;
  if (time > now + kSettingsTimeSlack || otherTime > now + kSettingsTimeSlack) return false;
  return time > otherTime + kSettingsTimeSlack;
}

SettingsPlaceChoice ChooseSettingsPlace(const SettingsPlaceFacts &facts) {
  bool fromStore = !facts.folderFileWritable &&
                   IsWrittenLater(facts.storeFileExists, facts.storeFileTime, facts.folderFileExists,
                                  facts.folderFileTime, facts.now);
  bool folderExists = fromStore || facts.folderFileExists;
  long long folderTime = fromStore ? facts.storeFileTime : facts.folderFileTime;
  bool userLater = IsWrittenLater(facts.userFileExists, facts.userFileTime, folderExists,
                                  folderTime, facts.now);
  bool folderLater = IsWrittenLater(folderExists, folderTime, facts.userFileExists,
                                    facts.userFileTime, facts.now);
  if (facts.folderFileWritable) {
    return {SettingsPlace::kBesideProgram, userLater, userLater, true, false};
  }
  if (facts.userPlaceUsable) {
    return {SettingsPlace::kUserFolder, folderLater, false, true, folderLater && fromStore};
  }
  if (userLater) return {SettingsPlace::kUserFolder, false, false, false, false};
  return {SettingsPlace::kBesideProgram, false, false, false, fromStore};
}

UserFileSource ChooseUserFileSource(bool ownExists, bool oldMarkExists, bool sharedExists,
                                    bool folderSideExists) {
  if (ownExists) return UserFileSource::kOwn;
  if (oldMarkExists) return UserFileSource::kOldMark;
  if (sharedExists && !folderSideExists) return UserFileSource::kShared;
  return UserFileSource::kOwn;
}

bool ShouldRestoreSettingsBackup(bool fileExists, bool backupExists) {
  return !fileExists && backupExists;
}

bool FormUserSettingsName(const wchar_t *folderFile, wchar_t *out, std::size_t size) {
  if (size == 0) return false;
  out[0] = L'\0';
  std::size_t length = 0;
  std::size_t nameAt = 0;
  for (; folderFile[length] != L'\0'; ++length) {
    if (folderFile[length] == L'\\' || folderFile[length] == L'/') nameAt = length + 1;
  }
  if (nameAt == 0) return false;
  // FNV-1a over the folder's UTF-16 units, low byte first.
  unsigned mark = 2166136261u;
  for (std::size_t i = 0; i + 1 < nameAt; ++i) {
    unsigned unit = static_cast<unsigned>(folderFile[i]) & 0xFFFFu;
    if (unit >= L'a' && unit <= L'z') unit -= L'a' - L'A';
    mark = (mark ^ (unit & 0xFFu)) * 16777619u;
    mark = (mark ^ (unit >> 8)) * 16777619u;
  }
  // name without its extension, "-", eight hexadecimal digits, the extension.
  const wchar_t *name = folderFile + nameAt;
  std::size_t nameLength = length - nameAt;
  std::size_t stem = nameLength;
  for (std::size_t i = nameLength; i > 0; --i) {
    if (name[i - 1] == L'.') {
      stem = i - 1;
      break;
    }
  }
  if (nameLength + 9 >= size) return false;
  std::size_t at = 0;
  for (std::size_t i = 0; i < stem; ++i) out[at++] = name[i];
  out[at++] = L'-';
  for (int shift = 28; shift >= 0; shift -= 4) out[at++] = L"0123456789ABCDEF"[(mark >> shift) & 0xF];
  for (std::size_t i = stem; i < nameLength; ++i) out[at++] = name[i];
  out[at] = L'\0';
  return true;
}
