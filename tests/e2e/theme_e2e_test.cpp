// The colour mode as a user chooses it: View, Color Mode, Dark by the
// mnemonics (Alt+V, M, D) darkens the window at once, and the next start is
// dark too; Light brings the system's colours back.
#include <gtest/gtest.h>

#include <windows.h>

#include "e2e_support.h"
#include "resource_ids.h"

namespace {

// The "=" button's face, read from the screen near its top edge.
COLORREF ReadButtonFace(HWND window) {
  RECT button = ReadControlRect(window, IDM_EVALUATE);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, (button.left + button.right) / 2, button.top + 2);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool IsDarkColour(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 384; }

class ThemeEndToEnd : public VexEndToEnd {
 protected:
  bool ChooseColourMode(wchar_t letter) {
    if (!ChooseMenuItem(run, 'V', 'M')) return false;
    PressKey(static_cast<WORD>(letter));
    return true;
  }
};

TEST_F(ThemeEndToEnd, DarkChosenInTheMenuIsKeptAcrossARestart) {
  ASSERT_TRUE(StartVex(run));
  EXPECT_FALSE(IsDarkColour(ReadButtonFace(run.window))) << "a first start follows the light prefix";

  ASSERT_TRUE(ChooseColourMode('D'));
  EXPECT_TRUE(WaitFor([&] { return ReadIni(run, L"Vex", L"Theme") == L"dark"; }));
  EXPECT_TRUE(WaitFor([&] { return IsDarkColour(ReadButtonFace(run.window)); })) << "at once";

  ASSERT_TRUE(StopVex(run));
  ASSERT_TRUE(StartVex(run));
  EXPECT_TRUE(WaitFor([&] { return IsDarkColour(ReadButtonFace(run.window)); })) << "kept across the restart";
  ASSERT_TRUE(ChooseColourMode('L'));
  EXPECT_TRUE(WaitFor([&] { return ReadIni(run, L"Vex", L"Theme") == L"light"; }));
  EXPECT_TRUE(WaitFor([&] { return !IsDarkColour(ReadButtonFace(run.window)); }));
}

}  // namespace
