#include "utf_conversion.h"

namespace {

// Reads one character of UTF-16 at text[*pos] and moves *pos past it.
// A lone surrogate reads as U+FFFD.
char32_t ReadUtf16Character(std::u16string_view text, std::size_t *pos) {
  char32_t c = text[*pos];
  *pos += 1;
  if (IsHighSurrogate(c)) {
    if (*pos < text.size() && IsLowSurrogate(text[*pos])) {
      char32_t low = text[*pos];
      *pos += 1;
      return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    }
    return kReplacementCharacter;
  }
  if (IsLowSurrogate(c)) return kReplacementCharacter;
  return c;
}

// Encodes one character as UTF-8 into bytes; returns the byte count (1-4).
std::size_t EncodeUtf8(char32_t c, char bytes[4]) {
  if (c < 0x80) {
    bytes[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (c >> 6));
    bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (c >> 12));
    bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  bytes[0] = static_cast<char>(0xF0 | (c >> 18));
  bytes[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  bytes[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  bytes[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

bool IsContinuationByte(unsigned char b) { return (b & 0xC0) == 0x80; }

// Reads one well-formed UTF-8 sequence at text[*pos] and moves *pos past it.
// Anything else reads as U+FFFD and moves *pos by one byte.
char32_t ReadUtf8Character(std::string_view text, std::size_t *pos) {
  unsigned char lead = static_cast<unsigned char>(text[*pos]);
  std::size_t length;
  char32_t c;
  char32_t minimum;
  if (lead < 0x80) {
    *pos += 1;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    *pos += 1;
    return kReplacementCharacter;
  }
  if (text.size() - *pos < length) {
    *pos += 1;
    return kReplacementCharacter;
  }
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char b = static_cast<unsigned char>(text[*pos + i]);
    if (!IsContinuationByte(b)) {
      *pos += 1;
      return kReplacementCharacter;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    *pos += 1;
    return kReplacementCharacter;
  }
  *pos += length;
  return c;
}

}  // namespace

std::size_t ConvertUtf16ToUtf8(std::u16string_view text, char *out,
                               std::size_t outSize, bool *cut) {
  if (cut) *cut = false;
  if (outSize == 0) {
    if (cut) *cut = !text.empty();
    return 0;
  }
  std::size_t length = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    char bytes[4];
    std::size_t count = EncodeUtf8(ReadUtf16Character(text, &pos), bytes);
    if (count > outSize - 1 - length) {
      if (cut) *cut = true;
      break;
    }
    for (std::size_t i = 0; i < count; ++i) out[length++] = bytes[i];
  }
  out[length] = '\0';
  return length;
}

std::size_t ConvertUtf8ToUtf16(std::string_view text, char16_t *out, std::size_t outSize) {
  if (outSize == 0) return 0;
  std::size_t end = text.find('\0');
  if (end != std::string_view::npos) text = text.substr(0, end);
  std::size_t length = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t c = ReadUtf8Character(text, &pos);
    std::size_t units = c >= 0x10000 ? 2 : 1;
    if (units > outSize - 1 - length) break;
    if (units == 2) {
      out[length++] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out[length++] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out[length++] = static_cast<char16_t>(c);
    }
  }
  out[length] = u'\0';
  return length;
}
