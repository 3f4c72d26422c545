// The real program used as a person uses it: expressions typed into several
// slots and their answers read back through Ctrl+B and the clipboard; the
// output radix and the angle unit switched from the keyboard; the four views
// and what they do to the window; the keypad clicked with the mouse; undo
// from the Edit menu by its mnemonics; a tray start that loads the slots when
// the window first shows; a second start from another folder; the Help menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "resource_ids.h"

namespace {


const wchar_t kSyntaxError[] = L"文法ｴﾗ-です";

// The build folder's window\ directory, where vex.chm is made beside vex.exe.
std::wstring BuiltWindowFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path, length);
  return text.substr(0, text.find_last_of(L"\\/")) + L"\\..\\..\\window";
}

bool FileExists(const std::wstring &path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int Height(const RECT &rect) { return rect.bottom - rect.top; }

class UserEndToEnd : public VexEndToEnd {
 protected:

  std::wstring Entry() const { return ReadControlText(run.window, IDC_ENTRY); }
  std::wstring WaitForEntry(const std::wstring &expected) const {
    return WaitForControlText(run.window, IDC_ENTRY, expected);
  }
  std::wstring WaitForResult(const std::wstring &expected) const {
    return WaitForControlText(run.window, IDC_RESULT, expected);
  }
  std::wstring WaitForIni(const wchar_t *section, const wchar_t *key,
                          const std::wstring &expected) const {
    std::wstring seen;
    WaitFor([&] {
      seen = ReadIni(run, section, key);
      return seen == expected;
    });
    return seen;
  }
  bool WaitForCaret(int position) const {
    return WaitFor([&] { return ReadEntrySelection(run.window) == MAKELONG(position, position); });
  }

  // Ctrl+B, then what the clipboard holds (the clipboard is set to a marker
  // first, so an old text cannot pass for the answer).
  std::wstring CopyAnswer(const std::wstring &expected) const {
    if (!WriteClipboard(L"<before Ctrl+B>")) return L"<clipboard busy>";
    PressKey('B', true);
    return WaitForClipboard(expected);
  }

  // Down or Up arrow in the entry until the list's choice shows the text
  // (one press moves one item; a press may be taken before the window has
  // caught up, so a person presses again).
  bool ChooseSlotByArrow(WORD arrow, const std::wstring &expression) {
    for (int press = 0; press < 3; ++press) {
      PressKey(arrow);
      if (WaitFor([&] { return Entry() == expression; }, 2000)) return true;
    }
    return false;
  }

  // The window's bottom edge less the bottom edge of the control.
  int GapBelow(int id) const {
    return ReadWindowRect(run.window).bottom - ReadControlRect(run.window, id).bottom;
  }

  // The text of an item of the entry's drop-down list.
  std::wstring ReadListItem(int index) const {
    HWND entry = GetDlgItem(run.window, IDC_ENTRY);
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(entry, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, 5000, &length) ||
        static_cast<LRESULT>(length) == CB_ERR || length > 1000) {
      return L"<no item>";
    }
    wchar_t text[1024] = L"";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(entry, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    return text;
  }

  bool StartInTray() { return StartHiddenVex(run, L"/t"); }

  bool Click(int id) const { return ClickControl(run.window, id); }
};

TEST_F(UserEndToEnd, SlotsTypedInTurnAnswersByCtrlBAndTheCurrentSlotAfterARestart) {
  ASSERT_TRUE(StartVex(run));

  TypeText(L"2+3");
  ASSERT_EQ(WaitForEntry(L"2+3"), L"2+3");
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForResult(L"5."), L"5.");
  EXPECT_EQ(CopyAnswer(L"5."), L"5.");
  // Copying the answer leaves the entry and its caret alone.
  EXPECT_EQ(Entry(), L"2+3");
  EXPECT_TRUE(WaitForCaret(3)) << std::hex << ReadEntrySelection(run.window);

  // Slot B uses A by its letter.
  ASSERT_TRUE(ChooseSlotByArrow(VK_DOWN, L""));
  TypeText(L"A*2");
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForResult(L"10."), L"10.");
  EXPECT_EQ(WaitForIni(L"Vex", L"Cbo", L"1"), L"1");
  EXPECT_EQ(CopyAnswer(L"10."), L"10.");

  // Slot C with a comment after the quote.
  ASSERT_TRUE(ChooseSlotByArrow(VK_DOWN, L""));
  TypeText(L"A+B ' total");
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForResult(L"15."), L"15.");

  // Slot D fails: the message is the answer Ctrl+B copies, and the caret
  // stands one character before where the parser stopped, counted without
  // the blanks, so here right after the 1.
  ASSERT_TRUE(ChooseSlotByArrow(VK_DOWN, L""));
  TypeText(L"1 + * 2");
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForResult(kSyntaxError), kSyntaxError);
  EXPECT_TRUE(WaitForCaret(1)) << std::hex << ReadEntrySelection(run.window);
  EXPECT_EQ(CopyAnswer(kSyntaxError), kSyntaxError);
  EXPECT_EQ(WaitForIni(L"Data", L"D", L"1 + * 2"), L"1 + * 2") << "saved although it failed";

  // Back to C and evaluated again: C is the current slot from now on.
  ASSERT_TRUE(ChooseSlotByArrow(VK_UP, L"A+B ' total"));
  EXPECT_EQ(ReadControlText(run.window, IDC_RESULT), kSyntaxError) << "choosing does not evaluate";
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForResult(L"15."), L"15.");
  EXPECT_EQ(WaitForIni(L"Vex", L"Cbo", L"2"), L"2");

  ASSERT_TRUE(StopVex(run));
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(WaitForResult(L"15."), L"15.");
  EXPECT_EQ(Entry(), L"A+B ' total");
  EXPECT_EQ(CopyAnswer(L"15."), L"15.");
  // The drop-down list shows every slot as it was last evaluated.
  EXPECT_EQ(ReadListItem(0), L"A\u25022+3");
  EXPECT_EQ(ReadListItem(1), L"B\u2502A*2");
  EXPECT_EQ(ReadListItem(2), L"C\u2502A+B ' total");
  EXPECT_EQ(ReadListItem(3), L"D\u25021 + * 2");
  EXPECT_EQ(ReadListItem(4), L"E\u2502");
  EXPECT_EQ(ReadListItem(25), L"Z\u2502");
  // A and B were evaluated again at start, so C can use them.
  PressKey(VK_HOME);
  TypeText(L"1+");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"16."), L"16.");
}

TEST_F(UserEndToEnd, CtrlSStepsTheRadixWhichAppliesFromTheNextEvaluation) {
  ASSERT_TRUE(StartVex(run));
  TypeText(L"255");
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForResult(L"255."), L"255.");

  struct Step {
    const wchar_t *radix;
    const wchar_t *answer;
  };
  const Step steps[] = {{L"16", L"ff"}, {L"2", L"11111111"}, {L"8", L"377"}, {L"10", L"255."}};
  std::wstring shown = L"255.";
  for (const Step &step : steps) {
    SCOPED_TRACE(::testing::Message() << "radix " << ::testing::PrintToString(std::wstring(step.radix)));
    PressKey('S', true);
    ASSERT_EQ(WaitForIni(L"Vex", L"Radix", step.radix), step.radix);
    // The shown answer keeps its old form until the next evaluation.
    EXPECT_EQ(ReadControlText(run.window, IDC_RESULT), shown);
    EXPECT_EQ(Entry(), L"255");
    PressKey(VK_RETURN);
    EXPECT_EQ(WaitForResult(step.answer), step.answer);
    EXPECT_EQ(CopyAnswer(step.answer), step.answer);
    shown = step.answer;
  }

  // In 16 a negative number shows its 32-bit pattern, and an error still
  // shows the message; the radix survives a restart.
  PressKey('S', true);
  ASSERT_EQ(WaitForIni(L"Vex", L"Radix", L"16"), L"16");
  PressKey(VK_END);
  for (int i = 0; i < 3; ++i) PressKey(VK_BACK);
  ASSERT_EQ(WaitForEntry(L""), L"");
  TypeText(L"-1");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"ffffffff"), L"ffffffff");
  TypeText(L")(");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(kSyntaxError), kSyntaxError);
  PressKey(VK_END);
  PressKey(VK_BACK);
  PressKey(VK_BACK);
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"ffffffff"), L"ffffffff");

  ASSERT_TRUE(StopVex(run));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(WaitForResult(L"ffffffff"), L"ffffffff");
}

TEST_F(UserEndToEnd, CtrlDSwitchesBetweenRadiansAndDegrees) {
  ASSERT_TRUE(StartVex(run));
  TypeText(L"SIN(30)");
  PressKey(VK_RETURN);
  ASSERT_EQ(WaitForResult(L"-0.9880316241"), L"-0.9880316241");

  PressKey('D', true);
  ASSERT_EQ(WaitForIni(L"Vex", L"Deg", L"1"), L"1");
  EXPECT_EQ(ReadControlText(run.window, IDC_RESULT), L"-0.9880316241") << "not recomputed";
  // Focus and caret go back to the end of the entry: typing goes on there.
  TypeText(L"*2");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"1."), L"1.");
  PressKey(VK_BACK);
  PressKey(VK_BACK);
  ASSERT_EQ(WaitForEntry(L"SIN(30)"), L"SIN(30)");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"0.5"), L"0.5");
  EXPECT_EQ(CopyAnswer(L"0.5"), L"0.5");

  // Degrees survive a restart: the slot is evaluated in degrees at start.
  ASSERT_TRUE(StopVex(run));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(WaitForResult(L"0.5"), L"0.5");

  PressKey('D', true);
  ASSERT_EQ(WaitForIni(L"Vex", L"Deg", L"0"), L"0");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"-0.9880316241"), L"-0.9880316241");
}

TEST_F(UserEndToEnd, CtrlAStepsThroughTheFourViews) {
  ASSERT_TRUE(StartVex(run));
  // No settings: view 3, keypad and menu bar.
  EXPECT_NE(GetMenu(run.window), nullptr);
  EXPECT_EQ(GapBelow(IDM_EVALUATE), 6);
  const RECT start = ReadWindowRect(run.window);

  struct View {
    const wchar_t *value;
    bool menuBar;
    bool keypad;
  };
  const View views[] = {{L"0", false, false}, {L"1", false, true}, {L"2", true, false},
                        {L"3", true, true}};
  int heights[4] = {};
  for (int i = 0; i < 4; ++i) {
    const View &view = views[i];
    SCOPED_TRACE(::testing::Message() << "view " << i);
    PressKey('A', true);
    ASSERT_EQ(WaitForIni(L"Vex", L"View", view.value), view.value);
    int reference = view.keypad ? IDM_EVALUATE : IDC_ENTRY;
    EXPECT_TRUE(WaitFor([&] {
      return (GetMenu(run.window) != nullptr) == view.menuBar && GapBelow(reference) == 6;
    })) << "menu " << (GetMenu(run.window) != nullptr) << ", gap " << GapBelow(reference);
    RECT now = ReadWindowRect(run.window);
    heights[i] = Height(now);
    // Resized, never moved, never made narrower or wider.
    EXPECT_EQ(now.left, start.left);
    EXPECT_EQ(now.top, start.top);
    EXPECT_EQ(now.right - now.left, start.right - start.left);
    // Without the keypad its buttons lie below the window's edge: there is
    // nothing to click.
    if (!view.keypad) {
      EXPECT_GT(ReadControlRect(run.window, '7').top, now.bottom);
      EXPECT_FALSE(Click('7'));
    }
  }
  EXPECT_EQ(heights[3], Height(start));
  EXPECT_LT(heights[0], heights[1]);
  EXPECT_LT(heights[0], heights[2]);
  EXPECT_LT(heights[2], heights[3]);
  // The menu bar adds the same height with and without the keypad.
  EXPECT_EQ(heights[3] - heights[1], heights[2] - heights[0]);

  // The focus stayed in the entry throughout: typing still lands there.
  TypeText(L"1+1");
  EXPECT_EQ(WaitForEntry(L"1+1"), L"1+1");

  // View 0 comes back after a restart.
  PressKey('A', true);
  ASSERT_EQ(WaitForIni(L"Vex", L"View", L"0"), L"0");
  ASSERT_TRUE(StopVex(run));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(GetMenu(run.window), nullptr);
  EXPECT_EQ(GapBelow(IDC_ENTRY), 6);
  EXPECT_EQ(Height(ReadWindowRect(run.window)), heights[0]);
}

TEST_F(UserEndToEnd, KeypadButtonsClickedWithTheMouse) {
  ASSERT_TRUE(StartVex(run));
  for (int id : {'7', '+', '8'}) ASSERT_TRUE(Click(id)) << id;
  ASSERT_EQ(WaitForEntry(L"7+8"), L"7+8");
  ASSERT_TRUE(Click(IDM_EVALUATE));
  EXPECT_EQ(WaitForResult(L"15."), L"15.");
  EXPECT_EQ(Entry(), L"7+8");
  // The focus is back in the entry after a click: typing goes on at its end.
  TypeText(L"*2");
  EXPECT_EQ(WaitForEntry(L"7+8*2"), L"7+8*2");

  // CL selects from the start to the caret, BS deletes the selection.
  ASSERT_TRUE(Click(IDC_CL));
  EXPECT_TRUE(WaitFor([&] { return ReadEntrySelection(run.window) == MAKELONG(0, 5); }))
      << std::hex << ReadEntrySelection(run.window);
  ASSERT_TRUE(Click(IDC_BS));
  ASSERT_EQ(WaitForEntry(L""), L"");

  // A function button inserts its name and "(" ; in degrees SIN(30) is 0.5.
  PressKey('D', true);
  ASSERT_EQ(WaitForIni(L"Vex", L"Deg", L"1"), L"1");
  for (int id : {IDC_SIN, int{'3'}, int{'0'}, int{')'}}) ASSERT_TRUE(Click(id)) << id;
  ASSERT_EQ(WaitForEntry(L"SIN(30)"), L"SIN(30)");
  ASSERT_TRUE(Click(IDM_EVALUATE));
  EXPECT_EQ(WaitForResult(L"0.5"), L"0.5");

  // In the middle of the text: the caret after "SIN(3"; DEL takes the 0,
  // BS the 3, and the digits clicked go in at the caret.
  PressKey(VK_HOME);
  for (int i = 0; i < 5; ++i) PressKey(VK_RIGHT);
  ASSERT_TRUE(WaitForCaret(5)) << std::hex << ReadEntrySelection(run.window);
  ASSERT_TRUE(Click(IDC_DEL));
  ASSERT_EQ(WaitForEntry(L"SIN(3)"), L"SIN(3)");
  ASSERT_TRUE(Click(IDC_BS));
  ASSERT_EQ(WaitForEntry(L"SIN()"), L"SIN()");
  EXPECT_TRUE(WaitForCaret(4)) << std::hex << ReadEntrySelection(run.window);
  ASSERT_TRUE(Click('9'));
  ASSERT_TRUE(Click('0'));
  ASSERT_EQ(WaitForEntry(L"SIN(90)"), L"SIN(90)");
  EXPECT_TRUE(WaitForCaret(6)) << std::hex << ReadEntrySelection(run.window);
  ASSERT_TRUE(Click(IDM_EVALUATE));
  EXPECT_EQ(WaitForResult(L"1."), L"1.");
  EXPECT_EQ(WaitForIni(L"Data", L"A", L"SIN(90)"), L"SIN(90)");
}

TEST_F(UserEndToEnd, UndoFromTheEditMenuSwapsWithTheTextBeforeTheLastButton) {
  ASSERT_TRUE(WriteIni(run.folder, L"Data", L"A", L"6*7"));
  ASSERT_TRUE(StartVex(run));
  ASSERT_EQ(WaitForResult(L"42."), L"42.");

  // Typing does not touch the undo text, which holds the slot as loaded.
  TypeText(L"+1");
  ASSERT_EQ(WaitForEntry(L"6*7+1"), L"6*7+1");
  ASSERT_TRUE(ChooseMenuItem(run, 'E', 'U'));
  EXPECT_EQ(WaitForEntry(L"6*7"), L"6*7");
  // Undo again swaps back.
  ASSERT_TRUE(ChooseMenuItem(run, 'E', 'U'));
  EXPECT_EQ(WaitForEntry(L"6*7+1"), L"6*7+1");

  // A button keeps the text of before its insertion.
  ASSERT_TRUE(FocusEntry(run));
  PressKey(VK_END);
  ASSERT_TRUE(Click('2'));
  ASSERT_EQ(WaitForEntry(L"6*7+12"), L"6*7+12");
  ASSERT_TRUE(ChooseMenuItem(run, 'E', 'U'));
  EXPECT_EQ(WaitForEntry(L"6*7+1"), L"6*7+1");
  ASSERT_TRUE(ChooseMenuItem(run, 'E', 'U'));
  EXPECT_EQ(WaitForEntry(L"6*7+12"), L"6*7+12");

  // The menu gave the focus back to the entry: Enter evaluates.
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"54."), L"54.");
}

TEST_F(UserEndToEnd, TrayStartLoadsTheSlotsWhenTheIconFirstShowsTheWindow) {
  ASSERT_TRUE(WriteIni(run.folder, L"Data", L"A", L"6*7"));
  ASSERT_TRUE(WriteIni(run.folder, L"Data", L"B", L"A+1"));
  ASSERT_TRUE(WriteIni(run.folder, L"Vex", L"Cbo", L"1"));
  ASSERT_TRUE(StartInTray());
  EXPECT_FALSE(IsWindowVisible(run.window));
  // Nothing is loaded while the window was never shown.
  EXPECT_EQ(ReadControlText(run.window, IDC_RESULT), L"");

  // A left press on the icon, as the shell reports it.
  PostMessageW(run.window, WM_TRAY_CALLBACK, 1, WM_LBUTTONDOWN);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(run.window) != FALSE; }));
  EXPECT_EQ(WaitForResult(L"43."), L"43.");
  EXPECT_EQ(Entry(), L"A+1");
  ASSERT_TRUE(FocusEntry(run));
  EXPECT_EQ(CopyAnswer(L"43."), L"43.");
}

TEST_F(UserEndToEnd, ASecondStartFromAnotherFolderEndsAtOnceAndShowsTheFirst) {
  ASSERT_TRUE(StartInTray());
  ASSERT_FALSE(IsWindowVisible(run.window));

  std::wstring other = MakeVexFolder(CurrentTestName() + L"-other");
  ASSERT_FALSE(other.empty());
  PROCESS_INFORMATION second = {};
  ASSERT_TRUE(LaunchVex(other, L"", second));
  bool ended = WaitForSingleObject(second.hProcess, 10000) == WAIT_OBJECT_0;
  EXPECT_TRUE(ended) << "the second copy is still running";
  if (!ended) {
    TerminateProcess(second.hProcess, 99);
    WaitForSingleObject(second.hProcess, 5000);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(second.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(second.hThread);
  CloseHandle(second.hProcess);

  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(run.window) != FALSE; }));
  // The second copy neither wrote a settings file of its own nor left a
  // window behind.
  EXPECT_FALSE(FileExists(other + L"\\vex.ini"));
  EXPECT_EQ(FindWindowW(L"VexClass300", nullptr), run.window);
  RemoveVexFolder(other);

  // The first goes on as before.
  ASSERT_TRUE(FocusEntry(run));
  TypeText(L"2*21");
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForResult(L"42."), L"42.");
  EXPECT_EQ(WaitForIni(L"Data", L"A", L"2*21"), L"2*21");
}

TEST_F(UserEndToEnd, HelpMenuOpensTheContentsAndTheAboutBox) {
  ASSERT_TRUE(CopyFileW((BuiltWindowFolder() + L"\\vex.chm").c_str(),
                        (run.folder + L"\\vex.chm").c_str(), FALSE))
      << "vex.chm is not built beside vex.exe";
  ASSERT_TRUE(StartVex(run));
  TypeText(L"1+2");
  ASSERT_EQ(WaitForEntry(L"1+2"), L"1+2");

  // Help, Contents (Alt+H, C): the help window opens on vex.chm.
  ASSERT_TRUE(ChooseMenuItem(run, 'H', 'C'));
  HWND help = WaitForWindowClass(run, L"HH Parent");
  ASSERT_NE(help, nullptr);
  PostMessageW(help, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(help) || !IsWindowVisible(help); }));
  WaitFor([&] { return !IsWindow(help); }, 3000);

  // Help, Version information (Alt+H, A): a modal box; Esc closes it and the
  // caret is at the end of the entry again.
  ASSERT_TRUE(ChooseMenuItem(run, 'H', 'A'));
  HWND about = WaitForWindowClass(run, L"#32770");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(ReadWindowTitle(about), L"Vex バージョン情報");
  EXPECT_FALSE(IsWindowEnabled(run.window)) << "the main window takes no input meanwhile";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(run.window) != FALSE; }));
  EXPECT_TRUE(WaitForCaret(3)) << std::hex << ReadEntrySelection(run.window);
  TypeText(L"=");
  EXPECT_EQ(WaitForResult(L"3."), L"3.");
  EXPECT_EQ(Entry(), L"1+2");
}

}  // namespace
