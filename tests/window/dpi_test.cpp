// The window's own pixel sizes at the screen's resolution: the result's
// figures fill the field as they do at 96 DPI, and the window ends 6 pixels
// (at 96 DPI, scaled) below the "=" button or the entry. The usual test
// prefix is at 96 DPI; dpi_test.sh runs these again in prefixes at 120, 144
// and 192 DPI. There VEX_EXPECTED_DPI names the resolution, and the file
// VEX_DPI_SHARES carries the share measured at 96 DPI to the others.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app_state.h"
#include "views.h"
#include "slots.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

class Dpi : public ShownWindowTest {
 protected:
  void SetUp() override {
    ShownWindowTest::SetUp();
    BeepOption = 0;
  }
};

TEST_F(Dpi, TheProgramReadsTheScreensResolution) {
  const char *expected = std::getenv("VEX_EXPECTED_DPI");
  EXPECT_EQ(ScreenDpi, expected != nullptr ? std::atoi(expected) : 96);
}

// The height of the figures' ink as a share of the field's height.
TEST_F(Dpi, ResultFiguresFillTheFieldAsAt96Dpi) {
  SetWindowTextW(Entry, L"SQR(2000000)");
  EvaluateCurrentSlot();
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ProcessLoopMessage(m);
  ASSERT_STREQ(ResultText, L"1414.213562");
  Ink ink = ReadControlInk(GetDlgItem(MainWindow, IDC_RESULT));
  ASSERT_GT(ink.dark, 0);
  // The figures start at the scaled offset and stay inside the field.
  EXPECT_GE(ink.left, MulDiv(3, ScreenDpi, 96));
  EXPECT_GE(ink.top, MulDiv(1, ScreenDpi, 96));
  EXPECT_LT(ink.bottom, ink.height);
  double share = static_cast<double>(ink.bottom - ink.top + 1) / ink.height;

  const char *shares = std::getenv("VEX_DPI_SHARES");
  if (shares == nullptr) return;
  if (ScreenDpi == 96) {
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
  EXPECT_NEAR(share, at96, 0.1 * at96) << "at " << ScreenDpi << " DPI";
}

TEST_F(Dpi, WindowEndsSixScaledPixelsBelowTheReferenceControl) {
  for (int view = 0; view < 4; ++view) {
    View = view;
    ApplyView(MainWindow);
    RECT window = {};
    RECT reference = {};
    GetWindowRect(MainWindow, &window);
    GetWindowRect(GetDlgItem(MainWindow, view % 2 != 0 ? IDM_EVALUATE : IDC_ENTRY), &reference);
    EXPECT_EQ(window.bottom - reference.bottom, MulDiv(6, ScreenDpi, 96)) << "view " << view;
  }
}

}  // namespace
