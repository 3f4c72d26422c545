// The clock title.
#include "clock_text.h"

#include <climits>

namespace {

// Sunday first.
constexpr char16_t kWeekdayCharacters[7] = {u'日', u'月', u'火', u'水',
                                            u'木', u'金', u'土'};
constexpr char16_t kUnknownWeekday = u'?';

int AddSaturated(int value, int addend) {
  long long sum = static_cast<long long>(value) + addend;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

// Appends value in decimal without leading zeros.
void AppendNumber(std::u16string *text, int value) {
  long long magnitude = value;
  if (magnitude < 0) {
    *text += u'-';
    magnitude = -magnitude;
  }
  char16_t digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  while (count > 0) *text += digits[--count];
}

char16_t GetWeekdayCharacter(int weekday) {
  if (weekday < 0 || weekday > 6) return kUnknownWeekday;
  return kWeekdayCharacters[weekday];
}

// The title cut to kMaxPlainTitleLength characters, never inside a pair.
std::u16string_view LimitPlainTitle(std::u16string_view title) {
  if (title.size() <= kMaxPlainTitleLength) return title;
  std::size_t length = kMaxPlainTitleLength;
  char16_t last = title[length - 1];
  if (last >= 0xD800 && last <= 0xDBFF) length -= 1;
  return title.substr(0, length);
}

}  // namespace

ClockFields ClockFieldsFromTm(const std::tm &time) {
  ClockFields fields;
  fields.year = AddSaturated(time.tm_year, 1900);
  fields.month = AddSaturated(time.tm_mon, 1);
  fields.day = time.tm_mday;
  fields.weekday = time.tm_wday;
  fields.hour = time.tm_hour;
  fields.minute = time.tm_min;
  return fields;
}

std::u16string FormatClockTitle(std::u16string_view plainTitle,
                                const ClockFields &fields) {
  std::u16string title(LimitPlainTitle(plainTitle));
  title += u' ';
  AppendNumber(&title, fields.year);
  title += u'-';
  AppendNumber(&title, fields.month);
  title += u'-';
  AppendNumber(&title, fields.day);
  title += u'(';
  title += GetWeekdayCharacter(fields.weekday);
  title += u')';
  AppendNumber(&title, fields.hour);
  title += u':';
  AppendNumber(&title, fields.minute);
  return title;
}
