// ASCII letter case for the words the engine recognises in either case: the
// word operators of the parser and the names of the function table.
#pragma once

#include <cstddef>

// True for A-Z and a-z.
inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// c with a-z made A-Z; every other byte unchanged.
inline char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The length of word (upper-case ASCII, not empty) when text begins with it
// in either letter case, else 0. Reads text no further than its NUL.
inline std::size_t MatchWord(const char *text, const char *word) {
  std::size_t i = 0;
  for (; word[i] != '\0'; ++i) {
    if (ToUpperAscii(text[i]) != word[i]) return 0;  // stops at the NUL too
  }
  return i;
}
