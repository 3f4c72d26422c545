// Texts of the 26 slots: list items, the line handed to the engine (through
// utf_conversion.h), and the entry's selection values.
//
// Portable: no platform header. Text on the window side is UTF-16
// (char16_t; wchar_t on Windows has the same layout).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The thin vertical line between a slot's letter and its expression in the
// drop-down list.
inline constexpr char16_t kSlotMarker = u'\u2502';
// Longest expression a slot holds, in UTF-16 characters.
inline constexpr std::size_t kMaxSlotExpressionLength = 255;
inline constexpr int kSlotCount = 26;

// Selection values: start in the low 16 bits, end in the high 16 bits.
// kNoPendingSelection means no selection waits to be applied; kCaretToEnd
// (start 999, end 999) puts the caret at the end, as 999 lies past the
// longest entry text.
inline constexpr std::uint32_t kNoPendingSelection = 999;
inline constexpr std::uint32_t kCaretToEnd = 0x03E703E7;

// --- Slots and list items ---

// The letter of slot 0-25; indices out of range are clamped to A or Z.
char16_t GetSlotLetter(int slot);

// Cuts an expression to at most kMaxSlotExpressionLength characters without
// splitting a surrogate pair.
std::u16string_view LimitSlotExpression(std::u16string_view expression);

// Room for a list item with its terminator.
inline constexpr std::size_t kListItemSize = 2 + kMaxSlotExpressionLength + 1;

// Writes the list item of a slot into item (itemSize characters with the
// terminator; kListItemSize always suffices): letter, kSlotMarker, then the
// expression (cut as LimitSlotExpression does, and further to the room
// there is, never inside a surrogate pair). Returns the length before the
// terminator; nothing is written when itemSize is 0.
std::size_t BuildListItem(int slot, std::u16string_view expression, char16_t *item,
                          std::size_t itemSize);

// True when the second character of the text is kSlotMarker: the entry shows
// a list item that the user has just picked from the drop-down list.
bool IsListItem(std::u16string_view text);

// The expression part of a list item: everything from the third character
// on, further markers included. Empty when the text is not a list item.
std::u16string_view GetListItemExpression(std::u16string_view item);

// --- The engine line ---

// Writes the line for a slot into the engine's buffer: letter, "=", a blank,
// then the expression (cut as LimitSlotExpression does) in UTF-8, and a NUL.
// Returns the number of bytes before the NUL.
//
// 255 characters of UTF-16 can take up to 765 bytes of UTF-8, more than the
// buffer holds. The conversion is then cut at a character boundary. That
// never turns a wrong expression into a shortened valid one: every valid
// expression is ASCII, and a text cut this way always keeps a non-ASCII
// character in front of the cut (316 bytes cannot be 255 ASCII characters).
// Either that character lies in a comment, and the cut falls in the same
// comment and drops nothing the engine reads, or it lies in the expression
// proper, where the engine stops with a syntax error at or before it, exactly
// as it would have on the whole text. For buffers too small for that
// argument the last kept character is replaced by "?" when the kept text
// would otherwise be plain ASCII outside a comment, so the result is still a
// syntax error.
std::size_t BuildEngineLine(int slot, std::u16string_view expression,
                            char *line, std::size_t lineSize);

// --- Selection values ---

std::uint32_t MakeSelection(std::uint32_t start, std::uint32_t end);
std::uint32_t GetSelectionStart(std::uint32_t selection);
std::uint32_t GetSelectionEnd(std::uint32_t selection);

// The selection that puts the caret one character before the position where
// evaluation stopped: start and end both stop - 1, kept to 16 bits. A stop of
// 0 gives 0xFFFF for both, the 16-bit form of -1, which removes the selection
// without moving the caret in the platform's edit control.
std::uint32_t MakeCaretFromStop(int stop);
