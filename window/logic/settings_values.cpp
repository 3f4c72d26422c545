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

bool IsStoredPositionUsable(int wx, int wy, const ScreenRect *monitors, std::size_t count) {
  if (monitors == nullptr) return false;
  // In 64 bits: edges near INT_MIN must not wrap when 16 is taken off.
  long long x = wx;
  long long y = wy;
  for (std::size_t i = 0; i < count; ++i) {
    const ScreenRect &m = monitors[i];
    if (m.left <= x && x < static_cast<long long>(m.right) - 16 && m.top <= y &&
        y < static_cast<long long>(m.bottom) - 16) {
      return true;
    }
  }
  return false;
}

bool HasTraySwitch(const wchar_t *commandLine) {
  if (commandLine == nullptr) return false;
  return (commandLine[0] == L'/' || commandLine[0] == L'-') &&
         (commandLine[1] == L't' || commandLine[1] == L'T');
}

SettingsPlaceChoice ChooseSettingsPlace(const SettingsPlaceFacts &facts) {
  if (facts.folderFileWritable) return {SettingsPlace::kBesideProgram, false, true};
  if (facts.userFolderReady) {
    return {SettingsPlace::kUserFolder, !facts.userFileExists && facts.folderFileExists, true};
  }
  return {SettingsPlace::kBesideProgram, false, false};
}

SettingsEncoding DetectSettingsEncoding(const unsigned char *bytes, size_t count, size_t *markLength) {
  *markLength = 0;
  if (count >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
    *markLength = 2;
    return SettingsEncoding::kUtf16;
  }
  if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    *markLength = 3;
    return SettingsEncoding::kUtf8;
  }
  return SettingsEncoding::kCp932;
}

// Code page 932: 0x81-0x9F and 0xE0-0xFC lead a two-byte character.
static bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t CountWholeCharacterBytes(SettingsEncoding encoding, const unsigned char *bytes, size_t count) {
  if (encoding == SettingsEncoding::kCp932) {
    // Walk from the boundary: a trail byte may look like a lead byte.
    size_t at = 0;
    while (at < count) {
      size_t length = IsCp932LeadByte(bytes[at]) ? 2 : 1;
      if (at + length > count) return at;
      at += length;
    }
    return count;
  }
  if (encoding == SettingsEncoding::kUtf8) {
    // Look back over at most three continuation bytes for the last lead byte.
    size_t back = 0;
    while (back < 3 && back < count && (bytes[count - 1 - back] & 0xC0) == 0x80) ++back;
    if (back == count) return count;
    unsigned char lead = bytes[count - 1 - back];
    size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
    return length > back + 1 ? count - 1 - back : count;
  }
  return count;
}
