// Tray mode on the real main window, in-process: the icon at start, the
// icon's callback (left and right press), the tray popup's item states and
// the commands remove from the tray (121), restore (205) and close (1002) in
// each state of the window.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app_state.h"
#include "message_loop.h"
#include "startup.h"
#include "tray.h"
#include "window_test_support.h"

namespace {

// What the window saw while the tray popup was open.
struct PopupRecord {
  int opened = 0;         // WM_INITMENUPOPUP for the tray popup
  HWND foreground = nullptr;
  UINT restoreState = 0;  // GetMenuState while the popup was open
  UINT closeState = 0;
};
PopupRecord popup;
WNDPROC mainProc = nullptr;

// Notes the tray popup as it opens and closes it at once, so that the
// callback's TrackPopupMenu returns.
LRESULT CALLBACK PopupWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(wParam) == State.TrayPopup) {
    ++popup.opened;
    popup.foreground = GetForegroundWindow();
    popup.restoreState = GetMenuState(State.TrayPopup, IDM_RESTORE, MF_BYCOMMAND);
    popup.closeState = GetMenuState(State.TrayPopup, IDM_CLOSE, MF_BYCOMMAND);
    PostMessageW(window, WM_CANCELMODE, 0, 0);
  }
  return CallWindowProcW(mainProc, window, message, wParam, lParam);
}

class Tray : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    popup = PopupRecord();
  }
  void TearDown() override {
    if (State.MainWindow != nullptr && !IsWindow(State.MainWindow)) State.MainWindow = nullptr;
    CloseMainWindow();
    DeleteTestSettingsFile();
  }

  // Starts as the program does with /t: the window stays hidden.
  void StartInTray() {
    ASSERT_NE(StartMainWindow(L"/t"), nullptr);
    ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
    DrainMessages();
  }
  void StartPlain() {
    ASSERT_NE(StartMainWindow(L""), nullptr);
    ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
    UpdateWindow(State.MainWindow);
    DrainMessages();
  }

  static void Callback(LPARAM mouseMessage) {
    SendMessageW(State.MainWindow, WM_TRAY_CALLBACK, IDI_TRAY, mouseMessage);
  }
  static void Command(int id) { SendMessageW(State.MainWindow, WM_COMMAND, id, 0); }

  // Whether the shell knows an icon of this window: changing a missing icon
  // fails.
  static bool IconPresent() {
    NOTIFYICONDATAW record = {};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = State.MainWindow;
    record.uID = IDI_TRAY;
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
  }

  // A right press on the icon; returns the message the callback left in the
  // queue for the loop (message 0 if none).
  static MSG RightPress() {
    if (mainProc == nullptr || GetWindowLongPtrW(State.MainWindow, GWLP_WNDPROC) !=
                                   reinterpret_cast<LONG_PTR>(PopupWatchProc)) {
      mainProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
          State.MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PopupWatchProc)));
    }
    Callback(WM_RBUTTONDOWN);
    MSG left = {};
    if (!PeekMessageW(&left, nullptr, WM_TRAY_CALLBACK, WM_TRAY_CALLBACK, PM_REMOVE)) {
      left.message = 0;
    }
    return left;
  }

  static bool QuitPosted() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  }

  static bool FocusInEntry() {
    HWND focus = GetFocus();
    return focus != nullptr && (focus == State.Entry || IsChild(State.Entry, focus));
  }
};

TEST_F(Tray, StartsHiddenWithTheIconAndTheSlotsWaitForTheFirstShow) {
  StartInTray();
  EXPECT_TRUE(State.TrayMode);
  EXPECT_TRUE(IsTrayIconShown());
  EXPECT_TRUE(IconPresent());
  EXPECT_FALSE(IsWindowVisible(State.MainWindow));
  EXPECT_TRUE(State.FirstPaint);

  // A left press shows the window with the focus in the entry; its first
  // paint loads the slots.
  Callback(WM_LBUTTONDOWN);
  UpdateWindow(State.MainWindow);
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  EXPECT_FALSE(IsIconic(State.MainWindow));
  EXPECT_TRUE(FocusInEntry());
  EXPECT_FALSE(State.FirstPaint);
  EXPECT_EQ(SendMessageW(State.Entry, CB_GETCOUNT, 0, 0), kSlotCount);
  EXPECT_TRUE(IsTrayIconShown());
}

TEST_F(Tray, WithoutTrayModeThereIsNoIcon) {
  StartPlain();
  EXPECT_FALSE(IsTrayIconShown());
  EXPECT_FALSE(IconPresent());
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
}

TEST_F(Tray, LeftPressRestoresAMinimisedWindowAndOnlyFocusesAVisibleOne) {
  StartInTray();
  Callback(WM_LBUTTONDOWN);
  UpdateWindow(State.MainWindow);
  RECT normal = {};
  GetWindowRect(State.MainWindow, &normal);

  ShowWindow(State.MainWindow, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(State.MainWindow));
  Callback(WM_LBUTTONDOWN);
  EXPECT_FALSE(IsIconic(State.MainWindow));
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  RECT restored = {};
  GetWindowRect(State.MainWindow, &restored);
  EXPECT_EQ(restored.left, normal.left);
  EXPECT_EQ(restored.bottom, normal.bottom);

  // Visible and normal: the focus moves to the entry, nothing else changes.
  SetFocus(State.MainWindow);
  ASSERT_FALSE(FocusInEntry());
  Callback(WM_LBUTTONDOWN);
  EXPECT_TRUE(FocusInEntry());
  RECT after = {};
  GetWindowRect(State.MainWindow, &after);
  EXPECT_EQ(after.top, restored.top);
  EXPECT_EQ(after.bottom, restored.bottom);
}

TEST_F(Tray, OtherMouseMessagesDoNothing) {
  StartInTray();
  for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP,
                       WM_RBUTTONDBLCLK, WM_MBUTTONDOWN}) {
    Callback(mouse);
    EXPECT_FALSE(IsWindowVisible(State.MainWindow)) << mouse;
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_TRAY_CALLBACK, WM_TRAY_CALLBACK,
                              PM_NOREMOVE))
        << mouse;
  }
  EXPECT_TRUE(State.FirstPaint);
}

TEST_F(Tray, PopupItemStatesFollowTheWindow) {
  StartInTray();

  // Hidden: restore enabled, close grayed.
  MSG left = RightPress();
  ASSERT_EQ(popup.opened, 1);
  EXPECT_EQ(popup.restoreState & MF_GRAYED, 0u);
  EXPECT_NE(popup.closeState & MF_GRAYED, 0u);
  EXPECT_EQ(popup.foreground, State.MainWindow);
  // The callback leaves one more loop turn behind, addressed to no window.
  EXPECT_EQ(left.message, static_cast<UINT>(WM_TRAY_CALLBACK));
  EXPECT_EQ(left.hwnd, nullptr);
  EXPECT_EQ(left.wParam, static_cast<WPARAM>(IDI_TRAY));
  EXPECT_EQ(left.lParam, WM_RBUTTONDOWN);
  // The popup opened without showing the window.
  EXPECT_FALSE(IsWindowVisible(State.MainWindow));

  // Visible and normal: restore grayed, close enabled.
  Callback(WM_LBUTTONDOWN);
  UpdateWindow(State.MainWindow);
  RightPress();
  ASSERT_EQ(popup.opened, 2);
  EXPECT_NE(popup.restoreState & MF_GRAYED, 0u);
  EXPECT_EQ(popup.closeState & MF_GRAYED, 0u);

  // Minimised: both enabled.
  ShowWindow(State.MainWindow, SW_MINIMIZE);
  RightPress();
  ASSERT_EQ(popup.opened, 3);
  EXPECT_EQ(popup.restoreState & MF_GRAYED, 0u);
  EXPECT_EQ(popup.closeState & MF_GRAYED, 0u);

  // The loop's turn for the posted message dispatches it nowhere.
  MSG turn = RightPress();
  ProcessLoopMessage(turn);
  EXPECT_TRUE(IsWindow(State.MainWindow));
  EXPECT_TRUE(IsIconic(State.MainWindow));
}

TEST_F(Tray, CloseHidesWhileTheIconIsShownAndTheIconBringsTheWindowBack) {
  StartInTray();
  Callback(WM_LBUTTONDOWN);
  UpdateWindow(State.MainWindow);
  SetWindowTextW(State.Entry, L"1+2");
  Command(IDM_CLOSE);
  EXPECT_TRUE(IsWindow(State.MainWindow));
  EXPECT_FALSE(IsWindowVisible(State.MainWindow));
  EXPECT_FALSE(QuitPosted());
  EXPECT_TRUE(IconPresent());

  Callback(WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  EXPECT_EQ(EntryText(), L"1+2");
  EXPECT_TRUE(FocusInEntry());
}

TEST_F(Tray, CloseDestroysWithoutTheIcon) {
  StartPlain();
  Command(IDM_CLOSE);
  EXPECT_FALSE(IsWindow(State.MainWindow));
  EXPECT_TRUE(QuitPosted());
}

TEST_F(Tray, CloseDestroysWhenTheNotificationAreaRefusedTheIcon) {
  // Tray mode whose add failed: the window starts hidden all the same, but
  // close cannot hide it where nothing would bring it back.
  StartInTray();
  DeleteTrayIcon(State.MainWindow);
  ASSERT_FALSE(IsTrayIconShown());
  ASSERT_TRUE(State.TrayMode);
  ShowWindow(State.MainWindow, SW_SHOW);
  Command(IDM_CLOSE);
  EXPECT_FALSE(IsWindow(State.MainWindow));
  EXPECT_TRUE(QuitPosted());
}

TEST_F(Tray, RestoreShowsAHiddenWindowAndUnminimisesAMinimisedOne) {
  StartInTray();
  Command(IDM_RESTORE);
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  EXPECT_FALSE(IsIconic(State.MainWindow));

  ShowWindow(State.MainWindow, SW_MINIMIZE);
  Command(IDM_RESTORE);
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  EXPECT_FALSE(IsIconic(State.MainWindow));
  EXPECT_TRUE(IsTrayIconShown());
}

TEST_F(Tray, RemoveWithTheWindowVisibleKeepsTheWindowAndTrayMode) {
  StartInTray();
  Callback(WM_LBUTTONDOWN);
  Command(IDM_TRAY_REMOVE);
  EXPECT_TRUE(IsWindow(State.MainWindow));
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  EXPECT_FALSE(IsTrayIconShown());
  EXPECT_FALSE(IconPresent());
  EXPECT_TRUE(State.TrayMode);  // unchanged: the next start is again in tray mode
  EXPECT_FALSE(QuitPosted());
  EXPECT_EQ(ReadTestSettingsBytes().find("Tbar"), std::string::npos);

  // Now like a plain start: close ends the program.
  Command(IDM_CLOSE);
  EXPECT_FALSE(IsWindow(State.MainWindow));
  EXPECT_TRUE(QuitPosted());
}

TEST_F(Tray, RemoveWithTheWindowHiddenEndsTheProgramWithoutLoadingTheSlots) {
  StartInTray();
  Command(IDM_TRAY_REMOVE);
  EXPECT_FALSE(IsTrayIconShown());
  EXPECT_FALSE(IsWindow(State.MainWindow));
  EXPECT_TRUE(QuitPosted());
  EXPECT_TRUE(State.FirstPaint);
}

TEST_F(Tray, RemoveNeverAddsAnIcon) {
  StartPlain();
  Command(IDM_TRAY_REMOVE);
  EXPECT_FALSE(State.TrayMode);
  EXPECT_FALSE(IsTrayIconShown());
  EXPECT_FALSE(IconPresent());
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
}

// The shell restarted: its new taskbar says so with the registered message,
// and the icons of before are gone.
TEST_F(Tray, TheIconComesBackWhenTheTaskbarIsCreatedAnew) {
  StartInTray();
  ASSERT_NE(GetTaskbarCreatedMessage(), 0u);
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = State.MainWindow;
  record.uID = IDI_TRAY;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));  // what the restart did
  SendMessageW(State.MainWindow, GetTaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(IconPresent());
  EXPECT_TRUE(IsTrayIconShown());
  // A second announcement while the icon is there leaves one icon.
  SendMessageW(State.MainWindow, GetTaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(IsTrayIconShown());
  EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));
  EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &record));
  ResetTray();  // the icon was deleted above: nothing left to delete
}

TEST_F(Tray, NoIconComesWithTheTaskbarOutsideTrayModeOrAfterRemove) {
  StartPlain();
  SendMessageW(State.MainWindow, GetTaskbarCreatedMessage(), 0, 0);
  EXPECT_FALSE(IconPresent());
  EXPECT_FALSE(IsTrayIconShown());
  CloseMainWindow();

  PrepareFreshStart();
  StartInTray();
  Callback(WM_LBUTTONDOWN);  // shown, so that removing keeps the window
  Command(IDM_TRAY_REMOVE);
  ASSERT_TRUE(IsWindow(State.MainWindow));
  SendMessageW(State.MainWindow, GetTaskbarCreatedMessage(), 0, 0);
  EXPECT_FALSE(IconPresent());
  EXPECT_FALSE(IsTrayIconShown());
}

TEST_F(Tray, TheIconImageHasTheSizeOfTheSystemsSmallIcons) {
  StartInTray();
  ASSERT_NE(GetTrayIcon(), nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(GetTrayIcon(), &info));
  BITMAP bitmap = {};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(Tray, DestroyingTheWindowDeletesTheIcon) {
  StartInTray();
  HWND window = State.MainWindow;
  ASSERT_TRUE(IconPresent());
  State.BeepOption = 0;
  DestroyWindow(window);
  EXPECT_FALSE(IsTrayIconShown());
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = window;
  record.uID = IDI_TRAY;
  EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &record));
  State.MainWindow = nullptr;
}

}  // namespace
