// The encodings a settings file may come in, told from its bytes, and the
// UTF-8 decoding the conversion to UTF-16 uses. Portable: no platform header,
// tested natively and fuzzed.
#pragma once

#include <cstddef>

enum class SettingsEncoding {
  kUtf16,  // starts with a UTF-16 byte-order mark (either byte order): left as it is
  kUtf8,   // starts with the UTF-8 mark, or is valid UTF-8 throughout (plain ASCII too)
  kCp932,  // anything else: the 8-bit form (code page 932) of earlier versions
};

// Half-width katakana in code page 932 are single bytes 0xA1-0xDF, and two
// of them in a row can be a valid two-byte UTF-8 character ("ﾈｺ", C8 BA, is
// also "Ⱥ"). A file valid as UTF-8 whose every multi-byte character is such
// a pair is ambiguous, and the system's ANSI code page decides it: 932 reads
// it as code page 932, any other as UTF-8.
inline constexpr unsigned kJapaneseCodePage = 932;

// Validity of UTF-8 read piece by piece (a character may span two pieces).
struct Utf8Scan {
  bool valid = true;
  unsigned char needed = 0;  // continuation bytes the current character still needs
  unsigned char low = 0x80;  // the range the next continuation byte must lie in
  unsigned char high = 0xBF;
  bool multiByte = false;   // a character of more than one byte was seen
  bool onlyKanaPairs = true;  // every one of them was two bytes in 0xA1-0xDF
};

// What is known of a file's encoding after some of its bytes: its first
// three bytes (for the byte-order mark) and whether all so far were UTF-8.
struct EncodingScan {
  unsigned char head[3] = {};
  std::size_t headCount = 0;
  Utf8Scan utf8;
};

// Takes the next count bytes of the file.
void ScanSettingsBytes(EncodingScan &scan, const unsigned char *bytes, std::size_t count);

// True once the rest of the file cannot change the answer (a UTF-16 mark,
// or bytes that are not UTF-8), so reading may stop.
bool IsSettingsEncodingDecided(const EncodingScan &scan);

// The encoding of the file whose bytes were all scanned; *markLength
// receives the length of the byte-order mark to skip (0, 2 or 3). A file
// that ends inside a UTF-8 character is not UTF-8; an ambiguous one (above)
// is decided by ansiCodePage, the system's (GetACP).
SettingsEncoding FinishSettingsScan(const EncodingScan &scan, std::size_t *markLength,
                                    unsigned ansiCodePage);

// The two steps above for a whole file held in memory.
SettingsEncoding DetectSettingsEncoding(const unsigned char *bytes, std::size_t count,
                                        std::size_t *markLength, unsigned ansiCodePage);

// How many of the count bytes, read from a character boundary on, form whole
// characters of the 8-bit encoding (kCp932 or kUtf8): count, or count less the
// start of a character cut off at the end (at most 3 bytes), which belongs
// to the next piece read. Undecodable bytes count as whole characters.
std::size_t CountWholeCharacterBytes(SettingsEncoding encoding, const unsigned char *bytes,
                                     std::size_t count);

// Decodes count bytes of UTF-8 into out, which holds at least count units,
// and returns the number of units written. Each ill-formed sequence (its
// longest valid beginning, or one byte) becomes U+FFFD, so the output is
// always valid UTF-16 whatever the input.
std::size_t DecodeUtf8(const unsigned char *bytes, std::size_t count, char16_t *out);
