// One turn of the message loop at a time, on the real main window: the key
// table, the "=" accelerator, right-button readdressing, selection tracking
// and the list choice.
#include <gtest/gtest.h>

#include <string>

#include "app_state.h"
#include "message_loop.h"
#include "slots.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

class MessageLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    ASSERT_NE(StartShownMainWindow(), nullptr);  // the first paint loads the slots
    StartRecording(State.MainWindow);
    edit = GetWindow(State.Entry, GW_CHILD);  // the combo box's edit field
    // One turn applies the caret position the first paint left pending.
    MSG first = Message(State.MainWindow, WM_NULL, 0, 0);
    ProcessLoopMessage(first);
    ASSERT_EQ(State.PendingSelection, kNoPendingSelection);
  }
  void TearDown() override {
    SetControlKey(false);
    CloseMainWindow();
    DeleteTestSettingsFile();
  }
  static MSG Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG m = {};
    m.hwnd = window;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
  }
  HWND edit = nullptr;
};

struct KeyCase {
  WPARAM key;
  bool ctrl;
  int command;  // 0: not a command
};

class KeyTable : public MessageLoop, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTable, TurnsKeysIntoCommandsForTheMainWindow) {
  const KeyCase &c = GetParam();
  SetControlKey(c.ctrl);
  MSG m = Message(edit, WM_KEYDOWN, c.key, 1);
  ProcessLoopMessage(m);
  DrainMessages();
  if (c.command == 0) {
    EXPECT_TRUE(Recorded().empty()) << "key " << c.key;
  } else {
    ASSERT_EQ(Recorded().size(), 1u) << "key " << c.key;
    EXPECT_EQ(Recorded()[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(Recorded()[0].wParam, static_cast<WPARAM>(c.command)) << "key " << c.key;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTable,
    ::testing::Values(KeyCase{VK_RETURN, false, IDM_EVALUATE_KEY}, KeyCase{61, false, IDM_EVALUATE_KEY},
                      KeyCase{VK_RETURN, true, IDM_EVALUATE_KEY}, KeyCase{VK_F1, false, IDM_HELP_CONTENTS},
                      KeyCase{'A', true, IDM_NEXT_VIEW}, KeyCase{'B', true, IDM_COPY_ANSWER},
                      KeyCase{'D', true, IDM_TOGGLE_DEGREES}, KeyCase{'S', true, IDM_NEXT_RADIX},
                      KeyCase{'A', false, 0}, KeyCase{'B', false, 0}, KeyCase{'D', false, 0},
                      KeyCase{'S', false, 0}, KeyCase{'X', true, 0}, KeyCase{VK_F2, false, 0}));

TEST_F(MessageLoop, TypedEqualsSignEvaluatesThroughTheAcceleratorTable) {
  MSG m = Message(edit, WM_CHAR, L'=', 1);
  ProcessLoopMessage(m);
  ASSERT_EQ(Recorded().size(), 1u);
  EXPECT_EQ(LOWORD(Recorded()[0].wParam), IDM_EVALUATE);
  EXPECT_EQ(HIWORD(Recorded()[0].wParam), 1);
  EXPECT_EQ(EntryText(), L"") << "the \"=\" is consumed";
}

TEST_F(MessageLoop, RightButtonOnAButtonReachesTheMainWindowInScreenCoordinates) {
  for (int id : {IDC_ABS, IDM_EVALUATE, IDC_ENTRY, IDC_RESULT}) {
    HWND control = GetDlgItem(State.MainWindow, id);
    RECT rect;
    GetWindowRect(control, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
    POINT cursor;
    GetCursorPos(&cursor);
    ASSERT_EQ(cursor.x, centre.x);
    MSG m = Message(control == State.Entry ? edit : control, WM_RBUTTONDOWN, MK_RBUTTON,
                    MAKELPARAM(3, 4));
    ProcessLoopMessage(m);
    ASSERT_EQ(Recorded().size(), 1u) << id;
    EXPECT_EQ(Recorded()[0].message, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(static_cast<short>(LOWORD(Recorded()[0].lParam)), centre.x) << id;
    EXPECT_EQ(static_cast<short>(HIWORD(Recorded()[0].lParam)), centre.y) << id;
    StartRecording(State.MainWindow);  // clears the record
  }
}

TEST_F(MessageLoop, RightButtonOutsideKeepsItsWindowButGetsScreenCoordinates) {
  RECT rect;
  GetWindowRect(State.MainWindow, &rect);
  ASSERT_TRUE(SetCursorPos(rect.right + 20, rect.bottom + 20));
  HWND button = GetDlgItem(State.MainWindow, IDC_ABS);
  MSG m = Message(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4));
  ReaddressRightButton(m);
  EXPECT_EQ(m.hwnd, button);
  EXPECT_EQ(static_cast<short>(LOWORD(m.lParam)), rect.right + 20);
  EXPECT_EQ(static_cast<short>(HIWORD(m.lParam)), rect.bottom + 20);
  // On the window's edge is not strictly inside.
  ASSERT_TRUE(SetCursorPos(rect.left, rect.top + 10));
  m = Message(button, WM_RBUTTONDOWN, MK_RBUTTON, 0);
  ReaddressRightButton(m);
  EXPECT_EQ(m.hwnd, button);
}

TEST_F(MessageLoop, PendingSelectionIsAppliedOnTheNextTurn) {
  SetWindowTextW(State.Entry, L"12345");
  State.PendingSelection = MAKELONG(1, 3);
  EXPECT_NE(EntrySelection(), static_cast<DWORD>(MAKELONG(1, 3)));
  MSG m = Message(GetDlgItem(State.MainWindow, IDC_ABS), WM_NULL, 0, 0);
  ProcessLoopMessage(m);
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(1, 3)));
  EXPECT_EQ(State.SavedSelection, static_cast<DWORD>(MAKELONG(1, 3)));
  EXPECT_EQ(State.PendingSelection, kNoPendingSelection);

  // Caret to the end: start and end 999 mean the end of the text.
  State.PendingSelection = kCaretToEnd;
  ProcessLoopMessage(m);
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(5, 5)));
}

TEST_F(MessageLoop, SavedSelectionFollowsTheEntryOnMessagesForTheMainWindow) {
  SetWindowTextW(State.Entry, L"12345");
  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(2, 4));
  MSG other = Message(GetDlgItem(State.MainWindow, IDC_ABS), WM_NULL, 0, 0);
  State.SavedSelection = 0;
  ProcessLoopMessage(other);
  EXPECT_EQ(State.SavedSelection, 0u) << "messages for other windows leave it alone";
  MSG mine = Message(State.MainWindow, WM_NULL, 0, 0);
  ProcessLoopMessage(mine);
  EXPECT_EQ(State.SavedSelection, static_cast<DWORD>(MAKELONG(2, 4)));
}

TEST_F(MessageLoop, ChoosingAListItemMakesItsSlotCurrent) {
  ASSERT_EQ(SendMessageW(State.Entry, CB_GETCOUNT, 0, 0), 26);
  SendMessageW(State.Entry, CB_DELETESTRING, 3, 0);
  SendMessageW(State.Entry, CB_INSERTSTRING, 3, reinterpret_cast<LPARAM>(L"D\x2502SIN(30)*2"));
  SendMessageW(State.Entry, CB_SETCURSEL, 3, 0);
  ASSERT_EQ(EntryText(), L"D\x2502SIN(30)*2");
  MSG m = Message(State.MainWindow, WM_NULL, 0, 0);
  ProcessLoopMessage(m);
  EXPECT_EQ(State.CurrentSlot, 3);
  EXPECT_EQ(EntryText(), L"SIN(30)*2");
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(9, 9)));
}

TEST_F(MessageLoop, TypedTextWithTheMarkerCountsAsAListChoice) {
  SendMessageW(State.Entry, CB_SETCURSEL, 2, 0);
  SetWindowTextW(State.Entry, L"x\x2502" L"7");
  MSG m = Message(State.MainWindow, WM_NULL, 0, 0);
  ProcessLoopMessage(m);
  EXPECT_EQ(State.CurrentSlot, 2);
  EXPECT_EQ(EntryText(), L"7");
}

TEST_F(MessageLoop, QuitMessageEndsTheLoopWithItsCode) {
  PostQuitMessage(7);
  EXPECT_EQ(RunMessageLoop(), 7);
}

}  // namespace
