// The two interface languages in-process: the resources of each language
// match item for item, and the View menu's switch changes the texts on show
// at once, is written at once, comes back at the next start and leaks no menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>

#include "app_state.h"
#include "language.h"
#include "vex_version.h"
#include "window_test_support.h"

namespace {

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[256] = L"";
  GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return text;
}

std::wstring Text(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

bool IsAscii(const std::wstring &text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

// Japanese and English side by side: the same ids, popups, separators and
// shortcuts; mnemonics unique per popup; English labels ASCII but for the
// item that names Japanese in its own script.
void CompareMenus(HMENU ja, HMENU en) {
  int count = GetMenuItemCount(ja);
  ASSERT_EQ(GetMenuItemCount(en), count);
  std::set<wchar_t> letters[2];
  for (int i = 0; i < count; ++i) {
    std::wstring label[2] = {ItemText(ja, i), ItemText(en, i)};
    for (int l = 0; l < 2; ++l) {
      size_t amp = label[l].find(L'&');
      if (amp == std::wstring::npos) continue;
      EXPECT_TRUE(letters[l].insert(towupper(label[l][amp + 1])).second) << label[l];
    }
    size_t tab[2] = {label[0].find(L'\t'), label[1].find(L'\t')};
    EXPECT_EQ(tab[0] == std::wstring::npos ? L"" : label[0].substr(tab[0]),
              tab[1] == std::wstring::npos ? L"" : label[1].substr(tab[1]));
    EXPECT_EQ(GetMenuState(ja, i, MF_BYPOSITION) & MF_SEPARATOR,
              GetMenuState(en, i, MF_BYPOSITION) & MF_SEPARATOR);
    HMENU subs[2] = {GetSubMenu(ja, i), GetSubMenu(en, i)};
    ASSERT_EQ(subs[0] != nullptr, subs[1] != nullptr) << label[1];
    if (subs[0] != nullptr) CompareMenus(subs[0], subs[1]);
    EXPECT_EQ(GetMenuItemID(ja, i), GetMenuItemID(en, i)) << label[1];
    if (GetMenuItemID(en, i) == IDM_LANGUAGE) {
      EXPECT_EQ(label[0] + label[1], L"English(&L)日本語(&L)");
    } else {
      EXPECT_TRUE(IsAscii(label[1])) << label[1];
    }
  }
}

HWND CreateAboutBox(LANGID language) {
  HRSRC found = FindResourceExW(State.Instance, RT_DIALOG, L"About", language);
  if (found == nullptr) return nullptr;
  auto *dialog = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(State.Instance, found)));
  return CreateDialogIndirectParamW(State.Instance, dialog, nullptr, nullptr, 0);
}

TEST(LanguageResources, BothLanguagesHaveTheSameMenusAboutBoxAndAFittingTitle) {
  State.Instance = GetModuleHandleW(nullptr);
  for (const wchar_t *name : {L"VexMenu", L"VexMenu1"}) {
    HMENU ja = LoadMenuInLanguage(name, UiLanguage::kJapanese);
    HMENU en = LoadMenuInLanguage(name, UiLanguage::kEnglish);
    ASSERT_TRUE(ja != nullptr && en != nullptr) << name;
    CompareMenus(ja, en);
    DestroyMenu(ja);
    DestroyMenu(en);
  }
  HWND ja = CreateAboutBox(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  HWND en = CreateAboutBox(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  ASSERT_TRUE(ja != nullptr && en != nullptr);
  EXPECT_EQ(Text(ja) + L"|" + Text(en), L"Vex バージョン情報|About Vex");
  int controls = 0;
  for (HWND a = GetWindow(ja, GW_CHILD), b = GetWindow(en, GW_CHILD); a != nullptr || b != nullptr;
       a = GetWindow(a, GW_HWNDNEXT), b = GetWindow(b, GW_HWNDNEXT), ++controls) {
    ASSERT_TRUE(a != nullptr && b != nullptr);
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    MapWindowPoints(nullptr, ja, reinterpret_cast<POINT *>(&ra), 2);
    MapWindowPoints(nullptr, en, reinterpret_cast<POINT *>(&rb), 2);
    EXPECT_EQ(GetDlgCtrlID(a), GetDlgCtrlID(b));
    EXPECT_EQ(GetWindowLongW(a, GWL_STYLE), GetWindowLongW(b, GWL_STYLE));
    EXPECT_TRUE(EqualRect(&ra, &rb)) << controls;
    EXPECT_TRUE(IsAscii(Text(b))) << controls;
  }
  EXPECT_EQ(controls, 5);
  DestroyWindow(ja);
  DestroyWindow(en);

  wchar_t title[kTitleSize];
  EXPECT_EQ(LoadStringInLanguage(IDS_TITLE, UiLanguage::kEnglish, title, kTitleSize), 14);
  EXPECT_EQ(LoadStringInLanguage(IDS_TITLE, UiLanguage::kJapanese, title, 4), 3) << "cut to fit";
  EXPECT_STREQ(title, L"関数電");
}

std::wstring ReadLang(size_t size = 32) {
  std::wstring text(size, L'\0');
  text.resize(GetPrivateProfileStringW(L"Vex", L"Lang", L"", text.data(), static_cast<DWORD>(size),
                                       TestSettingsFile().c_str()));
  return text;
}

class LanguageSwitch : public ShownWindowTest {
 protected:
  static std::wstring Result() { return Text(GetDlgItem(State.MainWindow, IDC_RESULT)); }
  static void Evaluate(const wchar_t *text) {
    SetWindowTextW(State.Entry, text);
    Command(IDM_EVALUATE_KEY);
  }
};

TEST_F(LanguageSwitch, TheTextsOnShowFollowAtOnceAndTheChoiceIsWrittenAndNoMenuLeaks) {
  EXPECT_EQ(CurrentLanguage(), UiLanguage::kJapanese) << "a first start is Japanese";
  Evaluate(L"1/0");
  HMENU oldMenus[] = {State.MainMenu, State.TrayMenu};
  Command(IDM_LANGUAGE);
  EXPECT_EQ(ReadLang(), L"en");
  for (HMENU old : oldMenus) EXPECT_FALSE(IsMenu(old)) << "replaced menus are destroyed";
  ASSERT_EQ(GetMenu(State.MainWindow), State.MainMenu);
  EXPECT_EQ(ItemText(State.MainMenu, 0) + ItemText(State.TrayPopup, 2), L"&Edit&Close vEx");
  EXPECT_EQ(State.EditPopup, GetSubMenu(State.MainMenu, 0)) << "the context menu";
  EXPECT_EQ(Text(State.MainWindow).rfind(L"Vex Calculator 2", 0), 0u) << "the clock title";
  EXPECT_EQ(Result(), L"Division by zero");
  Evaluate(L"1+*2");
  EXPECT_EQ(Result(), L"Syntax error");
  Command(IDM_TIME);
  EXPECT_EQ(Text(State.MainWindow), L"Vex Calculator");

  for (int i = 0; i < 1000; ++i) {  // with the menu bar attached
    HMENU old = State.MainMenu;
    Command(IDM_LANGUAGE);
    ASSERT_FALSE(IsMenu(old)) << i;
    ASSERT_EQ(GetMenu(State.MainWindow), State.MainMenu) << i;
  }
  Command(IDM_NEXT_VIEW);  // view 0: no menu bar, the menus are replaced alike
  Command(IDM_LANGUAGE);
  EXPECT_EQ(ReadLang(), L"ja");
  EXPECT_EQ(GetMenu(State.MainWindow), nullptr);
  EXPECT_EQ(ItemText(State.MainMenu, 0), L"編集(&E)");
  EXPECT_EQ(Text(State.MainWindow), L"関数電卓 Vex");
  EXPECT_EQ(Result(), L"文法ｴﾗ-です");
}

// 10 000 characters that begin with "en" are Japanese, and stay in the file
// with everything else.
TEST(LanguageStart, AnOverlongLangIsJapanese) {
  PrepareFreshStart();
  std::wstring lang = L"en" + std::wstring(9998, L'n');
  std::wstring text = L"\xFEFF[Vex]\r\nLang=" + lang + L"\r\n[Data]\r\nA=6*7\r\n";
  WriteTestSettingsBytes(std::string(reinterpret_cast<const char *>(text.data()), text.size() * 2));
  ASSERT_NE(StartShownMainWindow(), nullptr);
  EXPECT_EQ(CurrentLanguage(), UiLanguage::kJapanese);
  EXPECT_STREQ(State.ResultText, L"42.");
  EXPECT_EQ(ReadLang(12000), lang);
  CloseMainWindow();
  DeleteTestSettingsFile();
}

// The version line of both About boxes, from the version in CMakeLists.txt.
TEST(LanguageResources, BothAboutBoxesShowTheProjectVersion) {
  State.Instance = GetModuleHandleW(nullptr);
  for (LANGID language : {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}) {
    HWND box = CreateAboutBox(language);
    ASSERT_NE(box, nullptr) << language;
    EXPECT_NE(FindWindowExW(box, nullptr, L"Static", L"Version " VEX_VERSION_TEXT), nullptr) << language;
    DestroyWindow(box);
  }
}

}  // namespace
