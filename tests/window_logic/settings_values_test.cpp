#include "settings_values.h"

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

TEST(SettingsPlaceRule, FolderFileWhileWritableElseThePerUserFile) {
  struct Case {
    SettingsPlaceFacts facts;  // folder writable, folder exists, user folder ready, user exists
    SettingsPlace place;
    bool copyFirst;
    bool writable;
  } cases[] = {
      // Portable use: the folder file wins while it can be written, whatever
      // stands in the per-user folder.
      {{true, true, true, true}, SettingsPlace::kBesideProgram, false, true},
      {{true, false, false, false}, SettingsPlace::kBesideProgram, false, true},
      {{true, true, false, true}, SettingsPlace::kBesideProgram, false, true},
      // Cannot be written: the per-user file, with the folder file copied
      // over only when the per-user file is not there yet.
      {{false, true, true, false}, SettingsPlace::kUserFolder, true, true},
      {{false, true, true, true}, SettingsPlace::kUserFolder, false, true},
      {{false, false, true, false}, SettingsPlace::kUserFolder, false, true},
      {{false, false, true, true}, SettingsPlace::kUserFolder, false, true},
      // No per-user folder either: the folder file is still read, and
      // nothing can be written.
      {{false, true, false, false}, SettingsPlace::kBesideProgram, false, false},
      {{false, false, false, true}, SettingsPlace::kBesideProgram, false, false},
  };
  for (const Case &c : cases) {
    SettingsPlaceChoice choice = ChooseSettingsPlace(c.facts);
    SCOPED_TRACE(::testing::Message() << c.facts.folderFileWritable << c.facts.folderFileExists
                                      << c.facts.userFolderReady << c.facts.userFileExists);
    EXPECT_EQ(choice.place, c.place);
    EXPECT_EQ(choice.copyFirst, c.copyFirst);
    EXPECT_EQ(choice.writable, c.writable);
  }
}

TEST(SettingsEncodingRule, ByteOrderMarksDecide) {
  struct Case {
    const char *bytes;
    size_t count;
    SettingsEncoding encoding;
    size_t mark;
  } cases[] = {
      {"\xFF\xFE[\0", 4, SettingsEncoding::kUtf16, 2},
      {"\xFE\xFF\0[", 4, SettingsEncoding::kUtf16, 2},
      {"\xFF\xFE", 2, SettingsEncoding::kUtf16, 2},      // a mark and nothing else
      {"\xEF\xBB\xBF[Vex]", 8, SettingsEncoding::kUtf8, 3},
      {"\xEF\xBB", 2, SettingsEncoding::kCp932, 0},      // half a mark is text
      {"[Vex]", 5, SettingsEncoding::kCp932, 0},
      {"[\0V\0", 4, SettingsEncoding::kCp932, 0},        // UTF-16 without a mark
      {"\xFF", 1, SettingsEncoding::kCp932, 0},
      {"", 0, SettingsEncoding::kCp932, 0},
  };
  for (const Case &c : cases) {
    size_t mark = 99;
    EXPECT_EQ(DetectSettingsEncoding(reinterpret_cast<const unsigned char *>(c.bytes), c.count, &mark),
              c.encoding) << c.count;
    EXPECT_EQ(mark, c.mark) << c.count;
  }
}

TEST(SettingsEncodingRule, PiecesEndOnWholeCharacters) {
  auto whole = [](SettingsEncoding encoding, const char *bytes) {
    return CountWholeCharacterBytes(encoding, reinterpret_cast<const unsigned char *>(bytes),
                                    std::char_traits<char>::length(bytes));
  };
  const SettingsEncoding sjis = SettingsEncoding::kCp932;
  EXPECT_EQ(whole(sjis, "A=1"), 3u);
  EXPECT_EQ(whole(sjis, "A=\x93\xfa"), 4u);           // 日: whole
  EXPECT_EQ(whole(sjis, "A=\x93\xfa\x96"), 4u);       // 本 cut after its lead byte
  EXPECT_EQ(whole(sjis, "\x81\x81\x81"), 2u);         // a trail byte that looks like a lead byte
  EXPECT_EQ(whole(sjis, "\x81\x81\x81\x81"), 4u);
  EXPECT_EQ(whole(sjis, "\xFD\xFE\xFF"), 3u);         // bytes that lead nothing
  EXPECT_EQ(whole(sjis, "\xB1\xB2"), 2u);             // half-width kana are one byte
  const SettingsEncoding utf8 = SettingsEncoding::kUtf8;
  EXPECT_EQ(whole(utf8, "A=\xE6\x97\xA5"), 5u);       // 日
  EXPECT_EQ(whole(utf8, "A=\xE6\x97"), 2u);
  EXPECT_EQ(whole(utf8, "A=\xE6"), 2u);
  EXPECT_EQ(whole(utf8, "\xF0\x9F\x98"), 0u);         // a four-byte character cut
  EXPECT_EQ(whole(utf8, "\xF0\x9F\x98\x80"), 4u);
  EXPECT_EQ(whole(utf8, "\x80\x80\x80\x80"), 4u);     // stray continuation bytes
  EXPECT_EQ(whole(sjis, ""), 0u);
}
