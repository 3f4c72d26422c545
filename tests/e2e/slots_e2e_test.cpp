// The real program, driven from outside: typing expressions, Enter, results
// and errors in the result field, a slot chosen with the arrow key, and
// everything back after a restart.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "resource_ids.h"

namespace {


class SlotsEndToEnd : public VexEndToEnd {};

TEST_F(SlotsEndToEnd, TypeEnterAndFindItAgainAfterARestart) {
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(ReadControlText(run.window, IDC_ENTRY), L"");
  EXPECT_EQ(ReadControlText(run.window, IDC_RESULT), L"");

  TypeText(L"2+3");
  ASSERT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"2+3"), L"2+3");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"5."), L"5.");
  EXPECT_EQ(ReadIni(run, L"Data", L"A"), L"2+3");
  EXPECT_EQ(ReadIni(run, L"Vex", L"Cbo"), L"0");
  EXPECT_EQ(ReadControlText(run.window, IDC_ENTRY), L"2+3");
  // The caret is back at the end, where it was when Enter was pressed.
  EXPECT_TRUE(WaitFor([&] { return ReadEntrySelection(run.window) == MAKELONG(3, 3); }));

  ASSERT_TRUE(StopVex(run));
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"5."), L"5.");
  EXPECT_EQ(ReadControlText(run.window, IDC_ENTRY), L"2+3");
}

TEST_F(SlotsEndToEnd, ErrorShowsTheMessageAndPutsTheCaretBeforeTheError) {
  ASSERT_TRUE(StartVex(run));
  TypeText(L"12*/4");
  ASSERT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"12*/4"), L"12*/4");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"文法ｴﾗ-です"), L"文法ｴﾗ-です");
  // The parser stops at "/" (position 3): the caret goes to 2.
  EXPECT_TRUE(WaitFor([&] { return ReadEntrySelection(run.window) == MAKELONG(2, 2); }))
      << std::hex << ReadEntrySelection(run.window);
  EXPECT_EQ(ReadIni(run, L"Data", L"A"), L"12*/4") << "saved even though it failed";

  // Typing goes on at the caret: "12" + "0" + "*/4" ... fixed by hand.
  PressKey(VK_END);
  PressKey(VK_BACK);
  PressKey(VK_BACK);
  TypeText(L"4=");  // the typed "=" evaluates too
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"48."), L"48.");
  EXPECT_EQ(ReadControlText(run.window, IDC_ENTRY), L"12*4");
}

// The typed "=" and the "=" button leave the caret where it is, as Enter does.
TEST_F(SlotsEndToEnd, EqualsKeepsTheCaretWhereItIs) {
  ASSERT_TRUE(StartVex(run));
  TypeText(L"1+2");
  ASSERT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"1+2"), L"1+2");
  PressKey(VK_HOME);
  PressKey(VK_RIGHT);
  TypeText(L"=");
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"3."), L"3.");
  // The caret was there before: give the program time to move it if it would.
  Sleep(500);
  EXPECT_EQ(ReadEntrySelection(run.window), static_cast<DWORD>(MAKELONG(1, 1)))
      << std::hex << ReadEntrySelection(run.window);

  PressKey(VK_END);
  PressKey(VK_LEFT);
  TypeText(L"9");
  ASSERT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"1+92"), L"1+92");
  PressKey(VK_LEFT);
  ASSERT_TRUE(ClickControl(run.window, IDM_EVALUATE));
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"93."), L"93.");
  Sleep(500);
  EXPECT_EQ(ReadEntrySelection(run.window), static_cast<DWORD>(MAKELONG(2, 2)))
      << std::hex << ReadEntrySelection(run.window);
}

TEST_F(SlotsEndToEnd, ArrowKeyChoosesTheNextSlotWithoutRecomputing) {
  ASSERT_TRUE(WriteIni(run.folder, L"Data", L"A", L"6*7"));
  ASSERT_TRUE(WriteIni(run.folder, L"Data", L"B", L"A+1 ;答えの次"));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"42."), L"42.");
  EXPECT_EQ(ReadControlText(run.window, IDC_ENTRY), L"6*7");

  // Down arrow moves the list's selection. Nothing is selected after start,
  // so the first press may only select A; a person presses again.
  bool onB = false;
  for (int press = 0; press < 3 && !onB; ++press) {
    PressKey(VK_DOWN);
    onB = WaitFor([&] { return ReadControlText(run.window, IDC_ENTRY) == L"A+1 ;答えの次"; }, 2000);
  }
  ASSERT_TRUE(onB) << "entry: " << ::testing::PrintToString(ReadControlText(run.window, IDC_ENTRY));
  EXPECT_EQ(ReadControlText(run.window, IDC_RESULT), L"42.") << "not recomputed";
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"43."), L"43.");
  EXPECT_EQ(ReadIni(run, L"Vex", L"Cbo"), L"1");
  EXPECT_EQ(ReadIni(run, L"Data", L"B"), L"A+1 ;答えの次");

  ASSERT_TRUE(StopVex(run));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"43."), L"43.");
  EXPECT_EQ(ReadControlText(run.window, IDC_ENTRY), L"A+1 ;答えの次");
}

}  // namespace
