// Conversions between the window's UTF-16 and the engine's UTF-8, and the
// two halves of a UTF-16 surrogate pair (one character beyond U+FFFF).
//
// Portable: no platform header. Text on the window side is UTF-16
// (char16_t; wchar_t on Windows has the same layout).
#pragma once

#include <cstddef>
#include <string_view>

// Put in place of text that cannot be converted.
inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

inline bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Converts UTF-16 to NUL-terminated UTF-8 in out (outSize bytes including the
// NUL; nothing is written when outSize is 0). Stops before a character that
// does not fit whole. A lone surrogate becomes U+FFFD. Returns the number of
// bytes before the NUL; *cut (if given) tells whether text was left out.
std::size_t ConvertUtf16ToUtf8(std::u16string_view text, char *out,
                               std::size_t outSize, bool *cut = nullptr);

// Converts UTF-8 (the engine's result text or message) to NUL-terminated
// UTF-16 in out (outSize characters including the terminator; nothing is
// written when outSize is 0). Stops at the first NUL, at the end of the
// view, or before a character that does not fit whole. Every byte that does
// not belong to a well-formed sequence (overlong forms, surrogates, values
// past U+10FFFF, stray continuation bytes, sequences cut short) becomes one
// U+FFFD. The result never has more characters than the input has bytes.
// Returns the number of characters before the terminator.
std::size_t ConvertUtf8ToUtf16(std::string_view text, char16_t *out, std::size_t outSize);
