// The main window's commands on the real window, in-process: keypad buttons,
// undo, the clipboard commands, options written to the settings file,
// topmost, the clock, the move handler and stray commands.
#include <gtest/gtest.h>

#include <string>

#include "app_state.h"
#include "clipboard.h"
#include "message_loop.h"
#include "settings.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

class Commands : public ShownWindowTest {
 protected:
  // Entry text and selection as the user would leave them before a command.
  static void SetEntry(const wchar_t *text, int start, int end) {
    SetWindowTextW(State.Entry, text);
    SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    Turn();
  }
  static void Click(int id) { SendMessageW(GetDlgItem(State.MainWindow, id), BM_CLICK, 0, 0); }
  static void PressCtrl(WPARAM key) {
    SetControlKey(true);
    MSG m = {};
    m.hwnd = GetWindow(State.Entry, GW_CHILD);
    m.message = WM_KEYDOWN;
    m.wParam = key;
    m.lParam = 1;
    ProcessLoopMessage(m);
    SetControlKey(false);
  }
  static int Stored(const wchar_t *key) { return ReadSettingInt(kOptionsSection, key, -12345); }
  static bool EntryHasFocus() {
    HWND focus = GetFocus();
    return focus == State.Entry || GetParent(focus) == State.Entry;
  }
};

// --- Keypad buttons ---

TEST_F(Commands, DigitButtonInsertsAtTheCaretAndKeepsTheOldTextForUndo) {
  SetEntry(L"1+2", 2, 2);
  Click('7');
  EXPECT_EQ(EntryText(), L"1+72");
  EXPECT_STREQ(State.UndoText, L"1+2");
  EXPECT_TRUE(EntryHasFocus());
  Turn();
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(3, 3)));
}

TEST_F(Commands, FunctionButtonReplacesTheSelectionAndPiAddsNoParenthesis) {
  SetEntry(L"1+30", 2, 4);
  Click(IDC_SIN);
  EXPECT_EQ(EntryText(), L"1+SIN(");
  Turn();
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(6, 6)));
  Click(IDC_PI);
  EXPECT_EQ(EntryText(), L"1+SIN(PI");
}

TEST_F(Commands, ClSelectsFromTheStartToTheCaretAndBsDelRemoveOneCharacter) {
  SetEntry(L"12+3", 2, 2);
  Click(IDC_CL);
  EXPECT_EQ(EntryText(), L"12+3");
  Turn();
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(0, 2)));

  SetEntry(L"関数\U0001F600x", 4, 4);  // caret behind the surrogate pair
  Click(IDC_BS);
  EXPECT_EQ(EntryText(), L"関数x");
  Turn();
  SetEntry(L"関数x", 0, 0);
  Click(IDC_DEL);
  EXPECT_EQ(EntryText(), L"数x");
}

TEST_F(Commands, InsertionPastTheLengthLimitIsRefusedWholly) {
  State.BeepOption = 0;
  std::wstring full(253, L'1');
  SetEntry(full.c_str(), 253, 253);
  wcscpy(State.UndoText, L"before");
  Click(IDC_SIN);  // "SIN(" would make 257 characters
  EXPECT_EQ(EntryText(), full);
  EXPECT_STREQ(State.UndoText, L"before");
  Click('7');  // 254: still allowed
  EXPECT_EQ(EntryText(), full + L"7");
}

TEST_F(Commands, StrayCommandIdsLeaveTheEntryAlone) {
  SetEntry(L"12+3", 1, 3);
  // No button has these ids; 1011 is the result field.
  for (int id : {33, 126, 1010, 1011, 1029, 1038, 2000, 0xFFFF}) {
    Command(id);
    EXPECT_EQ(EntryText(), L"12+3") << id;
  }
  Turn();
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(1, 3)));
}

TEST_F(Commands, SelectionValuesPastTheEndMeanTheEnd) {
  SetEntry(L"12", 0, 0);
  State.PendingSelection = 0xFFFFFFFF;  // -1, -1
  Click('3');
  EXPECT_EQ(EntryText(), L"123");
  State.PendingSelection = MAKELONG(999, 5);
  Click(IDC_BS);
  EXPECT_EQ(EntryText(), L"12");
}

TEST_F(Commands, ButtonUsesTheCaretMovedByTypingSinceTheLastLoopRefresh) {
  SetEntry(L"1+2", 3, 3);  // SavedSelection: 3
  // The user moves the caret in the entry (messages to the edit field do not
  // refresh SavedSelection) and clicks straight onto a button.
  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
  Click('7');
  EXPECT_EQ(EntryText(), L"17+2");
  // Two buttons within one loop turn: the second follows the first.
  Click('8');
  EXPECT_EQ(EntryText(), L"178+2");
}

// --- Undo ---

TEST_F(Commands, UndoSwapsBackAndForth) {
  SetEntry(L"1+2", 3, 3);
  Click('7');
  ASSERT_EQ(EntryText(), L"1+27");
  Turn();
  Command(IDM_UNDO);
  EXPECT_EQ(EntryText(), L"1+2");
  EXPECT_STREQ(State.UndoText, L"1+27");
  Turn();
  Command(IDM_UNDO);
  EXPECT_EQ(EntryText(), L"1+27");
  EXPECT_STREQ(State.UndoText, L"1+2");
}

// --- Clipboard ---

TEST_F(Commands, CopyAnswerPutsTheShownTextOnTheClipboardAndKeepsTheEntry) {
  State.Radix = 16;
  SetDlgItemTextW(State.MainWindow, IDC_RESULT, L"ff");
  wcscpy(State.ResultText, L"ff");
  SetEntry(L"255+0", 1, 3);
  ASSERT_TRUE(WriteClipboard(L"before"));
  Command(IDM_COPY_ANSWER);
  EXPECT_EQ(ReadClipboard(), L"ff");
  EXPECT_EQ(EntryText(), L"255+0");
  Turn();
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(1, 3)));
}

TEST_F(Commands, CopyAnswerAfterEvaluatingInRadix16) {
  State.Radix = 16;
  SetEntry(L"255", 3, 3);
  Command(IDM_EVALUATE_KEY);
  wchar_t shown[64];
  GetDlgItemTextW(State.MainWindow, IDC_RESULT, shown, 64);
  ASSERT_STREQ(shown, L"ff");
  Turn();
  ASSERT_TRUE(WriteClipboard(L"before"));
  PressCtrl('B');
  EXPECT_EQ(ReadClipboard(), L"ff");
  EXPECT_EQ(EntryText(), L"255");
  Turn();
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(3, 3)));
}

TEST_F(Commands, CopyAnswerOfJapaneseMessageAndOfAnEmptyField) {
  SetDlgItemTextW(State.MainWindow, IDC_RESULT, L"文法ｴﾗ-です");
  SetEntry(L"1+", 2, 2);
  Command(IDM_COPY_ANSWER);
  EXPECT_EQ(ReadClipboard(), L"文法ｴﾗ-です");

  SetDlgItemTextW(State.MainWindow, IDC_RESULT, L"");
  ASSERT_TRUE(WriteClipboard(L"kept"));
  Command(IDM_COPY_ANSWER);
  EXPECT_EQ(ReadClipboard(), L"kept");
  EXPECT_EQ(EntryText(), L"1+");
}

TEST_F(Commands, CutCopyPasteAndDeleteActOnTheEntrySelection) {
  SetEntry(L"12+34", 3, 5);
  Command(IDM_COPY);
  EXPECT_EQ(ReadClipboard(), L"34");
  Command(IDM_CUT);
  EXPECT_EQ(EntryText(), L"12+");
  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
  Command(IDM_PASTE);
  EXPECT_EQ(EntryText(), L"3412+");
  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(0, 2));
  Command(IDM_DELETE);
  EXPECT_EQ(EntryText(), L"12+");
  EXPECT_EQ(ReadClipboard(), L"34") << "delete does not touch the clipboard";
}

// --- Options ---

TEST_F(Commands, CtrlSStepsTheRadixAndWritesItAtOnce) {
  ASSERT_EQ(State.Radix, 10);
  const int expected[] = {16, 2, 8, 10};
  for (int radix : expected) {
    PressCtrl('S');
    EXPECT_EQ(State.Radix, radix);
    EXPECT_EQ(Stored(L"Radix"), radix);
    EXPECT_EQ(State.PendingSelection, kCaretToEnd);
    EXPECT_TRUE(EntryHasFocus());
    Turn();
  }
  State.Radix = 7;  // from a hand-edited settings file
  Command(IDM_NEXT_RADIX);
  EXPECT_EQ(State.Radix, 7);
  Command(IDM_RADIX8);
  EXPECT_EQ(Stored(L"Radix"), 8);
}

TEST_F(Commands, CtrlDTogglesDegreesAndTheAngleItemsSetThem) {
  ASSERT_EQ(State.DegreeMode, 0);
  PressCtrl('D');
  EXPECT_EQ(State.DegreeMode, 1);
  EXPECT_EQ(Stored(L"Deg"), 1);
  PressCtrl('D');
  EXPECT_EQ(Stored(L"Deg"), 0);
  Command(IDM_DEGREES);
  EXPECT_EQ(Stored(L"Deg"), 1);
  Command(IDM_RADIANS);
  EXPECT_EQ(State.DegreeMode, 0);
  EXPECT_EQ(Stored(L"Deg"), 0);
}

TEST_F(Commands, RadixChangeLeavesTheShownResultAlone) {
  SetDlgItemTextW(State.MainWindow, IDC_RESULT, L"255.");
  wcscpy(State.ResultText, L"255.");
  Command(IDM_RADIX16);
  wchar_t shown[64];
  GetDlgItemTextW(State.MainWindow, IDC_RESULT, shown, 64);
  EXPECT_STREQ(shown, L"255.");
}

TEST_F(Commands, BeepAndTopmostToggleAndAreWritten) {
  ASSERT_EQ(State.BeepOption, 1);
  Command(IDM_BEEP);
  EXPECT_EQ(State.BeepOption, 0);
  EXPECT_EQ(Stored(L"Beep"), 0);
  Command(IDM_BEEP);
  EXPECT_EQ(Stored(L"Beep"), 1);

  Command(IDM_TOPMOST);
  EXPECT_EQ(Stored(L"Top"), 1);
  EXPECT_NE(GetWindowLongW(State.MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  Command(IDM_TOPMOST);
  EXPECT_EQ(Stored(L"Top"), 0);
  EXPECT_EQ(GetWindowLongW(State.MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(Commands, TimeTogglesTheTimerAndTheTitle) {
  ASSERT_EQ(State.Time, 1);  // default: clock on, timer running
  Command(IDM_TIME);
  EXPECT_EQ(State.Time, 0);
  EXPECT_EQ(Stored(L"Time"), 0);
  wchar_t title[64];
  GetWindowTextW(State.MainWindow, title, 64);
  EXPECT_STREQ(title, State.TitleText);
  EXPECT_FALSE(KillTimer(State.MainWindow, IDT_CLOCK)) << "the timer was stopped";

  Command(IDM_TIME);
  EXPECT_EQ(Stored(L"Time"), 1);
  GetWindowTextW(State.MainWindow, title, 64);
  EXPECT_EQ(std::wstring(title).rfind(State.TitleText, 0), 0u);
  EXPECT_GT(wcslen(title), wcslen(State.TitleText)) << "the clock follows the plain title";
  EXPECT_TRUE(KillTimer(State.MainWindow, IDT_CLOCK)) << "the timer runs again";
}

// --- Move and timer ---

TEST_F(Commands, MoveWritesThePositionButNotWhileMinimised) {
  SetWindowPos(State.MainWindow, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Stored(L"Wx"), 123);
  EXPECT_EQ(Stored(L"Wy"), 45);

  ShowWindow(State.MainWindow, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(State.MainWindow));
  wchar_t title[64];
  GetWindowTextW(State.MainWindow, title, 64);
  EXPECT_STREQ(title, State.TitleText);
  EXPECT_EQ(Stored(L"Wx"), 123);
  EXPECT_EQ(Stored(L"Wy"), 45);
  SendMessageW(State.MainWindow, WM_TIMER, IDT_CLOCK, 0);
  GetWindowTextW(State.MainWindow, title, 64);
  EXPECT_STREQ(title, State.TitleText) << "no clock while minimised";

  ShowWindow(State.MainWindow, SW_RESTORE);
  EXPECT_EQ(Stored(L"Wx"), 123);
  GetWindowTextW(State.MainWindow, title, 64);
  EXPECT_GT(wcslen(title), wcslen(State.TitleText)) << "restoring brings the clock back";
}

// --- Before the first paint ---

TEST(CommandsBeforeFirstPaint, DoNothingHarmful) {
  PrepareFreshStart();
  WriteTestSettingsBytes("[Data]\r\nA=1+2\r\n");
  ASSERT_NE(StartMainWindow(), nullptr);
  ASSERT_TRUE(State.FirstPaint);
  for (int id : {IDM_EVALUATE, IDM_EVALUATE_KEY, IDM_UNDO, IDM_COPY_ANSWER, IDC_BS, int{'7'}, IDM_CUT,
                 IDM_PASTE, IDM_NEXT_VIEW}) {
    SendMessageW(State.MainWindow, WM_COMMAND, id, 0);
  }
  SendMessageW(State.MainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(State.EditPopup), 0);
  wchar_t stored[16];
  ReadSlotExpression(0, stored, 16);
  EXPECT_STREQ(stored, L"1+2") << "slot A is not overwritten before it was loaded";
  CloseMainWindow();
  DeleteTestSettingsFile();
}

}  // namespace
