// The editing rule of the keypad and function buttons, on plain text.
//
// Portable: no platform header. The window side reads the entry text, the
// saved selection and the button's caption, calls ApplyKeypadEdit and puts
// the outcome back into the entry, the pending selection and the undo text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Longest entry text, in UTF-16 characters.
inline constexpr std::size_t kMaxEntryLength = 255;

// Button ids with a rule of their own. Ids 1001-1038 other than PI and DEL
// are function buttons, which add "(" after their caption.
inline constexpr int kButtonPi = 1017;
inline constexpr int kButtonClear = 1032;
inline constexpr int kButtonBackspace = 1033;
inline constexpr int kButtonDelete = 1034;
inline constexpr int kFirstFunctionId = 1001;
inline constexpr int kLastFunctionId = 1038;

enum KeypadOutcome {
  kKeypadChanged,    // the entry text changed
  kKeypadUnchanged,  // same text: CL, BS at the start, DEL at the end, ...
  kKeypadRefused,    // the text would pass kMaxEntryLength: nothing happens
};

struct KeypadEdit {
  KeypadOutcome outcome;
  std::u16string text;      // the new entry text (the old one when refused)
  int selectionStart;       // the new selection; start == end is a caret
  int selectionEnd;
  std::u16string undoText;  // the text to keep for undo; when refused, keep
                            // the old undo text instead
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
KeypadEdit ApplyKeypadEdit(std::u16string_view text, int selStart, int selEnd,
                           std::u16string_view caption, int id);
