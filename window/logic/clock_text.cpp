// The clock title.
#include "clock_text.h"

#include <climits>

#include "utf_conversion.h"

namespace {

int AddSaturated(int value, int addend) {
  long long sum = static_cast<long long>(value) + addend;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

// The title being built: room for the longest one.
struct TitleText {
  char16_t chars[kMaxClockTitleLength + 1];
  std::size_t length = 0;
  void Append(char16_t c) { chars[length++] = c; }
};

// Appends value in decimal without leading zeros (at most 11 characters).
void AppendNumber(TitleText *text, int value) {
  long long magnitude = value;
  if (magnitude < 0) {
    text->Append(u'-');
    magnitude = -magnitude;
  }
  char16_t digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  while (count > 0) text->Append(digits[--count]);
}

// The title cut to kMaxPlainTitleLength characters, never inside a pair.
std::u16string_view LimitPlainTitle(std::u16string_view title) {
  if (title.size() <= kMaxPlainTitleLength) return title;
  std::size_t length = kMaxPlainTitleLength;
  if (IsHighSurrogate(title[length - 1])) length -= 1;
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

std::size_t FormatClockTitle(std::u16string_view plainTitle, const ClockFields &fields,
                             char16_t *out, std::size_t outSize, UiLanguage language) {
  if (outSize == 0) return 0;
  TitleText title;
  for (char16_t c : LimitPlainTitle(plainTitle)) title.Append(c);
  title.Append(u' ');
  AppendNumber(&title, fields.year);
  title.Append(u'-');
  AppendNumber(&title, fields.month);
  title.Append(u'-');
  AppendNumber(&title, fields.day);
  title.Append(u'(');
  for (const char16_t *c = GetWeekdayName(fields.weekday, language); *c != u'\0'; ++c) {
    title.Append(*c);
  }
  title.Append(u')');
  AppendNumber(&title, fields.hour);
  title.Append(u':');
  if (language == UiLanguage::kEnglish && fields.minute >= 0 && fields.minute <= 9) {
    title.Append(u'0');
  }
  AppendNumber(&title, fields.minute);

  std::size_t length = title.length;
  if (length > outSize - 1) {
    length = outSize - 1;
    if (length > 0 && IsHighSurrogate(title.chars[length - 1])) length -= 1;
  }
  for (std::size_t i = 0; i < length; ++i) out[i] = title.chars[i];
  out[length] = u'\0';
  return length;
}
