// vexc's output: plain bytes. Result texts are ASCII, messages are UTF-8,
// every line ends in a single "\n" on every platform.

#include "vexc_output.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

void WriteText(std::FILE *stream, const char *text) {
  std::fwrite(text, 1, std::strlen(text), stream);
}

void WriteInteger(std::FILE *stream, long long number) {
  char digits[24];
  int count = 0;
  unsigned long long magnitude =
      number < 0 ? 0ULL - static_cast<unsigned long long>(number)
                 : static_cast<unsigned long long>(number);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (number < 0) std::fputc('-', stream);
  while (count > 0) std::fputc(digits[--count], stream);
}

void WriteDoubleBits(std::FILE *stream, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  static const char kHexDigits[] = "0123456789abcdef";
  char text[17];
  for (int i = 15; i >= 0; --i) {
    text[i] = kHexDigits[bits & 0xF];
    bits >>= 4;
  }
  text[16] = '\0';
  WriteText(stream, text);
}

void WriteQuoted(std::FILE *stream, const char *text) {
  std::fputc('\'', stream);
  std::size_t i = 0;
  for (; text[i] != '\0' && i < 40; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::fputc(c < 0x20 || c == 0x7F ? '?' : c, stream);
  }
  if (text[i] != '\0') WriteText(stream, "...");
  std::fputc('\'', stream);
}

void ReportUsageError(const char *message) {
  WriteText(stderr, "vexc: ");
  WriteText(stderr, message);
  WriteText(stderr, " (try vexc --help)\n");
}

void ReportLineError(unsigned long long lineNumber, const char *message) {
  WriteText(stderr, "vexc: line ");
  WriteInteger(stderr, static_cast<long long>(lineNumber));
  WriteText(stderr, ": ");
  WriteText(stderr, message);
  WriteText(stderr, "\n");
}
