// Start-up of the real window code, in-process: defaults, position rule,
// tray mode, single instance, the layout of the template and the views.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_state.h"
#include "main_window.h"
#include "views.h"
#include "settings.h"
#include "startup.h"
#include "vex_version.h"
#include "tray.h"
#include "window_position.h"
#include "window_test_support.h"

namespace {

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override { PrepareFreshStart(); }
  void TearDown() override {
    CloseMainWindow();
    DeleteTestSettingsFile();
  }
};

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

void WriteOption(const wchar_t *key, int value) {
  FormSettingsPaths();
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, key, value));
}

TEST_F(StartUp, WithoutSettingsFileUsesTheDefaults) {
  ASSERT_NE(StartMainWindow(), nullptr);
  EXPECT_EQ(State.View, 3);
  EXPECT_EQ(State.Time, 1);
  EXPECT_EQ(State.BeepOption, 1);
  EXPECT_EQ(State.Top, 0);
  EXPECT_FALSE(State.TrayMode);
  EXPECT_EQ(State.Entry, GetDlgItem(State.MainWindow, IDC_ENTRY));
  EXPECT_EQ(GetMenu(State.MainWindow), State.MainMenu);
  EXPECT_EQ(GetWindowLongW(State.MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // The template's position: the top-left corner of the screen.
  RECT rect = WindowRect(State.MainWindow);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  // Time is on: the clock title follows the plain title.
  EXPECT_STREQ(State.TitleText, L"関数電卓 Vex");
  wchar_t title[64];
  GetWindowTextW(State.MainWindow, title, 64);
  EXPECT_EQ(std::wstring(title).rfind(L"関数電卓 Vex 2", 0), 0u) << "title: " << title;
  EXPECT_EQ(std::wstring(Paths.SettingsFile), TestSettingsFile());

  // The first paint loads the slots: 26 empty items, slot A, radix 10, radians.
  ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
  UpdateWindow(State.MainWindow);
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  EXPECT_FALSE(State.FirstPaint);
  EXPECT_EQ(SendMessageW(State.Entry, CB_GETCOUNT, 0, 0), 26);
  wchar_t item[16];
  SendMessageW(State.Entry, CB_GETLBTEXT, 25, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, L"Z\x2502");
  EXPECT_EQ(State.CurrentSlot, 0);
  EXPECT_EQ(State.Radix, 10);
  EXPECT_EQ(State.DegreeMode, 0);
  EXPECT_EQ(EntryText(), L"");
}

TEST_F(StartUp, StoredOptionsAreRead) {
  WriteOption(L"View", 1);
  WriteOption(L"Time", 0);
  WriteOption(L"Beep", 0);
  WriteOption(L"Top", 1);
  ASSERT_NE(StartMainWindow(), nullptr);
  EXPECT_EQ(State.View, 1);
  EXPECT_EQ(State.BeepOption, 0);
  EXPECT_EQ(GetMenu(State.MainWindow), nullptr);
  EXPECT_NE(GetWindowLongW(State.MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  wchar_t title[64];
  GetWindowTextW(State.MainWindow, title, 64);
  EXPECT_STREQ(title, L"関数電卓 Vex");
}

struct PositionCase {
  int wx, wy;            // negative offsets count from the desktop's right/bottom edge
  bool fromRight, fromBottom;
  bool used;
};

class StoredPosition : public StartUp, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(StoredPosition, IsUsedOnlyWellInsideTheDesktop) {
  const PositionCase &c = GetParam();
  RECT desktop = WindowRect(GetDesktopWindow());
  int wx = c.fromRight ? desktop.right + c.wx : c.wx;
  int wy = c.fromBottom ? desktop.bottom + c.wy : c.wy;
  WriteOption(L"Wx", wx);
  WriteOption(L"Wy", wy);
  ASSERT_NE(StartMainWindow(), nullptr);
  RECT rect = WindowRect(State.MainWindow);
  if (c.used) {
    EXPECT_EQ(rect.left, wx);
    EXPECT_EQ(rect.top, wy);
  } else {
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, StoredPosition,
    ::testing::Values(PositionCase{100, 80, false, false, true},
                      PositionCase{-1, -1, false, false, false},      // the default
                      PositionCase{-1, 80, false, false, false},
                      PositionCase{-17, -17, true, true, true},       // just inside
                      PositionCase{-16, 80, true, false, false},      // within 16 pixels
                      PositionCase{100, -16, false, true, false},
                      PositionCase{4000, 80, true, false, false},     // beyond the desktop
                      PositionCase{100, 99999, false, false, false}));

// Under Wine there is one monitor: the whole screen, which is the desktop.
TEST_F(StartUp, TheMonitorsAreReadWithinTheGivenRoom) {
  ScreenRect monitors[kMaxMonitors];
  ASSERT_EQ(ReadMonitorRects(monitors, kMaxMonitors), 1u);
  RECT desktop = WindowRect(GetDesktopWindow());
  EXPECT_EQ(monitors[0].left, desktop.left);
  EXPECT_EQ(monitors[0].top, desktop.top);
  EXPECT_EQ(monitors[0].right, desktop.right);
  EXPECT_EQ(monitors[0].bottom, desktop.bottom);
  EXPECT_EQ(ReadMonitorRects(monitors, 0), 0u);
  EXPECT_EQ(ReadMonitorRects(nullptr, 4), 0u);
}

TEST_F(StartUp, TraySwitchStartsHiddenWithIcon) {
  for (const wchar_t *commandLine : {L"/t", L"-T"}) {
    PrepareFreshStart();
    ASSERT_NE(StartMainWindow(commandLine), nullptr);
    EXPECT_TRUE(State.TrayMode) << commandLine;
    EXPECT_TRUE(IsTrayIconShown()) << commandLine;
    ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
    EXPECT_FALSE(IsWindowVisible(State.MainWindow)) << commandLine;
    EXPECT_TRUE(State.FirstPaint) << "slots load only when the window is first shown";
    CloseMainWindow();
  }
}

TEST_F(StartUp, TbarSettingStartsHiddenWithoutSwitch) {
  WriteOption(L"Tbar", 1);
  ASSERT_NE(StartMainWindow(L"/x"), nullptr);
  EXPECT_TRUE(State.TrayMode);
  EXPECT_TRUE(IsTrayIconShown());
  ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
  EXPECT_FALSE(IsWindowVisible(State.MainWindow));
}

TEST_F(StartUp, TbarZeroDoesNotUndoTheSwitch) {
  WriteOption(L"Tbar", 0);
  ASSERT_NE(StartMainWindow(L"/t"), nullptr);
  EXPECT_TRUE(State.TrayMode);
}

TEST_F(StartUp, SecondStartShowsTheRunningWindow) {
  EXPECT_FALSE(ShowRunningCopy());
  ASSERT_NE(StartMainWindow(L"/t"), nullptr);
  ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
  ASSERT_FALSE(IsWindowVisible(State.MainWindow));
  EXPECT_TRUE(ShowRunningCopy());
  EXPECT_TRUE(IsWindowVisible(State.MainWindow));
  EXPECT_EQ(RunProgram(State.Instance, L"", SW_SHOWNORMAL), 0) << "a second start ends at once";
}

// The controls stand where the template puts them, in dialog units of the
// template's font (checked at the test display's DPI).
TEST_F(StartUp, ControlsStandAtTheirDialogUnitPositions) {
  ASSERT_NE(StartMainWindow(), nullptr);
  struct Expected {
    int id, x, y, w, h;
  } controls[] = {
      {IDC_RESULT, 2, 0, 166, 12}, {IDC_ABS, 2, 29, 15, 12}, {IDC_TAN, 50, 55, 15, 12},
      {39, 67, 55, 14, 12},        {55, 82, 29, 10, 12},     {IDC_CL, 159, 29, 10, 12},
      {IDC_DEL, 148, 42, 21, 12},  {IDM_EVALUATE, 148, 55, 21, 12},
  };
  int count = 0;
  for (HWND child = GetWindow(State.MainWindow, GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++count;
  }
  EXPECT_EQ(count, 39);
  for (const Expected &e : controls) {
    RECT units = {e.x, e.y, e.x + e.w, e.y + e.h};
    MapDialogRect(State.MainWindow, &units);
    RECT rect = WindowRect(GetDlgItem(State.MainWindow, e.id));
    MapWindowPoints(nullptr, State.MainWindow, reinterpret_cast<POINT *>(&rect), 2);
    EXPECT_EQ(rect.left, units.left) << e.id;
    EXPECT_EQ(rect.top, units.top) << e.id;
    EXPECT_EQ(rect.right, units.right) << e.id;
    EXPECT_EQ(rect.bottom, units.bottom) << e.id;
  }
  wchar_t caption[8];
  GetDlgItemTextW(State.MainWindow, IDC_SIN, caption, 8);
  EXPECT_STREQ(caption, L"SIN");
}

TEST_F(StartUp, EachViewEndsSixPixelsBelowItsReferenceControl) {
  ASSERT_NE(StartMainWindow(), nullptr);
  int width = WindowRect(State.MainWindow).right - WindowRect(State.MainWindow).left;
  for (int view : {0, 1, 2, 3, 3, 0}) {
    State.View = view;
    ApplyView(State.MainWindow);
    EXPECT_EQ(GetMenu(State.MainWindow), view >= 2 ? State.MainMenu : nullptr) << view;
    HWND reference = GetDlgItem(State.MainWindow, view % 2 ? IDM_EVALUATE : IDC_ENTRY);
    RECT rect = WindowRect(State.MainWindow);
    EXPECT_EQ(rect.bottom, WindowRect(reference).bottom + 6) << view;
    EXPECT_EQ(rect.right - rect.left, width) << view;
    EXPECT_EQ(rect.left, 0) << view;
  }
  // Removing the menu bar keeps the menu for later use.
  EXPECT_TRUE(IsMenu(State.MainMenu));
  EXPECT_EQ(GetMenuItemCount(State.MainMenu), 5);
}

TEST_F(StartUp, ResourcesCarryTheJapaneseTexts) {
  ASSERT_NE(StartMainWindow(), nullptr);
  wchar_t text[64];
  GetMenuStringW(State.MainMenu, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"編集(&E)");
  GetMenuStringW(State.MainMenu, IDM_COPY_ANSWER, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"答ｺﾋﾟｰ(&B)\tCtrl+B");
  GetMenuStringW(State.MainMenu, IDM_HELP_CONTENTS, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"目次(&C)...\tF1");
  GetMenuStringW(State.TrayPopup, IDM_CLOSE, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"vExを閉じる(&C)");
  EXPECT_EQ(GetMenuItemCount(State.TrayPopup), 5);
  EXPECT_NE(LoadIconW(State.Instance, L"vexIcon"), nullptr);
  EXPECT_NE(LoadIconW(State.Instance, L"TbarIcon"), nullptr);
}

// The vex.exe files to check, relative to this test executable: this build's,
// and in the 64-bit build the 32-bit release build's beside it, which is
// opened as data only, so it is checked here too where 32-bit programs cannot
// run.
std::vector<const wchar_t *> VexExesToCheck() {
  std::vector<const wchar_t *> exes{VEX_EXE_RELATIVE};
#ifdef VEX_I686_EXE_RELATIVE
  exes.push_back(VEX_I686_EXE_RELATIVE);
#endif
  return exes;
}

// A path relative to this test executable's folder.
std::wstring BesideTests(const wchar_t *relative) {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe(path, length);
  return exe.substr(0, exe.find_last_of(L"\\/") + 1) + relative;
}

// The bytes of one resource of a vex.exe; empty when it is missing.
std::string ReadVexExeResource(const wchar_t *relative, const wchar_t *name, const wchar_t *type) {
  std::wstring exe = BesideTests(relative);
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return "";
  HRSRC found = FindResourceW(module, name, type);
  std::string bytes;
  if (found != nullptr)
    bytes.assign(static_cast<const char *>(LockResource(LoadResource(module, found))),
                 SizeofResource(module, found));
  FreeLibrary(module);
  return bytes;
}

// The 32-bit build's file is there when that build ran first (scripts/test.sh
// builds it first); its absence is reported as a skip, never passed over.
bool IsMissingOtherBuild(const wchar_t *relative) {
  return relative != VexExesToCheck().front() &&
         GetFileAttributesW(BesideTests(relative).c_str()) == INVALID_FILE_ATTRIBUTES;
}

// The manifest inside vex.exe: runs with the user's rights, declares the
// systems it is written for, and keeps the common controls and the
// resolution awareness.
TEST(Manifest, VexExeDeclaresItsRightsSystemsControlsAndResolution) {
  for (const wchar_t *exe : VexExesToCheck()) {
    SCOPED_TRACE(testing::Message() << "vex.exe at " << exe);
    if (IsMissingOtherBuild(exe)) GTEST_SKIP() << "the 32-bit vex.exe is not built";
    std::string manifest = ReadVexExeResource(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_FALSE(manifest.empty());
    for (const char *entry : {
             "<requestedExecutionLevel level=\"asInvoker\"",
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
             "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
             "PerMonitorV2, PerMonitor</dpiAwareness>",
         }) {
      EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
    }
  }
}

// The version as the file's properties and the loader read it: the record's
// numbers and texts and the manifest's identity, made from CMakeLists.txt.
TEST(VersionRecord, VexExeCarriesTheProjectVersionInRecordAndManifest) {
  for (const wchar_t *exe : VexExesToCheck()) {
    SCOPED_TRACE(testing::Message() << "vex.exe at " << exe);
    if (IsMissingOtherBuild(exe)) GTEST_SKIP() << "the 32-bit vex.exe is not built";
    std::string record = ReadVexExeResource(exe, L"VEXVERSION", RT_VERSION);
    ASSERT_FALSE(record.empty());
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void **>(&fixed), &size));
    auto dotted = [](DWORD high, DWORD low) {
      return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
             std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
    };
    EXPECT_EQ(dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), VEX_FILE_VERSION_DOTTED);
    EXPECT_EQ(dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), VEX_FILE_VERSION_DOTTED);
    for (const wchar_t *name : {L"\\StringFileInfo\\041104E4\\FileVersion",
                                L"\\StringFileInfo\\041104E4\\ProductVersion"}) {
      wchar_t *text = nullptr;
      ASSERT_TRUE(VerQueryValueW(record.data(), name, reinterpret_cast<void **>(&text), &size)) << name;
      EXPECT_STREQ(text, L"" VEX_VERSION_TEXT) << name;
    }
    std::string manifest = ReadVexExeResource(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    EXPECT_NE(manifest.find("name=\"Vex.Calculator\" version=\"" VEX_FILE_VERSION_DOTTED "\""),
              std::string::npos);
  }
}

}  // namespace
