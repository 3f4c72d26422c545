// The editing rule of the keypad and function buttons, on plain text.
//
// Portable: no platform header. The window side reads the entry text, the
// saved selection and the button's caption, calls ApplyKeypadEdit and puts
// the outcome back into the entry, the pending selection and the undo text.
#pragma once

#include <cstddef>
#include <string_view>

#include "resource_ids.h"

// Longest entry text, in UTF-16 characters.
inline constexpr std::size_t kMaxEntryLength = 255;

// Buttons with a rule of their own: CL (IDC_CL), BS (IDC_BS), DEL (IDC_DEL)
// and PI (IDC_PI). Ids IDC_FIRST_KEYPAD_COMMAND to IDC_LAST_KEYPAD_COMMAND
// other than PI and DEL are function buttons, which add "(" after their
// caption.

enum KeypadOutcome {
  kKeypadChanged,    // the entry text changed
  kKeypadUnchanged,  // same text: CL, BS at the start, DEL at the end, ...
  kKeypadRefused,    // the text would pass kMaxEntryLength: nothing happens
};

// Room for an edited text with its terminator: an insertion stops at
// kMaxEntryLength, and a text set whole into the entry can be one character
// longer than that.
inline constexpr std::size_t kKeypadTextSize = kMaxEntryLength + 2;

struct KeypadEdit {
  KeypadOutcome outcome;
  char16_t text[kKeypadTextSize];  // the new entry text, NUL-terminated (the
                                   // old one when refused)
  std::size_t textLength;
  int selectionStart;              // the new selection; start == end is a caret
  int selectionEnd;
  std::u16string_view undoText;    // the text to keep for undo: the text
                                   // given (when refused, keep the old undo
                                   // text instead)

  std::u16string_view Text() const { return std::u16string_view(text, textLength); }
};

// Applies button id to entry text `text` whose selection runs from selStart
// to selEnd (UTF-16 positions). caption is the button's window text.
//
// Positions past the end, and negative positions (the 16-bit -1 is past the
// end as well), mean the end of the text; a reversed selection is taken in
// order; a caret inside a surrogate pair moves before the pair, and a
// selection ending inside one takes the whole pair.
// CL selects from the start of the text to the end of the selection. BS and
// DEL delete the selection, or the one character before or after the caret
// (a surrogate pair is one character). Every other button replaces the
// selection with its caption, less one trailing "&" (the mnemonic escape of
// "&&"), and function buttons add "(". An insertion that would make the text
// longer than kMaxEntryLength is refused; the caller plays the warning sound.
// A text longer than kKeypadTextSize - 1 characters is taken cut to that
// length (the window side never reads more than kMaxEntryLength). Nothing is
// allocated.
KeypadEdit ApplyKeypadEdit(std::u16string_view text, int selStart, int selEnd,
                           std::u16string_view caption, int id);
