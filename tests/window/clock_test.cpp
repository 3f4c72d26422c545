// The title clock: the text for fixed dates through the replaceable time
// source, and which title the real main window shows at start, on timer
// events, when minimised and restored, and when Time is switched.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "app_state.h"
#include "clock.h"
#include "settings.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

std::tm fixedTime;
bool fixedTimeReadable = true;

bool ReadFixedTime(std::tm *local) {
  if (!fixedTimeReadable) return false;
  *local = fixedTime;
  return true;
}

std::tm MakeTime(int year, int month, int day, int weekday, int hour, int minute) {
  std::tm time = {};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_wday = weekday;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = 59;  // never shown
  return time;
}

class Clock : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    fixedTime = MakeTime(2002, 3, 5, 2, 9, 5);
    fixedTimeReadable = true;
    ReadLocalTime = ReadFixedTime;
    wcscpy(State.TitleText, L"関数電卓 Vex");
  }
  void TearDown() override {
    CloseMainWindow();
    ReadLocalTime = ReadSystemLocalTime;
    DeleteTestSettingsFile();
  }
  static std::wstring Title() {
    wchar_t buffer[kClockTitleSize];
    return BuildClockTitle(buffer);
  }
  static std::wstring WindowTitle() {
    wchar_t text[64];
    GetWindowTextW(State.MainWindow, text, 64);
    return text;
  }
  void StartShown() {
    ASSERT_NE(StartMainWindow(), nullptr);
    ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
    UpdateWindow(State.MainWindow);
    DrainMessages();
  }
};

TEST_F(Clock, TextForFixedDates) {
  EXPECT_EQ(Title(), L"関数電卓 Vex 2002-3-5(火)9:5");
  fixedTime = MakeTime(2006, 1, 1, 0, 0, 0);
  EXPECT_EQ(Title(), L"関数電卓 Vex 2006-1-1(日)0:0") << "hour 0, January, the first, Sunday";
  fixedTime = MakeTime(2024, 12, 31, 6, 23, 59);
  EXPECT_EQ(Title(), L"関数電卓 Vex 2024-12-31(土)23:59") << "Saturday";
  fixedTime = MakeTime(1999, 10, 20, 3, 10, 0);
  EXPECT_EQ(Title(), L"関数電卓 Vex 1999-10-20(水)10:0");
}

TEST_F(Clock, EveryWeekday) {
  const wchar_t *names = L"日月火水木金土";
  for (int weekday = 0; weekday < 7; ++weekday) {
    fixedTime = MakeTime(2002, 3, 3 + weekday, weekday, 12, 0);
    std::wstring expected = L"関数電卓 Vex 2002-3-" + std::to_wstring(3 + weekday) + L"(" +
                            names[weekday] + L")12:0";
    EXPECT_EQ(Title(), expected);
  }
}

TEST_F(Clock, UnreadableTimeGivesThePlainTitle) {
  fixedTimeReadable = false;
  EXPECT_EQ(Title(), L"関数電卓 Vex");
}

TEST_F(Clock, TheSystemTimeSourceGivesTheLocalTime) {
  std::tm local = {};
  std::time_t before = std::time(nullptr);
  ASSERT_TRUE(ReadSystemLocalTime(&local));
  std::tm expected = *std::localtime(&before);
  // The same day unless the test runs across midnight; the fields are valid.
  EXPECT_GE(local.tm_year, expected.tm_year);
  EXPECT_GE(local.tm_wday, 0);
  EXPECT_LE(local.tm_wday, 6);
  EXPECT_GE(local.tm_mon, 0);
  EXPECT_LE(local.tm_mon, 11);
}

TEST_F(Clock, LongTitleIsCutToTheBuffer) {
  wcscpy(State.TitleText, L"123456789012345");  // the longest plain title
  fixedTime = MakeTime(2002, 12, 31, 1, 23, 59);
  std::wstring title = Title();
  EXPECT_EQ(title, L"123456789012345 2002-12-31(月)23:59");
  EXPECT_LT(title.size(), static_cast<size_t>(kClockTitleSize));
  fixedTime.tm_year = 2147483647 - 1900;
  fixedTime.tm_hour = 2147483647;
  fixedTime.tm_min = -2147483647 - 1;
  EXPECT_LT(Title().size(), static_cast<size_t>(kClockTitleSize)) << "fields out of range";
}

TEST_F(Clock, StartShowsTheClockTitleWhenTimeIsOn) {
  StartShown();
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex 2002-3-5(火)9:5");
  CloseMainWindow();

  PrepareFreshStart();
  FormSettingsPaths();
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"Time", 0));
  StartShown();
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex");
}

TEST_F(Clock, TimerRefreshesTheTitleUnlessMinimised) {
  StartShown();
  fixedTime = MakeTime(2002, 3, 5, 2, 9, 35);
  SendMessageW(State.MainWindow, WM_TIMER, IDT_CLOCK, 0);
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex 2002-3-5(火)9:35");

  ShowWindow(State.MainWindow, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(State.MainWindow));
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex") << "minimising shows the plain title at once";
  fixedTime = MakeTime(2002, 3, 5, 2, 10, 5);
  SendMessageW(State.MainWindow, WM_TIMER, IDT_CLOCK, 0);
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex") << "no refresh while minimised";

  ShowWindow(State.MainWindow, SW_RESTORE);
  ASSERT_FALSE(IsIconic(State.MainWindow));
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex 2002-3-5(火)10:5") << "restoring brings it back at once";
}

TEST_F(Clock, MinimiseAndRestoreWithTimeOff) {
  FormSettingsPaths();
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"Time", 0));
  StartShown();
  ShowWindow(State.MainWindow, SW_MINIMIZE);
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex");
  ShowWindow(State.MainWindow, SW_RESTORE);
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex");
  // A timer message is not tested against Time: it refreshes anyway.
  SendMessageW(State.MainWindow, WM_TIMER, IDT_CLOCK, 0);
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex 2002-3-5(火)9:5");
}

TEST_F(Clock, SwitchingTimeOffAndOn) {
  StartShown();
  SendMessageW(State.MainWindow, WM_COMMAND, IDM_TIME, 0);
  EXPECT_EQ(State.Time, 0);
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex");
  fixedTime = MakeTime(2010, 7, 4, 0, 18, 3);
  SendMessageW(State.MainWindow, WM_COMMAND, IDM_TIME, 0);
  EXPECT_EQ(State.Time, 1);
  EXPECT_EQ(WindowTitle(), L"関数電卓 Vex 2010-7-4(日)18:3");
}

}  // namespace
