// The four views, the menu states, the context menu and the About box, on
// the real main window in-process (menus cannot be read from another
// process under Wine).
#include <gtest/gtest.h>

#include <string>

#include "app_state.h"
#include "settings.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

class ViewsMenus : public ShownWindowTest {
 protected:
  static LONG Bottom(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom;
  }
  static void InitEditPopup() {
    SendMessageW(State.MainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(State.EditPopup), 0);
  }
  static bool Grayed(int id) {
    return (GetMenuState(State.MainMenu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
  }
  static bool Checked(int id) {
    return (GetMenuState(State.MainMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
};

// --- Views ---

TEST_F(ViewsMenus, CtrlACyclesTheFourViewsWithTheirHeightsAndMenuBars) {
  ASSERT_EQ(State.View, 3);
  HWND equals = GetDlgItem(State.MainWindow, IDM_EVALUATE);
  struct Expected {
    int view;
    bool menuBar;
    HWND reference;
  };
  const Expected cycle[] = {
      {0, false, State.Entry}, {1, false, equals}, {2, true, State.Entry}, {3, true, equals}};
  for (const Expected &e : cycle) {
    Command(IDM_NEXT_VIEW);
    ASSERT_EQ(State.View, e.view);
    EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", -1), e.view);
    EXPECT_EQ(GetMenu(State.MainWindow), e.menuBar ? State.MainMenu : nullptr) << "view " << e.view;
    EXPECT_EQ(Bottom(State.MainWindow), Bottom(e.reference) + 6) << "view " << e.view;
    EXPECT_TRUE(IsMenu(State.MainMenu)) << "the detached menu is kept";
    EXPECT_EQ(State.PendingSelection, kCaretToEnd);
  }
}

TEST_F(ViewsMenus, KeypadItemFlipsOnlyTheKeypadBit) {
  Command(IDM_KEYPAD);  // 3 -> 2
  EXPECT_EQ(State.View, 2);
  EXPECT_EQ(GetMenu(State.MainWindow), State.MainMenu);
  EXPECT_EQ(Bottom(State.MainWindow), Bottom(State.Entry) + 6);
  Command(IDM_KEYPAD);  // 2 -> 3
  EXPECT_EQ(State.View, 3);
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", -1), 3);
  EXPECT_EQ(Bottom(State.MainWindow), Bottom(GetDlgItem(State.MainWindow, IDM_EVALUATE)) + 6);
}

TEST(ViewsAtStart, StoredViewShapesTheWindow) {
  PrepareFreshStart();
  WriteTestSettingsBytes("[Vex]\r\nView=1\r\n");
  ASSERT_NE(StartMainWindow(), nullptr);
  EXPECT_EQ(GetMenu(State.MainWindow), nullptr);
  RECT window, equals;
  GetWindowRect(State.MainWindow, &window);
  GetWindowRect(GetDlgItem(State.MainWindow, IDM_EVALUATE), &equals);
  EXPECT_EQ(window.bottom, equals.bottom + 6);
  CloseMainWindow();
  DeleteTestSettingsFile();
}

// --- Menu states ---

TEST_F(ViewsMenus, EditItemsFollowTheSelectionAndTheUndoText) {
  SetWindowTextW(State.Entry, L"12+3");
  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(2, 2));
  State.UndoText[0] = L'\0';
  InitEditPopup();
  EXPECT_EQ(State.SavedSelection, static_cast<DWORD>(MAKELONG(2, 2)));
  EXPECT_TRUE(Grayed(IDM_CUT));
  EXPECT_TRUE(Grayed(IDM_COPY));
  EXPECT_TRUE(Grayed(IDM_DELETE));
  EXPECT_TRUE(Grayed(IDM_UNDO));
  EXPECT_FALSE(Grayed(IDM_PASTE));
  EXPECT_FALSE(Grayed(IDM_COPY_ANSWER));

  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(0, 2));
  wcscpy(State.UndoText, L"1");
  InitEditPopup();
  EXPECT_EQ(State.SavedSelection, static_cast<DWORD>(MAKELONG(0, 2)));
  EXPECT_FALSE(Grayed(IDM_CUT));
  EXPECT_FALSE(Grayed(IDM_COPY));
  EXPECT_FALSE(Grayed(IDM_DELETE));
  EXPECT_FALSE(Grayed(IDM_UNDO));
}

// The options as they stand, in the order of AppState.
void SetOptions(int view, int top, int time, int beep, int radix, int degrees) {
  State.View = view;
  State.Top = top;
  State.Time = time;
  State.BeepOption = beep;
  State.Radix = radix;
  State.DegreeMode = degrees;
}

TEST_F(ViewsMenus, CheckMarksFollowTheOptions) {
  SetOptions(2, 1, 0, 1, 16, 1);
  SendMessageW(State.MainWindow, WM_INITMENUPOPUP,
               reinterpret_cast<WPARAM>(GetSubMenu(State.MainMenu, 1)), 1);
  EXPECT_FALSE(Checked(IDM_KEYPAD));
  EXPECT_TRUE(Checked(IDM_TOPMOST));
  EXPECT_FALSE(Checked(IDM_TIME));
  EXPECT_TRUE(Checked(IDM_BEEP));
  EXPECT_FALSE(Checked(IDM_RADIX2));
  EXPECT_FALSE(Checked(IDM_RADIX10));
  EXPECT_TRUE(Checked(IDM_RADIX16));
  EXPECT_FALSE(Checked(IDM_RADIANS));
  EXPECT_TRUE(Checked(IDM_DEGREES));

  SetOptions(1, 0, 1, 0, 7, 0);  // radix 7: no item
  SendMessageW(State.MainWindow, WM_INITMENUPOPUP,
               reinterpret_cast<WPARAM>(GetSubMenu(State.MainMenu, 2)), 2);
  EXPECT_TRUE(Checked(IDM_KEYPAD));
  EXPECT_FALSE(Checked(IDM_TOPMOST));
  EXPECT_TRUE(Checked(IDM_TIME));
  EXPECT_FALSE(Checked(IDM_BEEP));
  for (int id : {IDM_RADIX2, IDM_RADIX8, IDM_RADIX10, IDM_RADIX16}) EXPECT_FALSE(Checked(id)) << id;
  EXPECT_TRUE(Checked(IDM_RADIANS));
  EXPECT_FALSE(Checked(IDM_DEGREES));
}

// --- Modal parts: the context menu and the About box ---
//
// Both run a modal loop inside the command. A thread timer of this thread
// looks at what is open and closes it; if nothing shows up it gives up after
// a while, so a fault fails the test instead of hanging it.

struct ModalProbe {
  int ticks = 0;
  bool found = false;
  RECT rect = {};
  bool cutGrayed = false;
  bool pasteGrayed = true;
  std::wstring caption;
  LONG style = 0;
  int closeWith = 0;  // 0 OK click, 1 Esc, 2 Enter, 3 icon click
};
ModalProbe probe;

struct WindowSearch {
  const wchar_t *className;
  HWND found;
};

BOOL CALLBACK MatchWindowClass(HWND window, LPARAM data) {
  WindowSearch *search = reinterpret_cast<WindowSearch *>(data);
  wchar_t name[64];
  GetClassNameW(window, name, 64);
  if (wcscmp(name, search->className) == 0 && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of this thread with this class.
HWND FindOwnWindow(const wchar_t *className) {
  WindowSearch search = {className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchWindowClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void CALLBACK ProbeMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menu = FindOwnWindow(L"#32768");
  if (menu != nullptr) {
    probe.found = true;
    GetWindowRect(menu, &probe.rect);
    probe.cutGrayed = (GetMenuState(State.EditPopup, IDM_CUT, MF_BYCOMMAND) & MF_GRAYED) != 0;
    probe.pasteGrayed = (GetMenuState(State.EditPopup, IDM_PASTE, MF_BYCOMMAND) & MF_GRAYED) != 0;
  }
  if (menu != nullptr || ++probe.ticks > 100) {
    KillTimer(nullptr, timer);
    EndMenu();
  }
}

TEST_F(ViewsMenus, RightButtonOpensTheEditPopupAtTheScreenPosition) {
  probe = ModalProbe();
  SetWindowTextW(State.Entry, L"12");
  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
  RECT window;
  GetWindowRect(State.MainWindow, &window);
  POINT at = {window.left + 40, window.top + 30};
  SetTimer(nullptr, 0, 20, ProbeMenu);
  SendMessageW(State.MainWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  ASSERT_TRUE(probe.found) << "no popup menu appeared";
  EXPECT_EQ(probe.rect.left, at.x);
  EXPECT_EQ(probe.rect.top, at.y);
  EXPECT_TRUE(probe.cutGrayed) << "nothing selected";
  EXPECT_FALSE(probe.pasteGrayed);
}

void CALLBACK ProbeAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindOwnWindow(L"#32770");
  if (dialog == nullptr) {
    if (++probe.ticks > 100) KillTimer(nullptr, timer);  // the test fails on probe.found
    return;
  }
  KillTimer(nullptr, timer);
  probe.found = true;
  wchar_t caption[64];
  GetWindowTextW(dialog, caption, 64);
  probe.caption = caption;
  probe.style = GetWindowLongW(dialog, GWL_STYLE);
  HWND focus = GetFocus();
  switch (probe.closeWith) {
    case 0:
      SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      break;
    case 1:
      PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
      break;
    case 2:
      PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
      break;
    default: {
      // The icon: the static control with SS_ICON.
      for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
          PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
          PostMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
      }
      break;
    }
  }
}

TEST_F(ViewsMenus, AboutBoxClosesWithOkEscEnterAndTheIconThenCaretToEnd) {
  for (int way = 0; way < 4; ++way) {
    probe = ModalProbe();
    probe.closeWith = way;
    State.PendingSelection = kNoPendingSelection;
    SetFocus(GetDlgItem(State.MainWindow, IDC_ABS));
    SetTimer(nullptr, 0, 20, ProbeAbout);
    Command(IDM_ABOUT);  // returns when the box has closed
    ASSERT_TRUE(probe.found) << "no About box, way " << way;
    EXPECT_EQ(probe.caption, L"Vex バージョン情報");
    EXPECT_EQ(probe.style & WS_SYSMENU, 0) << "no close button";
    EXPECT_EQ(State.PendingSelection, kCaretToEnd) << way;
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == State.Entry || GetParent(focus) == State.Entry) << way;
  }
}

}  // namespace
