// The clock title: the plain title followed by the local date, weekday and
// time, such as "関数電卓 Vex 2002-3-5(火)9:5".
//
// Portable: no platform header. The window side reads the time (through its
// own time source) and only asks this module for the text.
#pragma once

#include <cstddef>
#include <ctime>
#include <string_view>

#include "ui_texts.h"  // UiLanguage, the weekday names

// At most this many characters of the plain title are used (its buffer holds
// 16 characters with the terminator).
inline constexpr std::size_t kMaxPlainTitleLength = 15;

struct ClockFields {
  int year;     // e.g. 2002
  int month;    // 1-12
  int day;      // 1-31
  int weekday;  // 0 Sunday ... 6 Saturday
  int hour;     // 0-23
  int minute;   // 0-59
};

// Takes the fields of a broken-down local time. The year and month are moved
// to their usual numbering; a value that would leave the int range stays at
// the range's edge.
ClockFields ClockFieldsFromTm(const std::tm &time);

// Longest clock title: the plain title, a blank, five numbers of at most
// 11 characters each, five marks and the longest weekday name.
inline constexpr std::size_t kMaxClockTitleLength =
    kMaxPlainTitleLength + 1 + 5 * 11 + 5 + kMaxWeekdayNameLength;

// Writes the plain title (at most kMaxPlainTitleLength characters of it), a
// blank, year-month-day, the weekday's name in the language in parentheses,
// then hour:minute into out (outSize characters with the terminator; nothing
// is written when outSize is 0). Numbers are plain decimal without leading
// zeros (a negative value keeps its minus sign), except that the English
// title writes a minute 0-9 with two digits ("9:05"); there are no seconds.
// A weekday outside 0-6 shows as "?". A text longer than the room is cut
// (never inside a surrogate pair); kMaxClockTitleLength + 1 always suffices.
// Returns the length before the terminator.
std::size_t FormatClockTitle(std::u16string_view plainTitle, const ClockFields &fields,
                             char16_t *out, std::size_t outSize,
                             UiLanguage language = UiLanguage::kJapanese);
