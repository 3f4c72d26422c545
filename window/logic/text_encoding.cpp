#include "text_encoding.h"

namespace {

// The first byte of a UTF-8 character: how many continuation bytes follow
// and the range of the first of them (which rules out overlong forms,
// surrogates and values beyond U+10FFFF). False for a byte that leads nothing.
bool ReadLeadByte(unsigned char byte, unsigned char *needed, unsigned char *low,
                  unsigned char *high) {
  *low = 0x80;
  *high = 0xBF;
  if (byte < 0x80) {
    *needed = 0;
  } else if (byte >= 0xC2 && byte <= 0xDF) {
    *needed = 1;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    *needed = 2;
    if (byte == 0xE0) *low = 0xA0;
    if (byte == 0xED) *high = 0x9F;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    *needed = 3;
    if (byte == 0xF0) *low = 0x90;
    if (byte == 0xF4) *high = 0x8F;
  } else {
    return false;
  }
  return true;
}

bool HasUtf16Mark(const EncodingScan &scan) {
  return scan.headCount >= 2 && ((scan.head[0] == 0xFF && scan.head[1] == 0xFE) ||
                                 (scan.head[0] == 0xFE && scan.head[1] == 0xFF));
}

bool HasUtf8Mark(const EncodingScan &scan) {
  return scan.headCount == 3 && scan.head[0] == 0xEF && scan.head[1] == 0xBB &&
         scan.head[2] == 0xBF;
}

// Code page 932: 0x81-0x9F and 0xE0-0xFC lead a two-byte character.
bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

void ScanSettingsBytes(EncodingScan &scan, const unsigned char *bytes, std::size_t count) {
  for (std::size_t i = 0; i < count && scan.headCount < 3; ++i) scan.head[scan.headCount++] = bytes[i];
  Utf8Scan &utf8 = scan.utf8;
  for (std::size_t i = 0; i < count && utf8.valid; ++i) {
    unsigned char byte = bytes[i];
    if (utf8.needed > 0) {
      if (byte < utf8.low || byte > utf8.high) {
        utf8.valid = false;
      } else {
        if (byte < 0xA1) utf8.onlyKanaPairs = false;
        --utf8.needed;
        utf8.low = 0x80;
        utf8.high = 0xBF;
      }
    } else {
      utf8.valid = ReadLeadByte(byte, &utf8.needed, &utf8.low, &utf8.high);
      if (utf8.needed > 0) utf8.multiByte = true;
      if (utf8.needed > 1) utf8.onlyKanaPairs = false;
    }
  }
}

bool IsSettingsEncodingDecided(const EncodingScan &scan) {
  return HasUtf16Mark(scan) || !scan.utf8.valid;
}

SettingsEncoding FinishSettingsScan(const EncodingScan &scan, std::size_t *markLength,
                                    unsigned ansiCodePage) {
  *markLength = 0;
  if (HasUtf16Mark(scan)) {
    *markLength = 2;
    return SettingsEncoding::kUtf16;
  }
  if (HasUtf8Mark(scan)) {
    *markLength = 3;
    return SettingsEncoding::kUtf8;
  }
  bool whole = scan.utf8.valid && scan.utf8.needed == 0;
  bool ambiguous = scan.utf8.multiByte && scan.utf8.onlyKanaPairs;
  if (whole && ambiguous && ansiCodePage == kJapaneseCodePage) return SettingsEncoding::kCp932;
  return whole ? SettingsEncoding::kUtf8 : SettingsEncoding::kCp932;
}

SettingsEncoding DetectSettingsEncoding(const unsigned char *bytes, std::size_t count,
                                        std::size_t *markLength, unsigned ansiCodePage) {
  EncodingScan scan;
  ScanSettingsBytes(scan, bytes, count);
  return FinishSettingsScan(scan, markLength, ansiCodePage);
}

std::size_t CountWholeCharacterBytes(SettingsEncoding encoding, const unsigned char *bytes,
                                     std::size_t count) {
  if (encoding == SettingsEncoding::kCp932) {
    // Walk from the boundary: a trail byte may look like a lead byte.
    std::size_t at = 0;
    while (at < count) {
      std::size_t length = IsCp932LeadByte(bytes[at]) ? 2 : 1;
      if (at + length > count) return at;
      at += length;
    }
    return count;
  }
  if (encoding == SettingsEncoding::kUtf8) {
    // Look back over at most three continuation bytes for the last lead byte.
    std::size_t back = 0;
    while (back < 3 && back < count && (bytes[count - 1 - back] & 0xC0) == 0x80) ++back;
    if (back == count) return count;
    unsigned char lead = bytes[count - 1 - back];
    std::size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
    return length > back + 1 ? count - 1 - back : count;
  }
  return count;
}

std::size_t DecodeUtf8(const unsigned char *bytes, std::size_t count, char16_t *out) {
  std::size_t made = 0;
  std::size_t at = 0;
  while (at < count) {
    unsigned char needed = 0, low = 0x80, high = 0xBF;
    unsigned char lead = bytes[at++];
    if (!ReadLeadByte(lead, &needed, &low, &high)) {
      out[made++] = u'\xFFFD';
      continue;
    }
    static const unsigned char kLeadMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t value = lead & kLeadMask[needed];
    bool whole = true;
    for (unsigned char i = 0; i < needed; ++i) {
      if (at >= count || bytes[at] < low || bytes[at] > high) {
        whole = false;  // the bytes read so far are one ill-formed sequence
        break;
      }
      value = (value << 6) | (bytes[at++] & 0x3F);
      low = 0x80;
      high = 0xBF;
    }
    if (!whole) {
      out[made++] = u'\xFFFD';
    } else if (value >= 0x10000) {
      // Four bytes give two units: never more units than bytes.
      value -= 0x10000;
      out[made++] = static_cast<char16_t>(0xD800 + (value >> 10));
      out[made++] = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
    } else {
      out[made++] = static_cast<char16_t>(value);
    }
  }
  return made;
}
