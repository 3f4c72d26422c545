// The real program in tray mode and its help, driven from outside: started
// with /t it stays hidden with its icon; the icon's messages (posted as the
// shell posts them) bring it back and open its popup; close hides it, a
// second start shows it, removing the icon and closing end it. F1 opens
// vex.chm in the help control's window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "resource_ids.h"

namespace {


std::wstring TestFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path, length);
  return text.substr(0, text.find_last_of(L"\\/"));
}

class TrayEndToEnd : public VexEndToEnd {
 protected:

  bool StartHidden(const std::wstring &arguments) { return StartHiddenVex(run, arguments); }

  bool Ended(DWORD milliseconds = 10000) const {
    return WaitForSingleObject(run.process.hProcess, milliseconds) == WAIT_OBJECT_0;
  }

  HWND EntryEdit() const {
    return FindWindowExW(GetDlgItem(run.window, IDC_ENTRY), nullptr, L"Edit", nullptr);
  }
  bool FocusInEntry() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(run.process.dwThreadId, &info) && info.hwndFocus == EntryEdit();
  }

  void PostTray(LPARAM mouseMessage) const {
    PostMessageW(run.window, WM_TRAY_CALLBACK, 1, mouseMessage);
  }
  void PostCommand(int id) const { PostMessageW(run.window, WM_COMMAND, id, 0); }
};

TEST_F(TrayEndToEnd, HiddenAtStartBackByTheIconHiddenByCloseShownBySecondStart) {
  ASSERT_TRUE(StartHidden(L"/t"));
  EXPECT_FALSE(IsWindowVisible(run.window));

  PostTray(WM_LBUTTONDOWN);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(run.window) != FALSE; }));
  EXPECT_TRUE(WaitFor([&] { return FocusInEntry(); }));

  // The text typed survives hiding and showing.
  ASSERT_TRUE(FocusEntry(run));
  TypeText(L"6*7");
  ASSERT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"6*7"), L"6*7");

  // "閉じる" hides: the program keeps running.
  PostCommand(IDM_CLOSE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(run.window); }));
  EXPECT_FALSE(Ended(300));

  // A second start shows the hidden copy and ends at once.
  VexRun second;
  ASSERT_TRUE(LaunchVex(run.folder, L"", second.process));
  EXPECT_EQ(WaitForSingleObject(second.process.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(second.process.hThread);
  CloseHandle(second.process.hProcess);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(run.window) != FALSE; }));
  EXPECT_EQ(ReadControlText(run.window, IDC_ENTRY), L"6*7");

  // Removing the icon keeps the visible window; close now ends the program.
  PostCommand(IDM_TRAY_REMOVE);
  EXPECT_FALSE(Ended(300));
  EXPECT_TRUE(IsWindowVisible(run.window));
  PostCommand(IDM_CLOSE);
  ASSERT_TRUE(Ended());
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(run.process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  // The tray setting was not touched: the next start is again a tray start
  // only through the switch.
  EXPECT_EQ(ReadIni(run, L"Vex", L"Tbar"), L"<absent>");
}

TEST_F(TrayEndToEnd, TbarSettingStartsInTheTrayAndRemovingTheIconWhileHiddenEnds) {
  ASSERT_TRUE(WriteIni(run.folder, L"Vex", L"Tbar", L"1"));
  ASSERT_TRUE(StartHidden(L""));
  EXPECT_FALSE(IsWindowVisible(run.window));
  PostCommand(IDM_TRAY_REMOVE);
  ASSERT_TRUE(Ended());
  // Never shown, so the slots were never loaded and nothing was written.
  EXPECT_EQ(ReadIni(run, L"Vex", L"Cbo"), L"<absent>");
}

TEST_F(TrayEndToEnd, RightPressOpensThePopupAndAChosenItemArrivesAsACommand) {
  ASSERT_TRUE(StartHidden(L"/t"));
  PostTray(WM_RBUTTONDOWN);
  // The popup is a window of the program's own thread while it is open.
  HWND popup = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    popup = FindProcessWindow(run.process.dwProcessId, L"#32768");
    return popup != nullptr && IsWindowVisible(popup);
  }));
  // Escape closes it; the window stays hidden.
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(popup); }));
  EXPECT_FALSE(IsWindowVisible(run.window));
  EXPECT_FALSE(Ended(300));

  // Again, and choose "元のｻｲｽﾞに戻す(&R)" by its mnemonic: the window comes back.
  PostTray(WM_RBUTTONDOWN);
  ASSERT_TRUE(WaitFor([&] {
    popup = FindProcessWindow(run.process.dwProcessId, L"#32768");
    return popup != nullptr && IsWindowVisible(popup);
  }));
  PressKey('R');
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(run.window) != FALSE; }));
  EXPECT_FALSE(IsIconic(run.window));
}

TEST_F(TrayEndToEnd, F1OpensTheHelpFileBesideTheProgram) {
  std::wstring chm = TestFolder() + L"\\..\\..\\window\\vex.chm";
  ASSERT_TRUE(CopyFileW(chm.c_str(), (run.folder + L"\\vex.chm").c_str(), FALSE))
      << "vex.chm is not beside vex.exe";
  ASSERT_TRUE(StartVex(run));
  PressKey(VK_F1);
  HWND help = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    help = FindProcessWindow(run.process.dwProcessId, L"HH Parent");
    return help != nullptr;
  }));
  EXPECT_TRUE(IsWindowVisible(help));
  // The focus went back to the entry.
  EXPECT_TRUE(WaitFor([&] { return FocusInEntry(); }));
  PostMessageW(help, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(help); }));
}

}  // namespace
