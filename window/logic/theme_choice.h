// The look of the window: the "Theme" setting's rule, what decides between
// the light and the dark look, and the dark look's colours. Portable: no
// platform header, so the rules and the palette's contrast are tested
// natively.
#pragma once

#include <cstddef>
#include <cstdint>

// What the user asked for (key "Theme" in section "Vex").
enum class ThemeChoice { kFollowSystem, kLight, kDark };

// "dark" and "light" in any case are those looks; "system", an absent or
// empty value, a null text and anything else follow the system.
ThemeChoice ChooseTheme(const wchar_t *text);

// The value written for a choice: "system", "light" or "dark".
const wchar_t *GetThemeSettingText(ThemeChoice choice);

// Room to read the value into: a longer value is cut to 7 characters, which
// no cut can turn into "light" or "dark" ("lightxx" stays unknown).
inline constexpr std::size_t kThemeTextSize = 8;

// What the system tells about itself when the look is decided.
struct LookFacts {
  bool appModeKnown;       // the app mode value was there and readable
  std::uint32_t appMode;   // its value: 0 is dark, anything else light
  bool highContrast;       // the user's high-contrast scheme is on
  bool darkDrawable;       // push buttons can be drawn by their parent (custom draw)
};

// True when the window is to be dark: high contrast always wins (the
// system's own colours), the dark look needs push buttons that can be drawn
// by their parent, and following the system means dark exactly when the app
// mode is known and 0.
bool IsDarkLook(ThemeChoice choice, const LookFacts &facts);

// A colour as the platform's COLORREF holds it: 0x00BBGGRR.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}

// The dark look's colours, defined once: every dark part takes its colours
// from here.
struct DarkPalette {
  Rgb window;        // the client area and the About box
  Rgb text;          // labels and texts on window and on the faces
  Rgb field;         // the entry, its list and the result field
  Rgb fieldText;     // texts on field
  Rgb face;          // a push button at rest
  Rgb faceHot;       // under the mouse
  Rgb facePressed;   // pressed
  Rgb edge;          // a push button's frame
  Rgb edgeFocused;   // the frame of the button with the keyboard focus
};
extern const DarkPalette kDarkPalette;

// The contrast ratio of two colours as WCAG 2 defines it, from 1 (equal
// luminance) to 21 (black on white).
double ContrastRatio(Rgb first, Rgb second);
