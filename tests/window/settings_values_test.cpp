#include "settings_values.h"

#include <climits>

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

TEST(PositionRule, UsesOnlyPositionsWellInsideTheDesktop) {
  EXPECT_TRUE(IsStoredPositionUsable(0, 0, 1024, 768));
  EXPECT_TRUE(IsStoredPositionUsable(100, 80, 1024, 768));
  EXPECT_TRUE(IsStoredPositionUsable(1024 - 17, 768 - 17, 1024, 768));
  EXPECT_FALSE(IsStoredPositionUsable(1024 - 16, 100, 1024, 768));
  EXPECT_FALSE(IsStoredPositionUsable(100, 768 - 16, 1024, 768));
  EXPECT_FALSE(IsStoredPositionUsable(-1, -1, 1024, 768));  // the default
  EXPECT_FALSE(IsStoredPositionUsable(-1, 100, 1024, 768));
  EXPECT_FALSE(IsStoredPositionUsable(100, -1, 1024, 768));
  EXPECT_FALSE(IsStoredPositionUsable(5000, 100, 1024, 768));
  EXPECT_FALSE(IsStoredPositionUsable(INT_MAX, INT_MAX, 1024, 768));
  EXPECT_FALSE(IsStoredPositionUsable(0, 0, INT_MIN, INT_MIN));  // no wrap-around
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
