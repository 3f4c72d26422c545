// The real program while its settings file is held open by another program
// (this test) without sharing: the write fails, a message box says so once,
// the program goes on, and the next write after the file is free again goes
// through. The box is found by its window from here, read and closed.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "resource_ids.h"

namespace {

constexpr int kBoxText = 0xFFFF;  // the static text of a message box

class SettingsEndToEnd : public VexEndToEnd {
 protected:
  void TearDown() override {
    Release();
    VexEndToEnd::TearDown();
  }
  void Release() {
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
  }
  HANDLE held = INVALID_HANDLE_VALUE;
};

TEST_F(SettingsEndToEnd, FileHeldByAnotherProgramIsToldOnceAndTheNextWriteGoesThrough) {
  ASSERT_TRUE(StartVex(run));
  Evaluate(L"1+2", L"3.");
  EXPECT_EQ(ReadIni(run, L"Data", L"A"), L"1+2");
  EXPECT_EQ(FindProcessWindow(run.process.dwProcessId, L"#32770"), nullptr);

  std::wstring ini = run.folder + L"\\vex.ini";
  held = CreateFileW(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Evaluate(L"4*5", L"20.");
  HWND box = WaitForWindowClass(run, L"#32770");
  ASSERT_NE(box, nullptr) << "no message box";
  std::wstring text = ReadControlText(box, kBoxText);
  EXPECT_NE(text.find(L"設定ファイルに書き込めませんでした"), std::wstring::npos) << text.size();
  EXPECT_NE(text.find(L"vex.ini"), std::wstring::npos) << "names the file";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));

  // Still held: the next failure is not told again, and the program goes on.
  Evaluate(L"5*5", L"25.");
  EXPECT_EQ(WaitForWindowClass(run, L"#32770", 1500), nullptr) << "a second box";

  // Free again: the next write goes through, silently.
  Release();
  Evaluate(L"6*6", L"36.");
  EXPECT_EQ(ReadIni(run, L"Data", L"A"), L"6*6");
  EXPECT_EQ(WaitForWindowClass(run, L"#32770", 1000), nullptr);

  ASSERT_TRUE(StopVex(run));
  ASSERT_TRUE(StartVex(run));
  EXPECT_EQ(WaitForControlText(run.window, IDC_RESULT, L"36."), L"36.");
}

}  // namespace
