#include "theme_choice.h"

#include <cmath>
#include <utility>

#include "settings_values.h"

ThemeChoice ChooseTheme(const wchar_t *text) {
  if (text == nullptr) return ThemeChoice::kFollowSystem;
  if (IsSettingWord(text, L"dark")) return ThemeChoice::kDark;
  if (IsSettingWord(text, L"light")) return ThemeChoice::kLight;
  return ThemeChoice::kFollowSystem;
}

const wchar_t *GetThemeSettingText(ThemeChoice choice) {
  switch (choice) {
    case ThemeChoice::kLight:
      return L"light";
    case ThemeChoice::kDark:
      return L"dark";
    default:
      return kDefaultThemeText;
  }
}

bool IsDarkLook(ThemeChoice choice, const LookFacts &facts) {
  if (facts.highContrast || !facts.darkDrawable) return false;
  if (choice == ThemeChoice::kFollowSystem) return facts.appModeKnown && facts.appMode == 0;
  return choice == ThemeChoice::kDark;
}

// Greys near those of the system's own dark applications; the texts stay
// well above 7:1 on every background they are drawn on.
const DarkPalette kDarkPalette = {
    MakeRgb(32, 32, 32),     // window
    MakeRgb(240, 240, 240),  // text
    MakeRgb(25, 25, 25),     // field
    MakeRgb(255, 255, 255),  // fieldText
    MakeRgb(51, 51, 51),     // face
    MakeRgb(69, 69, 69),     // faceHot
    MakeRgb(22, 22, 22),     // facePressed
    MakeRgb(130, 130, 130),  // edge
    MakeRgb(200, 200, 200),  // edgeFocused
};

// WCAG 2's relative luminance of an sRGB colour.
static double Luminance(Rgb colour) {
  double channels[3];
  for (int i = 0; i < 3; ++i) {
    double c = ((colour >> (8 * i)) & 0xFF) / 255.0;
    channels[i] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  }
  return 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
}

double ContrastRatio(Rgb first, Rgb second) {
  double a = Luminance(first);
  double b = Luminance(second);
  if (a < b) std::swap(a, b);
  return (a + 0.05) / (b + 0.05);
}
