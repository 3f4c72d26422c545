// Switching to another program and back, as a person does with two windows
// side by side: the typing goes on into the entry. Neither window covers the
// other, so coming back repaints nothing (as under desktop composition).
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "resource_ids.h"

namespace {


// A plain top-level window of this test process standing for the other
// program, with its own thread and message loop.
class OtherWindow {
 public:
  OtherWindow() {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &OtherWindow::Run, this, 0, &threadId_);
    WaitForSingleObject(ready_, 10000);
  }
  ~OtherWindow() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(ready_);
  }
  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  static DWORD WINAPI Run(void *data) {
    auto *self = static_cast<OtherWindow *>(data);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"VexTestOtherProgram";
    RegisterClassW(&windowClass);
    // Well away from the calculator at (10, 10).
    self->window_ = CreateWindowExW(0, windowClass.lpszClassName, L"other program",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 560, 380, 300, 200, nullptr,
                                    nullptr, windowClass.hInstance, nullptr);
    SetEvent(self->ready_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    return 0;
  }
  HANDLE ready_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

bool Overlap(const RECT &a, const RECT &b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class SwitchingBack : public VexEndToEnd {
 protected:
  void SetUp() override {
    VexEndToEnd::SetUp();
    ASSERT_TRUE(WriteIni(run.folder, L"Vex", L"Wx", L"10"));
    ASSERT_TRUE(WriteIni(run.folder, L"Vex", L"Wy", L"10"));
    ASSERT_TRUE(StartVex(run));
    // Under Wine the X server's focus events for a window of the test before
    // can still be on their way; they would take the first keys.
    Sleep(300);
    ASSERT_TRUE(FocusEntry(run));
    TypeText(L"1+2");
    ASSERT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"1+2"), L"1+2");
  }
  // A click into the other window makes it the active one.
  void SwitchAway(const OtherWindow &other) {
    ASSERT_NE(other.window(), nullptr);
    RECT mine = ReadWindowRect(run.window);
    RECT theirs = ReadWindowRect(other.window());
    ASSERT_FALSE(Overlap(mine, theirs));
    ClickScreenPoint({(theirs.left + theirs.right) / 2, (theirs.top + theirs.bottom) / 2});
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other.window(); }));
    // A person takes a moment before switching back; under Wine the X
    // server's word on the focus comes after the click, too.
    Sleep(500);
    ASSERT_EQ(GetForegroundWindow(), other.window());
  }

  // The keyboard focus is in the entry's edit field: a person sees the caret
  // there before typing.
  bool WaitForFocusInEntry() {
    HWND edit = FindWindowExW(GetDlgItem(run.window, IDC_ENTRY), nullptr, L"Edit", nullptr);
    return edit != nullptr && WaitFor([&] {
      GUITHREADINFO info = {};
      info.cbSize = sizeof info;
      return GetGUIThreadInfo(run.process.dwThreadId, &info) && info.hwndFocus == edit;
    }, 3000);
  }
};

TEST_F(SwitchingBack, ByAClickOnTheTitleBarTheTypingGoesIntoTheEntry) {
  OtherWindow other;
  SwitchAway(other);
  RECT mine = ReadWindowRect(run.window);
  int captionMiddle = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  ClickScreenPoint({(mine.left + mine.right) / 2, mine.top + captionMiddle});
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == run.window; }));
  EXPECT_TRUE(WaitForFocusInEntry());
  TypeText(L"+5");
  EXPECT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"1+2+5"), L"1+2+5");
}

TEST_F(SwitchingBack, FromTheTaskbarTheTypingGoesIntoTheEntry) {
  OtherWindow other;
  SwitchAway(other);
  // What a taskbar button does: the window is brought to the foreground.
  // (Under Wine the other window's activation by the click can still be on
  // its way from the X server and take the foreground back; then again.)
  ASSERT_TRUE(WaitFor([&] {
    if (GetForegroundWindow() != run.window) SetForegroundWindow(run.window);
    return GetForegroundWindow() == run.window;
  }));
  EXPECT_TRUE(WaitForFocusInEntry());
  TypeText(L"+5");
  EXPECT_EQ(WaitForControlText(run.window, IDC_ENTRY, L"1+2+5"), L"1+2+5");
}

}  // namespace
