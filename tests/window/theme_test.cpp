// The dark look in-process, read back from the window's own pixels: the
// light look is the system's, the dark one darkens every part it names,
// follows the system's app mode at once and yields to high contrast.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app_state.h"
#include "about_box.h"
#include "dpi_layout.h"
#include "dpi_scale.h"
#include "theme.h"
#include "window_test_support.h"

namespace {

constexpr wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The prefix's AppsUseLightTheme, put back as it was when the test ends: the
// prefix is shared with every other test.
class AppModeGuard {
 public:
  AppModeGuard() {
    RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                    &key_, nullptr);
    DWORD size = sizeof saved_;
    DWORD type = 0;
    had_ = RegQueryValueExW(key_, L"AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE *>(&saved_),
                            &size) == ERROR_SUCCESS;
  }
  ~AppModeGuard() {
    if (had_) {
      Set(saved_);
    } else {
      RegDeleteValueW(key_, L"AppsUseLightTheme");
    }
    RegCloseKey(key_);
  }
  void Set(DWORD value) {
    ASSERT_EQ(RegSetValueExW(key_, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                             sizeof value),
              ERROR_SUCCESS);
  }

 private:
  HKEY key_ = nullptr;
  bool had_ = false;
  DWORD saved_ = 1;
};

bool IsDarkColour(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 384; }

// A button's face, inside the widest frame (the focused one) and above its
// label.
COLORREF FacePixel(const Ink &ink) {
  int inset = ScaleForDpi(3, WindowDpi());
  return ink.At(inset, inset);
}

// Pixels far from the background: a label's strokes.
int CountLight(const Ink &ink) { return ink.width * ink.height - ink.dark; }

// A dark face, with an edge and a label drawn light around and on it.
void ExpectDarkButton(const Ink &button) {
  EXPECT_TRUE(IsDarkColour(FacePixel(button)));
  EXPECT_GT(button.dark, CountLight(button));
  EXPECT_GT(CountLight(button), 2 * (button.width + button.height)) << "edge and label";
}

// The check and gray marks of a Color Mode item as the View popup shows them.
UINT ThemeItemMarks(int id) {
  SendMessageW(State.MainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(State.MainMenu, 1)), 1);
  return GetMenuState(State.MainMenu, id, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED);
}

std::wstring ReadTheme() {
  wchar_t text[32] = L"";
  GetPrivateProfileStringW(L"Vex", L"Theme", L"", text, 32, TestSettingsFile().c_str());
  return text;
}

class Theme : public ShownWindowTest {
 protected:
  void TearDown() override {
    ReadHighContrast = ReadSystemHighContrast;
    ReadButtonCustomDraw = ReadSystemButtonCustomDraw;
    ShownWindowTest::TearDown();
  }
  static HWND Control(int id) { return GetDlgItem(State.MainWindow, id); }
  static HWND EntryField() { return FindWindowExW(State.Entry, nullptr, L"Edit", nullptr); }
  // The client area left of the entry's list, where no control is.
  static COLORREF Background() {
    Ink window = ReadControlInk(State.MainWindow);
    return window.At(0, window.height - 1);
  }
  static void SendSettingChange(WPARAM wParam, const wchar_t *area) {
    SendMessageW(State.MainWindow, WM_SETTINGCHANGE, wParam, reinterpret_cast<LPARAM>(area));
  }
};

TEST_F(Theme, LightIsTheSystemsOwnPixelForPixelAndComesBackSo) {
  ASSERT_FALSE(IsDarkLookInForce()) << "no Theme key and no dark app mode";
  EXPECT_EQ(Background(), GetSysColor(COLOR_BTNFACE));
  Ink before = ReadControlInk(Control('7'));
  Command(IDM_THEME_DARK);
  ASSERT_TRUE(IsDarkLookInForce());
  Command(IDM_THEME_LIGHT);
  EXPECT_EQ(ReadTheme(), L"light");
  EXPECT_EQ(ReadControlInk(Control('7')).pixels, before.pixels);
  EXPECT_EQ(Background(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Theme, DarkDarkensBackgroundButtonsEntryAndResultWithLightText) {
  SetWindowTextW(State.Entry, L"12345+1");
  Command(IDM_EVALUATE);
  Command(IDM_THEME_DARK);
  EXPECT_EQ(ReadTheme(), L"dark");
  EXPECT_TRUE(IsDarkColour(Background()));
  EXPECT_EQ(ThemeItemMarks(IDM_THEME_DARK), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(ThemeItemMarks(IDM_THEME_SYSTEM), 0u);
  for (int id : {int{'7'}, IDC_SIN, IDM_EVALUATE, IDC_DEL}) {
    SCOPED_TRACE(id);
    ExpectDarkButton(ReadControlInk(Control(id)));
  }
  for (HWND part : {EntryField(), Control(IDC_RESULT)}) {
    Ink ink = ReadControlInk(part);
    EXPECT_TRUE(IsDarkColour(ink.At(ink.width - 3, ink.height / 2)));
    EXPECT_GT(CountLight(ink), 20) << "the text 12345+1 / 12346.";
  }
  // The drop-down list, whose colour message the combo box passes on.
  COMBOBOXINFO combo = {};
  combo.cbSize = sizeof combo;
  ASSERT_TRUE(GetComboBoxInfo(State.Entry, &combo));
  SendMessageW(State.Entry, CB_SHOWDROPDOWN, TRUE, 0);
  UpdateWindow(combo.hwndList);
  Ink list = ReadControlInk(combo.hwndList);
  SendMessageW(State.Entry, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_TRUE(IsDarkColour(list.At(list.width / 2, list.height - 2)));
  EXPECT_GT(CountLight(list), 20) << "the slots' letters";
}

TEST_F(Theme, PressedHotAndFocusedButtonsStayDarkButDiffer) {
  Command(IDM_THEME_DARK);
  HWND button = Control('7');
  Ink rest = ReadControlInk(button);
  SendMessageW(button, BM_SETSTATE, TRUE, 0);
  UpdateWindow(button);
  Ink pressed = ReadControlInk(button);
  SendMessageW(button, BM_SETSTATE, FALSE, 0);
  SetFocus(button);
  UpdateWindow(button);
  Ink focused = ReadControlInk(button);
  EXPECT_TRUE(IsDarkColour(FacePixel(pressed)));
  EXPECT_NE(FacePixel(pressed), FacePixel(rest)) << "pressed face";
  EXPECT_NE(focused.At(1, focused.height / 2), rest.At(1, rest.height / 2)) << "focus frame";
}

TEST_F(Theme, FollowingWindowsSwitchesAtOnceOnImmersiveColorSet) {
  AppModeGuard guard;
  guard.Set(0);
  EXPECT_FALSE(IsDarkLookInForce()) << "nothing read until Windows tells of the change";
  SendSettingChange(0, L"ImmersiveColorSet");
  EXPECT_TRUE(IsDarkLookInForce());
  EXPECT_TRUE(IsDarkColour(Background())) << "repainted before the message returns";
  guard.Set(1);
  SendSettingChange(0, L"ImmersiveColorSet");
  EXPECT_FALSE(IsDarkLookInForce());
  EXPECT_EQ(Background(), GetSysColor(COLOR_BTNFACE));

  // A window told to be light stays light whatever the app mode.
  Command(IDM_THEME_LIGHT);
  guard.Set(0);
  SendSettingChange(0, L"ImmersiveColorSet");
  EXPECT_FALSE(IsDarkLookInForce());
  Command(IDM_THEME_SYSTEM);
  EXPECT_TRUE(IsDarkLookInForce());
  EXPECT_EQ(ReadTheme(), L"system");
}

TEST_F(Theme, HighContrastWinsAndTheDarkChoiceComesBackAfterIt) {
  Command(IDM_THEME_DARK);
  ReadHighContrast = [] { return true; };
  SendMessageW(State.MainWindow, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_FALSE(IsDarkLookInForce());
  EXPECT_EQ(Background(), GetSysColor(COLOR_BTNFACE));
  Ink result = ReadControlInk(Control(IDC_RESULT));
  EXPECT_EQ(result.At(result.width - 3, result.height / 2), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ReadTheme(), L"dark") << "the choice stays stored";

  ReadHighContrast = [] { return false; };
  SendSettingChange(SPI_SETHIGHCONTRAST, nullptr);
  EXPECT_TRUE(IsDarkLookInForce());
  EXPECT_TRUE(IsDarkColour(Background()));
}

TEST_F(Theme, TheAboutBoxAndItsOkButtonAreDark) {
  Command(IDM_THEME_DARK);
  HRSRC found = FindResourceExW(State.Instance, RT_DIALOG, L"About", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  ASSERT_NE(found, nullptr);
  auto *dialog = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(State.Instance, found)));
  HWND about = CreateDialogIndirectParamW(State.Instance, dialog, State.MainWindow, AboutDlgProc, 0);
  ASSERT_NE(about, nullptr);
  ShowWindow(about, SW_SHOW);
  UpdateWindow(about);
  Ink box = ReadControlInk(about);
  Ink ok = ReadControlInk(GetDlgItem(about, IDOK));
  DestroyWindow(about);
  EXPECT_TRUE(IsDarkColour(box.At(1, box.height - 2)));
  EXPECT_GT(box.dark, CountLight(box));
  EXPECT_GT(CountLight(box), 100) << "the texts";
  ExpectDarkButton(ok);
}

// Where the buttons cannot be drawn by their window (Windows XP), a stored
// dark choice starts light, and the item is grayed: never half-dark.
TEST_F(Theme, WithoutButtonCustomDrawDarkIsGrayedAndTheWindowLight) {
  CloseMainWindow();
  PrepareFreshStart();
  WritePrivateProfileStringW(L"Vex", L"Theme", L"dark", TestSettingsFile().c_str());
  ReadButtonCustomDraw = [](HWND) { return false; };
  ASSERT_NE(StartShownMainWindow(), nullptr);
  EXPECT_FALSE(IsDarkLookInForce());
  EXPECT_EQ(Background(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ThemeItemMarks(IDM_THEME_DARK), static_cast<UINT>(MF_CHECKED | MF_GRAYED));
}

// A language switch takes the window's height again (ApplyView): with larger
// text the other language's menu bar may take another number of lines.
TEST_F(Theme, ALanguageSwitchGivesTheWindowItsViewsHeight) {
  RECT shaped = {};
  GetWindowRect(State.MainWindow, &shaped);
  SetWindowPos(State.MainWindow, nullptr, 0, 0, shaped.right - shaped.left, 50, SWP_NOMOVE | SWP_NOZORDER);
  Command(IDM_LANGUAGE);
  RECT after = {};
  GetWindowRect(State.MainWindow, &after);
  EXPECT_EQ(after.bottom - after.top, shaped.bottom - shaped.top);
  Command(IDM_LANGUAGE);
}

}  // namespace
