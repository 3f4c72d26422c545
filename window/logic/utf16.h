// The two halves of a UTF-16 surrogate pair (one character beyond U+FFFF).
//
// Portable: no platform header.
#pragma once

inline bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
