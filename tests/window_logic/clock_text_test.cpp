#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <string>

#include "clock_text.h"

namespace {

const std::u16string kTitle = u"関数電卓 Vex";

// The title written into a buffer with room for the longest one.
std::u16string Title(std::u16string_view plain, const ClockFields &fields) {
  char16_t out[kMaxClockTitleLength + 1];
  std::size_t length = FormatClockTitle(plain, fields, out, kMaxClockTitleLength + 1);
  return std::u16string(out, length);
}

struct ClockCase {
  const char *name;
  ClockFields fields;
  std::u16string expected;
};

class ClockTitleTable : public testing::TestWithParam<ClockCase> {};

TEST_P(ClockTitleTable, FormatsDateWeekdayAndTime) {
  EXPECT_EQ(Title(kTitle, GetParam().fields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ClockTitleTable,
    testing::Values(
        ClockCase{"TuesdayExample", {2002, 3, 5, 2, 9, 5}, u"関数電卓 Vex 2002-3-5(火)9:5"},
        ClockCase{"HourZeroMinuteZero", {2024, 12, 31, 2, 0, 0}, u"関数電卓 Vex 2024-12-31(火)0:0"},
        ClockCase{"FirstOfJanuary", {2023, 1, 1, 0, 23, 59}, u"関数電卓 Vex 2023-1-1(日)23:59"},
        ClockCase{"Saturday", {2000, 1, 1, 6, 12, 30}, u"関数電卓 Vex 2000-1-1(土)12:30"},
        ClockCase{"Monday", {2002, 3, 4, 1, 1, 1}, u"関数電卓 Vex 2002-3-4(月)1:1"},
        ClockCase{"Wednesday", {2002, 3, 6, 3, 1, 1}, u"関数電卓 Vex 2002-3-6(水)1:1"},
        ClockCase{"Thursday", {2002, 3, 7, 4, 1, 1}, u"関数電卓 Vex 2002-3-7(木)1:1"},
        ClockCase{"Friday", {2002, 3, 8, 5, 1, 1}, u"関数電卓 Vex 2002-3-8(金)1:1"},
        ClockCase{"YearTenThousand", {10000, 10, 10, 5, 10, 10}, u"関数電卓 Vex 10000-10-10(金)10:10"},
        ClockCase{"WeekdaySeven", {2002, 3, 5, 7, 9, 5}, u"関数電卓 Vex 2002-3-5(?)9:5"},
        ClockCase{"WeekdayNegative", {2002, 3, 5, -1, 9, 5}, u"関数電卓 Vex 2002-3-5(?)9:5"},
        ClockCase{"ExtremeValues", {INT_MIN, INT_MAX, -7, INT_MIN, 0, -1},
                  u"関数電卓 Vex -2147483648-2147483647--7(?)0:-1"}),
    [](const testing::TestParamInfo<ClockCase> &info) { return std::string(info.param.name); });

TEST(ClockTitle, UsesAtMostFifteenCharactersOfTheTitle) {
  ClockFields fields{2002, 3, 5, 2, 9, 5};
  EXPECT_EQ(Title(u"0123456789ABCDEFGH", fields),
            u"0123456789ABCDE 2002-3-5(火)9:5");
  // A surrogate pair at the cut is dropped whole.
  std::u16string title = std::u16string(14, u'x') + u"\U0001F600";
  EXPECT_EQ(Title(title, fields),
            std::u16string(14, u'x') + u" 2002-3-5(火)9:5");
}

TEST(ClockTitle, TheLongestTitleFitsItsRoomAndASmallerBufferCutsIt) {
  ClockFields widest{INT_MIN, INT_MIN, INT_MIN, 0, INT_MIN, INT_MIN};
  std::u16string plain(15, u'x');
  // The Japanese weekday is one character; the longest name is English.
  EXPECT_EQ(Title(plain, widest).size(), kMaxClockTitleLength - (kMaxWeekdayNameLength - 1));
  char16_t out[10];
  EXPECT_EQ(FormatClockTitle(kTitle, {2002, 3, 5, 2, 9, 5}, out, 10), 9u);
  EXPECT_EQ(std::u16string(out), u"関数電卓 Vex ");
  EXPECT_EQ(FormatClockTitle(kTitle, widest, out, 0), 0u);
}

TEST(ClockTitle, EnglishHasWeekdayNamesAndTwoDigitMinutes) {
  char16_t out[kMaxClockTitleLength + 1];
  ClockFields widest{INT_MIN, INT_MIN, INT_MIN, 3, INT_MIN, INT_MIN};
  for (auto [fields, expected] : {std::pair<ClockFields, std::u16string>{
                                      {2002, 3, 5, 2, 9, 5}, u"Vex 2002-3-5(Tue)9:05"},
                                  {{2023, 1, 1, 0, 23, 10}, u"Vex 2023-1-1(Sun)23:10"}}) {
    std::size_t length =
        FormatClockTitle(u"Vex", fields, out, sizeof out / 2, UiLanguage::kEnglish);
    EXPECT_EQ(std::u16string(out, length), expected);
  }
  EXPECT_EQ(FormatClockTitle(std::u16string(15, u'x'), widest, out, sizeof out / 2,
                             UiLanguage::kEnglish),
            kMaxClockTitleLength);
}

TEST(ClockFieldsFromTm, MovesYearAndMonthToTheirUsualNumbering) {
  std::tm time{};
  time.tm_year = 102;
  time.tm_mon = 2;
  time.tm_mday = 5;
  time.tm_wday = 2;
  time.tm_hour = 9;
  time.tm_min = 5;
  time.tm_sec = 59;  // seconds are not shown
  EXPECT_EQ(Title(kTitle, ClockFieldsFromTm(time)),
            u"関数電卓 Vex 2002-3-5(火)9:5");
}

TEST(ClockFieldsFromTm, StaysInsideTheIntRange) {
  std::tm time{};
  time.tm_year = INT_MAX;
  time.tm_mon = INT_MAX;
  ClockFields fields = ClockFieldsFromTm(time);
  EXPECT_EQ(fields.year, INT_MAX);
  EXPECT_EQ(fields.month, INT_MAX);
}

}  // namespace
