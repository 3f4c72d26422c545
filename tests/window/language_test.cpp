// The two interface languages in-process: the resources of each language
// (loaded by name and language) match item for item, and the View menu's
// switch changes every text on show at once, is written at once, comes back
// at the next start and leaks no menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "app_state.h"
#include "language.h"
#include "window_test_support.h"

namespace {

const UiLanguage kBoth[] = {UiLanguage::kJapanese, UiLanguage::kEnglish};

bool IsAscii(const std::wstring &text) {
  for (wchar_t c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[256] = L"";
  GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return text;
}

// The letter after "&", upper-cased; 0 when there is none.
wchar_t Mnemonic(const std::wstring &label) {
  size_t at = label.find(L'&');
  return at == std::wstring::npos || at + 1 >= label.size() ? 0 : towupper(label[at + 1]);
}

std::wstring Shortcut(const std::wstring &label) {
  size_t tab = label.find(L'\t');
  return tab == std::wstring::npos ? L"" : label.substr(tab + 1);
}

// Japanese and English popups side by side: the same items (ids, popups,
// separators, shortcut texts), mnemonics unique in each, the English labels
// ASCII but for the item that names Japanese in its own script.
void CompareMenus(HMENU japanese, HMENU english, const std::wstring &where) {
  int count = GetMenuItemCount(japanese);
  ASSERT_GT(count, 0) << where;
  ASSERT_EQ(GetMenuItemCount(english), count) << where;
  std::set<wchar_t> mnemonics[2];
  for (int i = 0; i < count; ++i) {
    HMENU menus[2] = {japanese, english};
    std::wstring labels[2];
    HMENU subs[2];
    UINT ids[2];
    UINT types[2];
    for (int l = 0; l < 2; ++l) {
      MENUITEMINFOW info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
      ASSERT_TRUE(GetMenuItemInfoW(menus[l], i, TRUE, &info)) << where << i;
      subs[l] = info.hSubMenu;
      ids[l] = info.wID;
      types[l] = info.fType & MFT_SEPARATOR;
      labels[l] = ItemText(menus[l], i);
      wchar_t letter = Mnemonic(labels[l]);
      if (letter != 0) EXPECT_TRUE(mnemonics[l].insert(letter).second) << where << " " << i;
    }
    std::wstring item = where + L"/" + labels[1];
    EXPECT_EQ(types[0], types[1]) << item;
    EXPECT_EQ(subs[0] != nullptr, subs[1] != nullptr) << item;
    EXPECT_EQ(Shortcut(labels[0]), Shortcut(labels[1])) << item;
    if (subs[0] != nullptr && subs[1] != nullptr) {
      CompareMenus(subs[0], subs[1], item);
      continue;
    }
    EXPECT_EQ(ids[0], ids[1]) << item;
    if (ids[1] == IDM_LANGUAGE) {
      EXPECT_EQ(labels[0], L"English(&L)");
      EXPECT_EQ(labels[1], L"日本語(&L)");
    } else {
      EXPECT_TRUE(IsAscii(labels[1])) << item;
    }
  }
}

TEST(LanguageResources, MenusOfBothLanguagesMatchItemForItem) {
  Instance = GetModuleHandleW(nullptr);
  for (const wchar_t *name : {L"VexMenu", L"VexMenu1"}) {
    HMENU japanese = LoadMenuInLanguage(name, UiLanguage::kJapanese);
    HMENU english = LoadMenuInLanguage(name, UiLanguage::kEnglish);
    ASSERT_NE(japanese, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(ItemText(japanese, 0), std::wstring(name) == L"VexMenu" ? L"編集(&E)" : L"Tbar");
    CompareMenus(japanese, english, name);
    DestroyMenu(japanese);
    DestroyMenu(english);
  }
}

HWND CreateAboutBox(UiLanguage language) {
  HRSRC found = FindResourceExW(Instance, RT_DIALOG, L"About",
                                language == UiLanguage::kEnglish
                                    ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                    : MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  if (found == nullptr) return nullptr;
  auto *dialog = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(Instance, found)));
  return CreateDialogIndirectParamW(Instance, dialog, nullptr, nullptr, 0);
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(LanguageResources, AboutBoxesHaveTheSameControlsAndTitlesFit) {
  Instance = GetModuleHandleW(nullptr);
  HWND boxes[2] = {CreateAboutBox(UiLanguage::kJapanese), CreateAboutBox(UiLanguage::kEnglish)};
  ASSERT_NE(boxes[0], nullptr);
  ASSERT_NE(boxes[1], nullptr);
  EXPECT_EQ(WindowText(boxes[0]), L"Vex バージョン情報");
  EXPECT_EQ(WindowText(boxes[1]), L"About Vex");
  HWND controls[2] = {GetWindow(boxes[0], GW_CHILD), GetWindow(boxes[1], GW_CHILD)};
  int count = 0;
  for (; controls[0] != nullptr; ++count) {
    ASSERT_NE(controls[1], nullptr);
    EXPECT_EQ(GetDlgCtrlID(controls[0]), GetDlgCtrlID(controls[1]));
    EXPECT_EQ(GetWindowLongW(controls[0], GWL_STYLE), GetWindowLongW(controls[1], GWL_STYLE));
    RECT rects[2];
    for (int l = 0; l < 2; ++l) {
      GetWindowRect(controls[l], &rects[l]);
      MapWindowPoints(nullptr, boxes[l], reinterpret_cast<POINT *>(&rects[l]), 2);
    }
    EXPECT_TRUE(EqualRect(&rects[0], &rects[1])) << count;
    EXPECT_TRUE(IsAscii(WindowText(controls[1]))) << count;
    for (HWND &control : controls) control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(controls[1], nullptr);
  EXPECT_EQ(count, 5);
  for (HWND box : boxes) DestroyWindow(box);

  wchar_t title[kTitleSize];
  EXPECT_EQ(LoadStringInLanguage(IDS_TITLE, UiLanguage::kJapanese, title, kTitleSize), 8);
  EXPECT_STREQ(title, L"関数電卓 Vex");
  EXPECT_EQ(LoadStringInLanguage(IDS_TITLE, UiLanguage::kEnglish, title, kTitleSize), 14);
  EXPECT_STREQ(title, L"Vex Calculator");
  EXPECT_EQ(LoadStringInLanguage(IDS_TITLE, UiLanguage::kEnglish, title, 4), 3);
  EXPECT_STREQ(title, L"Vex");
  EXPECT_EQ(LoadStringInLanguage(IDS_TITLE + 1, UiLanguage::kEnglish, title, kTitleSize), 0);
  EXPECT_STREQ(title, L"");
}

std::wstring ReadLangKey() {
  wchar_t text[32] = L"";
  GetPrivateProfileStringW(L"Vex", L"Lang", L"<absent>", text, 32, TestSettingsFile().c_str());
  return text;
}

class LanguageSwitch : public ShownWindowTest {
 protected:
  static std::wstring Title() { return WindowText(MainWindow); }
  static std::wstring Result() {
    wchar_t text[kEntryTextSize] = L"";
    GetDlgItemTextW(MainWindow, IDC_RESULT, text, kEntryTextSize);
    EXPECT_STREQ(text, ResultText);
    return text;
  }
};

TEST_F(LanguageSwitch, EveryTextOnShowFollowsAtOnceAndTheChoiceIsWritten) {
  EXPECT_EQ(CurrentLanguage(), UiLanguage::kJapanese) << "a first start is Japanese";
  EXPECT_EQ(ReadLangKey(), L"<absent>");
  SetWindowTextW(Entry, L"1/0");
  Command(IDM_EVALUATE_KEY);
  EXPECT_EQ(Result(), L"零で除算しました");

  HMENU oldMenus[] = {MainMenu, TrayMenu};
  Command(IDM_LANGUAGE);
  EXPECT_EQ(CurrentLanguage(), UiLanguage::kEnglish);
  EXPECT_EQ(ReadLangKey(), L"en");
  for (HMENU old : oldMenus) EXPECT_FALSE(IsMenu(old)) << "replaced menus are destroyed";
  ASSERT_EQ(GetMenu(MainWindow), MainMenu);
  EXPECT_EQ(ItemText(MainMenu, 0), L"&Edit");
  EXPECT_EQ(EditPopup, GetSubMenu(MainMenu, 0)) << "the context menu";
  EXPECT_EQ(ItemText(TrayPopup, 2), L"&Close vEx");
  EXPECT_EQ(Title().rfind(L"Vex Calculator 2", 0), 0u) << "the clock title";
  EXPECT_EQ(Result(), L"Division by zero");
  EXPECT_EQ(GetFocus(), GetWindow(Entry, GW_CHILD));

  // Evaluated afterwards, and while the clock is off.
  SetWindowTextW(Entry, L"1+*2");
  Command(IDM_EVALUATE_KEY);
  EXPECT_EQ(Result(), L"Syntax error");
  Command(IDM_TIME);
  EXPECT_EQ(Title(), L"Vex Calculator");

  Command(IDM_LANGUAGE);
  EXPECT_EQ(ReadLangKey(), L"ja");
  EXPECT_EQ(ItemText(GetMenu(MainWindow), 0), L"編集(&E)");
  EXPECT_EQ(Title(), L"関数電卓 Vex");
  EXPECT_EQ(Result(), L"文法ｴﾗ-です");
}

TEST_F(LanguageSwitch, AResultStaysAndWithoutTheMenuBarTheMenusAreReplacedAlike) {
  SetWindowTextW(Entry, L"6*7");
  Command(IDM_EVALUATE_KEY);
  Command(IDM_NEXT_VIEW);  // view 0: no menu bar
  ASSERT_EQ(GetMenu(MainWindow), nullptr);
  HMENU old = MainMenu;
  Command(IDM_LANGUAGE);
  EXPECT_FALSE(IsMenu(old));
  EXPECT_EQ(GetMenu(MainWindow), nullptr);
  EXPECT_EQ(ItemText(MainMenu, 1), L"&View");
  EXPECT_EQ(Result(), L"42.");
}

typedef DWORD(WINAPI *GuiResourcesFunction)(HANDLE process, DWORD flags);

TEST_F(LanguageSwitch, AThousandSwitchesLeakNoHandle) {
  auto guiResources = reinterpret_cast<GuiResourcesFunction>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetGuiResources")));
  DWORD before = guiResources ? guiResources(GetCurrentProcess(), 1 /* GR_USEROBJECTS */) : 0;
  for (int i = 0; i < 1000; ++i) {
    HMENU old = MainMenu;
    Command(IDM_LANGUAGE);
    ASSERT_FALSE(IsMenu(old)) << i;
  }
  EXPECT_EQ(CurrentLanguage(), UiLanguage::kJapanese);
  if (before != 0) {
    EXPECT_LE(guiResources(GetCurrentProcess(), 1), before + 10);
  }
}

class LanguageStart : public ::testing::Test {
 protected:
  void SetUp() override { PrepareFreshStart(); }
  void TearDown() override {
    CloseMainWindow();
    DeleteTestSettingsFile();
  }
  static void WriteSettings(const std::wstring &text) {
    std::wstring utf16 = L"\xFEFF" + text;
    WriteTestSettingsBytes(std::string(reinterpret_cast<const char *>(utf16.data()),
                                       utf16.size() * sizeof(wchar_t)));
  }
};

TEST_F(LanguageStart, LangEnInAnyCaseStartsInEnglish) {
  WriteSettings(L"[Vex]\r\nTime=0\r\nLang=EN\r\n");
  ASSERT_NE(StartMainWindow(), nullptr);
  EXPECT_EQ(CurrentLanguage(), UiLanguage::kEnglish);
  EXPECT_EQ(WindowText(MainWindow), L"Vex Calculator");
  EXPECT_EQ(ItemText(MainMenu, 4), L"&Help");
}

TEST_F(LanguageStart, AnOverlongLangIsJapaneseAndTheFileKeepsEverything) {
  std::wstring overlong(10000, L'n');
  overlong.replace(0, 2, L"en");
  WriteSettings(L"[Vex]\r\nView=2\r\nTime=0\r\nLang=" + overlong + L"\r\n[Data]\r\nA=6*7\r\n");
  ASSERT_NE(StartShownMainWindow(), nullptr);
  EXPECT_EQ(CurrentLanguage(), UiLanguage::kJapanese);
  EXPECT_EQ(WindowText(MainWindow), L"関数電卓 Vex");
  EXPECT_EQ(View, 2);
  EXPECT_EQ(std::wstring(ResultText), L"42.");
  static wchar_t stored[12000];
  GetPrivateProfileStringW(L"Vex", L"Lang", L"", stored, 12000, TestSettingsFile().c_str());
  EXPECT_EQ(stored, overlong);
}

}  // namespace
