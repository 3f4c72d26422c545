// The look: the "Theme" setting's rule, the choice between light and dark,
// and the dark palette's contrast.
#include <gtest/gtest.h>

#include <string>

#include "theme_choice.h"

namespace {

TEST(ThemeSetting, DarkAndLightInAnyCaseAndEverythingElseFollowsTheSystem) {
  const std::wstring overlong(10000, L'd');
  for (const wchar_t *text : {L"dark", L"DARK", L"dArK"}) EXPECT_EQ(ChooseTheme(text), ThemeChoice::kDark);
  for (const wchar_t *text : {L"light", L"LIGHT", L"Light"}) EXPECT_EQ(ChooseTheme(text), ThemeChoice::kLight);
  for (const wchar_t *text : {L"system", L"SYSTEM", L"", static_cast<const wchar_t *>(nullptr), L"dar",
                              L"dark ", L"lightxx", L"ｄａｒｋ", L"1", overlong.c_str()}) {
    EXPECT_EQ(ChooseTheme(text), ThemeChoice::kFollowSystem) << (text ? text : L"(null)");
  }
  for (ThemeChoice choice : {ThemeChoice::kFollowSystem, ThemeChoice::kLight, ThemeChoice::kDark}) {
    EXPECT_EQ(ChooseTheme(GetThemeSettingText(choice)), choice);
  }
}

TEST(ThemeLook, HighContrastWinsAndFollowingMeansDarkOnlyForAppModeZero) {
  struct Row {
    ThemeChoice choice;
    LookFacts facts;  // appModeKnown, appMode, highContrast, darkDrawable
    bool dark;
  };
  const Row rows[] = {
      {ThemeChoice::kFollowSystem, {true, 0, false, true}, true},
      {ThemeChoice::kFollowSystem, {true, 1, false, true}, false},
      {ThemeChoice::kFollowSystem, {true, 7, false, true}, false},
      {ThemeChoice::kFollowSystem, {false, 0, false, true}, false},  // no value: light
      {ThemeChoice::kFollowSystem, {true, 0, true, true}, false},    // high contrast
      {ThemeChoice::kFollowSystem, {true, 0, false, false}, false},  // no custom draw
      {ThemeChoice::kDark, {true, 1, false, true}, true},
      {ThemeChoice::kDark, {false, 0, false, true}, true},
      {ThemeChoice::kDark, {true, 0, true, true}, false},
      {ThemeChoice::kDark, {true, 0, false, false}, false},
      {ThemeChoice::kLight, {true, 0, false, true}, false},
  };
  for (const Row &row : rows) {
    EXPECT_EQ(IsDarkLook(row.choice, row.facts), row.dark)
        << GetThemeSettingText(row.choice) << " " << row.facts.appModeKnown << row.facts.appMode
        << row.facts.highContrast << row.facts.darkDrawable;
  }
}

TEST(ThemePalette, LabelsAndResultsReachSevenToOneOnEveryFaceTheyAreDrawnOn) {
  EXPECT_NEAR(ContrastRatio(MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(MakeRgb(9, 9, 9), MakeRgb(9, 9, 9)), 1.0, 1e-9);
  const DarkPalette &p = kDarkPalette;
  for (Rgb face : {p.face, p.faceHot, p.facePressed, p.window}) {
    EXPECT_GE(ContrastRatio(p.text, face), 7.0) << std::hex << face;
  }
  EXPECT_GE(ContrastRatio(p.fieldText, p.field), 7.0);
  // The frames are parts of a control: WCAG asks 3:1 of them; the focused
  // one stands out more.
  EXPECT_GE(ContrastRatio(p.edge, p.face), 3.0);
  EXPECT_GT(ContrastRatio(p.edgeFocused, p.face), ContrastRatio(p.edge, p.face));
}

}  // namespace
