#include "settings_values.h"
#include "tray_switch.h"
#include "window_position.h"

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

TEST(ConvertIntegerText, ReadsLikeAtoi) {
  struct Case {
    const wchar_t *text;
    int value;
  } cases[] = {
      {L"16", 16},   {L"  8", 8},     {L"\t2", 2},     {L"+10", 10}, {L"-3", -3},
      {L"12abc", 12}, {L"1 6", 1},     {L"", 0},        {L"abc", 0},  {L"-", 0},
      {L"0x10", 0},  {L"007", 7},     {L"１６", 0},     // full-width digits are not digits
  };
  for (const Case &c : cases) EXPECT_EQ(ConvertIntegerText(c.text), c.value) << "text: " << c.text;
}

TEST(ConvertIntegerText, StaysWithinIntRange) {
  EXPECT_EQ(ConvertIntegerText(L"2147483647"), INT_MAX);
  EXPECT_EQ(ConvertIntegerText(L"2147483648"), INT_MAX);
  EXPECT_EQ(ConvertIntegerText(L"99999999999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ConvertIntegerText(L"-2147483648"), INT_MIN);
  EXPECT_EQ(ConvertIntegerText(L"-99999999999999999999999999999999"), INT_MIN);
  EXPECT_EQ(ConvertIntegerText(nullptr), 0);
}

TEST(RangeRules, ViewOutsideZeroToThreeFallsBackToThree) {
  for (int view = 0; view <= 3; ++view) EXPECT_EQ(CheckView(view), view);
  for (int view : {-1, 4, 7, 100, INT_MIN, INT_MAX}) EXPECT_EQ(CheckView(view), 3) << view;
}

TEST(RangeRules, SlotOutsideAToZFallsBackToA) {
  for (int slot = 0; slot < 26; ++slot) EXPECT_EQ(CheckSlotIndex(slot), slot);
  for (int slot : {-1, 26, 30, INT_MIN, INT_MAX}) EXPECT_EQ(CheckSlotIndex(slot), 0) << slot;
}

TEST(RangeRules, OutputRadixIsAlwaysOneOfTheFour) {
  for (int radix : {2, 8, 10, 16}) EXPECT_EQ(OutputRadix(radix), radix);
  for (int radix = -300; radix <= 300; ++radix) {
    int out = OutputRadix(radix);
    EXPECT_TRUE(out == 2 || out == 8 || out == 10 || out == 16) << radix;
  }
  EXPECT_EQ(OutputRadix(0), 10);   // an empty "Radix" value converts to 0
  EXPECT_EQ(OutputRadix(1), 10);
  EXPECT_EQ(OutputRadix(36), 10);
  EXPECT_EQ(OutputRadix(INT_MIN), 10);
}

// The one screen at (0, 0) with its right and bottom edges.
bool UsableOnOneScreen(int wx, int wy, int right, int bottom) {
  ScreenRect screen = {0, 0, right, bottom};
  return IsStoredPositionUsable(wx, wy, &screen, 1);
}

TEST(PositionRule, OneScreenUsesOnlyPositionsWellInsideIt) {
  EXPECT_TRUE(UsableOnOneScreen(0, 0, 1024, 768));
  EXPECT_TRUE(UsableOnOneScreen(100, 80, 1024, 768));
  EXPECT_TRUE(UsableOnOneScreen(1024 - 17, 768 - 17, 1024, 768));
  EXPECT_FALSE(UsableOnOneScreen(1024 - 16, 100, 1024, 768));
  EXPECT_FALSE(UsableOnOneScreen(100, 768 - 16, 1024, 768));
  EXPECT_FALSE(UsableOnOneScreen(-1, -1, 1024, 768));  // the default
  EXPECT_FALSE(UsableOnOneScreen(-1, 100, 1024, 768));
  EXPECT_FALSE(UsableOnOneScreen(100, -1, 1024, 768));
  EXPECT_FALSE(UsableOnOneScreen(5000, 100, 1024, 768));
  EXPECT_FALSE(UsableOnOneScreen(INT_MAX, INT_MAX, 1024, 768));
  EXPECT_FALSE(UsableOnOneScreen(0, 0, INT_MIN, INT_MIN));  // no wrap-around
}

// A 1920 x 1080 primary screen with other monitors around it.
TEST(PositionRule, APositionOnAnyMonitorIsUsedWhileThatMonitorIsThere) {
  const ScreenRect primary = {0, 0, 1920, 1080};
  const ScreenRect left = {-1280, 0, 0, 1024};
  const ScreenRect above = {0, -900, 1600, 0};
  const ScreenRect right = {2020, 0, 3300, 1024};  // a 100-pixel gap after the primary
  const ScreenRect all[] = {primary, left, above, right};
  EXPECT_TRUE(IsStoredPositionUsable(-1200, 300, all, 4));  // left of the primary
  EXPECT_TRUE(IsStoredPositionUsable(-1280, 0, all, 4));    // its top-left corner
  EXPECT_TRUE(IsStoredPositionUsable(200, -850, all, 4));   // above
  EXPECT_TRUE(IsStoredPositionUsable(2500, 400, all, 4));   // right, past the primary's width
  EXPECT_FALSE(IsStoredPositionUsable(1950, 400, all, 4));  // in the gap
  EXPECT_TRUE(IsStoredPositionUsable(-17, 300, all, 4));    // just inside the left one
  EXPECT_FALSE(IsStoredPositionUsable(-16, 300, all, 4));   // too near its right edge
  EXPECT_FALSE(IsStoredPositionUsable(2500, 1010, all, 4)); // too near the right one's bottom
  EXPECT_FALSE(IsStoredPositionUsable(-1, -1, all, 4));     // the default lies on none
  EXPECT_FALSE(IsStoredPositionUsable(-1, 600, all, 4));    // the left one's last 16 pixels
  // The monitor is gone: back to the default position.
  const ScreenRect withoutLeft[] = {primary, above, right};
  EXPECT_FALSE(IsStoredPositionUsable(-1200, 300, withoutLeft, 3));
  // No monitor at all.
  EXPECT_FALSE(IsStoredPositionUsable(100, 100, all, 0));
  EXPECT_FALSE(IsStoredPositionUsable(100, 100, nullptr, 4));
}

TEST(PositionRule, ManyMonitorsAndEdgesNearTheIntegerLimits) {
  std::vector<ScreenRect> many;
  for (int i = 0; i < 500; ++i) many.push_back({i * 2000, 0, i * 2000 + 1920, 1080});
  EXPECT_TRUE(IsStoredPositionUsable(499 * 2000 + 5, 5, many.data(), many.size()));
  EXPECT_FALSE(IsStoredPositionUsable(499 * 2000 + 1950, 5, many.data(), many.size()));
  const ScreenRect extreme[] = {{INT_MIN, INT_MIN, INT_MIN, INT_MIN},
                                {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
                                {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
  EXPECT_FALSE(IsStoredPositionUsable(INT_MIN, INT_MIN, extreme, 2));
  EXPECT_FALSE(IsStoredPositionUsable(INT_MAX - 5, INT_MAX - 5, extreme, 2));
  EXPECT_TRUE(IsStoredPositionUsable(INT_MIN, INT_MIN, extreme, 3));
  EXPECT_FALSE(IsStoredPositionUsable(INT_MAX - 16, 0, extreme, 3));
}

TEST(TraySwitch, SlashOrDashWithTInEitherCase) {
  EXPECT_TRUE(HasTraySwitch(L"/t"));
  EXPECT_TRUE(HasTraySwitch(L"-t"));
  EXPECT_TRUE(HasTraySwitch(L"/T"));
  EXPECT_TRUE(HasTraySwitch(L"-T"));
  EXPECT_TRUE(HasTraySwitch(L"/tray and more"));
  EXPECT_FALSE(HasTraySwitch(L""));
  EXPECT_FALSE(HasTraySwitch(L"/"));
  EXPECT_FALSE(HasTraySwitch(L"t"));
  EXPECT_FALSE(HasTraySwitch(L" /t"));
  EXPECT_FALSE(HasTraySwitch(L"/x"));
  EXPECT_FALSE(HasTraySwitch(L"\"/t\""));
  EXPECT_FALSE(HasTraySwitch(nullptr));
}

TEST(SettingsPlaceRule, TheNewestFileWinsWhereverItIsWritten) {
  constexpr long long t = 130000000000000000LL;  // some day in 2012
  constexpr long long s = 10000000LL;            // one second
  constexpr long long n = t + 3600 * s;          // now: an hour later
  const SettingsPlace folder = SettingsPlace::kBesideProgram, user = SettingsPlace::kUserFolder;
  struct Case {
    SettingsPlaceFacts facts;  // folder: writable, exists, time; user: usable, exists, time; now;
                               // the virtual store's copy: exists, time
    SettingsPlaceChoice choice;  // place, bring the other over, retire the per-user file,
                                 // writable, from the virtual store
  } cases[] = {
      // The folder file while it can be written; a per-user file written
      // later is brought back to it and retired.
      {{true, true, t, true, false, 0, n}, {folder, false, false, true, false}},
      {{true, false, 0, true, false, 0, n}, {folder, false, false, true, false}},
      {{true, true, t, true, true, t + 3 * s, n}, {folder, true, true, true, false}},
      {{true, false, 0, true, true, t, n}, {folder, true, true, true, false}},
      {{true, true, t + 3 * s, true, true, t, n}, {folder, false, false, true, false}},
      {{true, true, t, true, true, t + 2 * s, n}, {folder, false, false, true, false}},  // equal within 2 s
      {{true, true, t + 2 * s, true, true, t, n}, {folder, false, false, true, false}},
      // Cannot be written: the per-user file, with a folder file written
      // later brought to it first. Never retired.
      {{false, true, t, true, false, 0, n}, {user, true, false, true, false}},
      {{false, true, t + 3 * s, true, true, t, n}, {user, true, false, true, false}},
      {{false, true, t, true, true, t + 3 * s, n}, {user, false, false, true, false}},
      {{false, true, t, true, true, t + s, n}, {user, false, false, true, false}},
      {{false, false, 0, true, true, t, n}, {user, false, false, true, false}},
      {{false, false, 0, true, false, 0, n}, {user, false, false, true, false}},
      // No place to write: the newer file is read.
      {{false, true, t, false, true, t + 3 * s, n}, {user, false, false, false, false}},
      {{false, true, t + 3 * s, false, true, t, n}, {folder, false, false, false, false}},
      {{false, true, t, false, true, t, n}, {folder, false, false, false, false}},
      {{false, false, 0, false, false, 0, n}, {folder, false, false, false, false}},
      // A time after now (more than 2 s) counts as equal: the place decides.
      {{true, true, t, true, true, n + 3 * s, n}, {folder, false, false, true, false}},
      {{true, true, t, true, true, n + 2 * s, n}, {folder, true, true, true, false}},  // within the slack
      {{false, true, n + 9 * s, true, true, t, n}, {user, false, false, true, false}},
      {{true, false, 0, true, true, n + 9 * s, n}, {folder, true, true, true, false}},  // nothing to compare
      // The virtual store's copy, written later than an unwritable folder
      // file (or with none there), is brought to the per-user place or read.
      {{false, true, t, true, false, 0, n, true, t + 9 * s}, {user, true, false, true, true}},
      {{false, false, 0, true, false, 0, n, true, t}, {user, true, false, true, true}},
      {{false, true, t, true, true, t + 5 * s, n, true, t + 9 * s}, {user, true, false, true, true}},
      {{false, true, t, true, true, t + 9 * s, n, true, t + 5 * s}, {user, false, false, true, false}},
      {{false, true, t + 9 * s, true, false, 0, n, true, t}, {user, true, false, true, false}},
      {{false, true, t, false, true, t + 5 * s, n, true, t + 9 * s}, {folder, false, false, false, true}},
      {{true, true, t, true, false, 0, n, true, t + 9 * s}, {folder, false, false, true, false}},  // writable: never looked at
  };
  for (const Case &c : cases) {
    const SettingsPlaceFacts &f = c.facts;
    SCOPED_TRACE(::testing::Message() << f.folderFileWritable << f.folderFileExists << " "
                                      << f.folderFileTime - t << " " << f.userPlaceUsable
                                      << f.userFileExists << " " << f.userFileTime - t << " "
                                      << f.storeFileExists << " " << f.storeFileTime - t);
    SettingsPlaceChoice choice = ChooseSettingsPlace(f);
    EXPECT_EQ(choice.place, c.choice.place);
    EXPECT_EQ(choice.bringOther, c.choice.bringOther);
    EXPECT_EQ(choice.retireUserFile, c.choice.retireUserFile);
    EXPECT_EQ(choice.writable, c.choice.writable);
    EXPECT_EQ(choice.fromStore, c.choice.fromStore);
  }
}

TEST(SettingsPlaceRule, TheSharedFileOnlyWhereThisFolderHasNoFileTheOldMarkFirst) {
  const UserFileSource own = UserFileSource::kOwn, old = UserFileSource::kOldMark,
                       shared = UserFileSource::kShared;
  struct Case {
    bool own, oldMark, shared, folderSide;
    UserFileSource source;
  } cases[] = {
      {true, true, true, true, own},      {true, false, true, false, own},
      {false, true, true, false, old},    {false, true, false, true, old},
      {false, false, true, false, shared}, {false, false, true, true, own},
      {false, false, false, false, own},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ChooseUserFileSource(c.own, c.oldMark, c.shared, c.folderSide), c.source)
        << c.own << c.oldMark << c.shared << c.folderSide;
  }
}

TEST(SettingsPlaceRule, AMissingFileWithABackupIsRestored) {
  EXPECT_TRUE(ShouldRestoreSettingsBackup(false, true));
  EXPECT_FALSE(ShouldRestoreSettingsBackup(true, true)) << "a whole file: the backup is a leftover";
  EXPECT_FALSE(ShouldRestoreSettingsBackup(true, false));
  EXPECT_FALSE(ShouldRestoreSettingsBackup(false, false));
}

TEST(SettingsPlaceRule, EachProgramFolderHasAPerUserFileOfItsOwn) {
  wchar_t a[64], b[64], c[64];
  ASSERT_TRUE(FormUserSettingsName(L"C:\\Tools\\vex.ini", a, 64));
  ASSERT_TRUE(FormUserSettingsName(L"c:\\tools\\vex.ini", b, 64));
  ASSERT_TRUE(FormUserSettingsName(L"D:\\Tools\\vex.ini", c, 64));
  EXPECT_STREQ(a, b) << "the case of the letters does not matter";
  EXPECT_STRNE(a, c);
  EXPECT_EQ(std::wstring(a).size(), 16u);
  EXPECT_EQ(std::wstring(a).substr(0, 4), L"vex-");
  EXPECT_EQ(std::wstring(a).substr(12), L".ini");
  ASSERT_TRUE(FormUserSettingsName(L"\\\\server\\share\\calc2.ini", a, 64));
  EXPECT_EQ(std::wstring(a).substr(0, 6), L"calc2-");
  EXPECT_FALSE(FormUserSettingsName(L"vex.ini", a, 64)) << "no folder";
  EXPECT_FALSE(FormUserSettingsName(L"C:\\vex.ini", a, 16)) << "does not fit";
  EXPECT_STREQ(a, L"");
}
