// The window's own pixel sizes at the screen's resolution: the result's
// figures fill the field as they do at 96 DPI, and the window ends 6 pixels
// (at 96 DPI, scaled) below the "=" button or the entry. The usual test
// prefix is at 96 DPI; dpi_test.sh runs these again in prefixes at 120, 144
// and 192 DPI. There VEX_EXPECTED_DPI names the resolution, and the file
// VEX_DPI_SHARES carries the share measured at 96 DPI to the others.
// The window's layout as a fresh start makes it in each prefix goes into the
// folder VEX_DPI_LAYOUTS; dpi_test.sh then runs the DpiChange tests at 96
// DPI, which send WM_DPICHANGED (Wine never does) and compare with it.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app_state.h"
#include "dpi_layout.h"
#include "message_loop.h"
#include "views.h"
#include "slots.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

class Dpi : public ShownWindowTest {
 protected:
  void SetUp() override {
    ShownWindowTest::SetUp();
    State.BeepOption = 0;
  }
};

TEST_F(Dpi, TheProgramReadsTheScreensResolution) {
  const char *expected = std::getenv("VEX_EXPECTED_DPI");
  EXPECT_EQ(WindowDpi(), expected != nullptr ? std::atoi(expected) : 96);
}

// The height of the figures' ink as a share of the field's height.
TEST_F(Dpi, ResultFiguresFillTheFieldAsAt96Dpi) {
  SetWindowTextW(State.Entry, L"SQR(2000000)");
  EvaluateCurrentSlot();
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ProcessLoopMessage(m);
  ASSERT_STREQ(State.ResultText, L"1414.213562");
  Ink ink = ReadControlInk(GetDlgItem(State.MainWindow, IDC_RESULT));
  ASSERT_GT(ink.dark, 0);
  // The figures start at the scaled offset and stay inside the field.
  EXPECT_GE(ink.left, MulDiv(3, WindowDpi(), 96));
  EXPECT_GE(ink.top, MulDiv(1, WindowDpi(), 96));
  EXPECT_LT(ink.bottom, ink.height);
  double share = static_cast<double>(ink.bottom - ink.top + 1) / ink.height;

  const char *shares = std::getenv("VEX_DPI_SHARES");
  if (shares == nullptr) return;
  if (WindowDpi() == 96) {
    FILE *file = std::fopen(shares, "w");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "%.4f\n", share);
    std::fclose(file);
    return;
  }
  FILE *file = std::fopen(shares, "r");
  ASSERT_NE(file, nullptr) << "no share measured at 96 DPI";
  double at96 = 0;
  ASSERT_EQ(std::fscanf(file, "%lf", &at96), 1);
  std::fclose(file);
  EXPECT_NEAR(share, at96, 0.1 * at96) << "at " << WindowDpi() << " DPI";
}

TEST_F(Dpi, WindowEndsSixScaledPixelsBelowTheReferenceControl) {
  for (int view = 0; view < 4; ++view) {
    State.View = view;
    ApplyView(State.MainWindow);
    RECT window = {};
    RECT reference = {};
    GetWindowRect(State.MainWindow, &window);
    GetWindowRect(GetDlgItem(State.MainWindow, view % 2 != 0 ? IDM_EVALUATE : IDC_ENTRY),
                  &reference);
    EXPECT_EQ(window.bottom - reference.bottom, MulDiv(6, WindowDpi(), 96)) << "view " << view;
  }
}

// The layout, per view: the client area (id 0), the outer size (id -2: under
// Wine caption and menu bar keep the prefix's size, so only a fresh start has
// it right) and every control in client coordinates; then the ink of a
// result in the result field (view -1). A row: view, id, left, top, right, bottom.
using Layout = std::vector<std::array<int, 6>>;

void PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ProcessLoopMessage(m);
}

Layout MeasureLayout() {
  Layout layout;
  int saved = State.View;
  for (State.View = 0; State.View < 4; ++State.View) {
    ApplyView(State.MainWindow);
    RECT r = {};
    GetClientRect(State.MainWindow, &r);
    layout.push_back({State.View, 0, 0, 0, r.right, r.bottom});
    GetWindowRect(State.MainWindow, &r);
    layout.push_back({State.View, -2, 0, 0, r.right - r.left, r.bottom - r.top});
    for (HWND c = GetWindow(State.MainWindow, GW_CHILD); c != nullptr;
         c = GetWindow(c, GW_HWNDNEXT)) {
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, State.MainWindow, reinterpret_cast<POINT *>(&r), 2);
      layout.push_back({State.View, GetDlgCtrlID(c), r.left, r.top, r.right, r.bottom});
    }
  }
  State.View = saved;
  ApplyView(State.MainWindow);
  SetWindowTextW(State.Entry, L"SQR(2000000)");
  EvaluateCurrentSlot();
  PumpMessages();
  Ink ink = ReadControlInk(GetDlgItem(State.MainWindow, IDC_RESULT));
  layout.push_back({-1, 0, ink.left, ink.top, ink.right, ink.bottom});
  return layout;
}

void ExpectSameLayout(const Layout &actual, const Layout &expected, int tolerance, const char *what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t i = 0; i < actual.size(); ++i) {
    const auto &a = actual[i];
    const auto &e = expected[i];
    ASSERT_EQ(a[0] * 100000 + a[1], e[0] * 100000 + e[1]) << what;
    if (a[1] == -2 && tolerance > 0) continue;
    for (int k = 2; k < 6; ++k) EXPECT_NEAR(a[k], e[k], tolerance) << what << ": view " << a[0] << " id " << a[1];
  }
}

// The layout a fresh start in the prefix at dpi left (none: empty).
std::string LayoutFile(int dpi) {
  const char *folder = std::getenv("VEX_DPI_LAYOUTS");
  return folder == nullptr ? std::string() : std::string(folder) + "/layout-" + std::to_string(dpi) + ".txt";
}

// Laying the window out again at the resolution it was created at gives
// exactly what the dialog manager made of the template.
TEST_F(Dpi, LayingOutAgainAtTheSameResolutionKeepsTheDialogManagersLayout) {
  Layout fresh = MeasureLayout();
  SendMessageW(State.MainWindow, WM_DPICHANGED, MAKEWPARAM(WindowDpi(), WindowDpi()), 0);
  ExpectSameLayout(MeasureLayout(), fresh, 0, "laid out again");
  FILE *file = std::fopen(LayoutFile(WindowDpi()).c_str(), "w");
  for (const auto &r : fresh) {
    if (file != nullptr) std::fprintf(file, "%d %d %d %d %d %d\n", r[0], r[1], r[2], r[3], r[4], r[5]);
  }
  if (file != nullptr) std::fclose(file);
}

// What the system does when the window comes onto a monitor of another
// scale: asks for the size, then tells the resolution and a rectangle there.
RECT ChangeDpi(int dpi) {
  RECT r = {};
  SIZE size = {};
  GetWindowRect(State.MainWindow, &r);
  SendMessageW(State.MainWindow, WM_GETDPISCALEDSIZE, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&size));
  RECT suggested = {r.left + 10, r.top + 20, r.left + 10 + size.cx, r.top + 20 + size.cy};
  SendMessageW(State.MainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
  return suggested;
}

class DpiChange : public Dpi {};

TEST_F(DpiChange, LayoutEqualsAFreshStartThereAndRoundTripsLeaveNoDrift) {
  Layout at96 = MeasureLayout();
  for (int round = 0; round < 10; ++round) {
    for (int dpi : {144, 192, 96}) {
      RECT suggested = ChangeDpi(dpi);
      RECT now = {};
      GetWindowRect(State.MainWindow, &now);
      ASSERT_EQ(WindowDpi() * 100000 + now.left * 100 + now.top, dpi * 100000 + suggested.left * 100 + suggested.top);
      if (round > 0) continue;
      ICONINFO icon = {};
      BITMAP bitmap = {};
      GetIconInfo(
          reinterpret_cast<HICON>(SendMessageW(State.MainWindow, WM_GETICON, ICON_SMALL, 0)),
          &icon);
      EXPECT_TRUE(GetObjectW(icon.hbmColor, sizeof bitmap, &bitmap) && bitmap.bmWidth == 16 * dpi / 96);
      DeleteObject(icon.hbmColor);
      DeleteObject(icon.hbmMask);
      Layout fresh;
      std::array<int, 6> r;
      FILE *file = std::fopen(LayoutFile(dpi).c_str(), "r");
      while (file != nullptr && std::fscanf(file, "%d %d %d %d %d %d", &r[0], &r[1], &r[2], &r[3], &r[4], &r[5]) == 6) fresh.push_back(r);
      if (file != nullptr) std::fclose(file);
      if (fresh.empty()) continue;
      ExpectSameLayout(MeasureLayout(), fresh, 1, "fresh start");
      for (const auto &outer : fresh) {
        if (outer[1] != -2) continue;
        State.View = outer[0];
        SIZE size = {};
        SendMessageW(State.MainWindow, WM_GETDPISCALEDSIZE, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&size));
        EXPECT_NEAR(size.cx, outer[4], 1) << "view " << State.View << " at " << dpi;
        EXPECT_NEAR(size.cy, outer[5], 1) << "view " << State.View << " at " << dpi;
      }
    }
  }
  ExpectSameLayout(MeasureLayout(), at96, 0, "ten round trips");
}

TEST_F(DpiChange, AbsurdResolutionsAndMissingRectanglesDoNoHarm) {
  RECT empty = {5000, 5000, 4000, 4000};
  SendMessageW(State.MainWindow, WM_DPICHANGED, 0, reinterpret_cast<LPARAM>(&empty));
  EXPECT_EQ(WindowDpi(), 96);
  EXPECT_EQ(SendMessageW(State.MainWindow, WM_GETDPISCALEDSIZE, MAKEWPARAM(144, 144), 0), FALSE);
  SendMessageW(State.MainWindow, WM_DPICHANGED, MAKEWPARAM(10000, 10000), 0);
  EXPECT_EQ(WindowDpi(), 480);
  SendMessageW(State.MainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96),
               reinterpret_cast<LPARAM>(&empty));
  GetWindowRect(State.MainWindow, &empty);
  EXPECT_EQ(empty.left, 5000);  // a rectangle without size: its position alone
}

// Changed while minimised or hidden in the tray: right when shown again.
TEST_F(DpiChange, AChangeWhileMinimisedOrHiddenShowsWhenTheWindowComesBack) {
  ChangeDpi(192);
  Layout at192 = MeasureLayout();
  for (int hide : {SW_MINIMIZE, SW_HIDE}) {
    ChangeDpi(96);
    ShowWindow(State.MainWindow, hide);
    PumpMessages();
    SendMessageW(State.MainWindow, WM_DPICHANGED, MAKEWPARAM(192, 192), 0);
    ShowWindow(State.MainWindow, SW_RESTORE);
    SetForegroundWindow(State.MainWindow);
    PumpMessages();
    ExpectSameLayout(MeasureLayout(), at192, 0, hide == SW_HIDE ? "hidden" : "minimised");
  }
}

}  // namespace
