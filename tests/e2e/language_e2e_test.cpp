// The interface language as a user switches it: View, English by the
// mnemonics (Alt+V, L), then the title, the menus, a message and the About
// box are English at once, and the next start is English too; the same item
// switches back.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "resource_ids.h"

namespace {

class LanguageEndToEnd : public VexEndToEnd {
 protected:
  bool WaitForTitle(const std::wstring &start) {
    return WaitFor([&] { return ReadWindowTitle(run.window).rfind(start, 0) == 0; });
  }
};

TEST_F(LanguageEndToEnd, ViewEnglishSwitchesAtOnceAndStaysAfterARestart) {
  ASSERT_TRUE(WriteIni(run.folder, L"Vex", L"Time", L"0"));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(ReadWindowTitle(run.window), L"関数電卓 Vex") << "a first start is Japanese";

  ASSERT_TRUE(ChooseMenuItem(run, 'V', 'L'));
  EXPECT_TRUE(WaitForTitle(L"Vex Calculator")) << "the title at once";
  EXPECT_EQ(ReadIni(run, L"Vex", L"Lang"), L"en");
  // The menu bar is the English one: Radix, Octal (Alt+R, O; the Japanese
  // popup has no O).
  ASSERT_TRUE(ChooseMenuItem(run, 'R', 'O'));
  EXPECT_TRUE(WaitFor([&] { return ReadIni(run, L"Vex", L"Radix") == L"8"; }));
  Evaluate(L"8", L"10");
  Evaluate(L"1/0", L"Division by zero");
  ASSERT_TRUE(ChooseMenuItem(run, 'H', 'A'));
  HWND about = WaitForWindowClass(run, L"#32770");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(ReadWindowTitle(about), L"About Vex");
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));

  ASSERT_TRUE(StopVex(run));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(ReadWindowTitle(run.window), L"Vex Calculator") << "kept across the restart";
  ASSERT_TRUE(ChooseMenuItem(run, 'V', 'L'));
  EXPECT_TRUE(WaitForTitle(L"関数電卓 Vex"));
  EXPECT_EQ(ReadIni(run, L"Vex", L"Lang"), L"ja");
}

}  // namespace
