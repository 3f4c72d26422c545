// The result field's painting on the real window, read back pixel by pixel:
// results in the large heavy face, messages in the default font, the opaque
// band, the text's origin, and long and empty texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app_state.h"
#include "message_loop.h"
#include "result_field.h"
#include "slots.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

class ResultField : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    ASSERT_NE(StartMainWindow(), nullptr);
    ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
    UpdateWindow(State.MainWindow);
    DrainMessages();
    field = GetDlgItem(State.MainWindow, IDC_RESULT);
  }
  void TearDown() override {
    CloseMainWindow();
    DeleteTestSettingsFile();
  }

  // Marks the whole field for repainting, paints text as the paint handler
  // would, and reads back the field's drawing area.
  Ink Paint(const std::wstring &text, int failed) {
    State.LastEvalFailed = failed;
    InvalidateRect(field, nullptr, FALSE);
    PaintResultField(field, text.c_str());
    return Capture();
  }
  Ink Capture() { return ReadControlInk(field); }
  // The text drawn at (3, 1) on white in a memory image of the field's size,
  // with the result font or with a fresh device context's default font.
  Ink Reference(const std::wstring &text, bool resultFont) {
    LOGFONTW description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = 20;
    wcscpy(description.lfFaceName, L"Arial Black");
    HFONT font = resultFont ? CreateFontIndirectW(&description) : nullptr;
    Ink ink = ReferenceIn(text, font);
    if (font != nullptr) DeleteObject(font);
    return ink;
  }
  // The same with the given font (nullptr: the default font).
  Ink ReferenceIn(const std::wstring &text, HFONT font) {
    RECT client;
    GetClientRect(field, &client);
    HDC fieldDc = GetDC(field);
    HDC dc = CreateCompatibleDC(fieldDc);
    HBITMAP bitmap = CreateCompatibleBitmap(fieldDc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, client.right, client.bottom, WHITENESS);
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    TextOutW(dc, 3, 1, text.c_str(), static_cast<int>(text.size()));
    Ink ink = ReadInk(dc, client.right, client.bottom);
    if (font != nullptr) SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(field, fieldDc);
    return ink;
  }
  static void ExpectSameBox(const Ink &painted, const Ink &reference, const wchar_t *text) {
    EXPECT_NEAR(painted.left, reference.left, 1) << text;
    EXPECT_NEAR(painted.top, reference.top, 1) << text;
    EXPECT_NEAR(painted.right, reference.right, 1) << text;
    EXPECT_NEAR(painted.bottom, reference.bottom, 1) << text;
  }
  HWND field = nullptr;
};

TEST_F(ResultField, FontDescriptionHoldsOnlyFaceAndHeight) {
  LOGFONTW expected;
  std::memset(&expected, 0, sizeof expected);
  expected.lfHeight = 20;
  wcscpy(expected.lfFaceName, L"Arial Black");
  LOGFONTW made = MakeResultFont(96);
  EXPECT_EQ(std::memcmp(&made, &expected, sizeof made), 0);
  // Twice the resolution, twice the height.
  EXPECT_EQ(MakeResultFont(192).lfHeight, 40);
}

// The painted ink matches the same text drawn at (3, 1) in a memory image
// with the expected font: the 20-pixel heavy face for results, the device
// context's default font for messages.
TEST_F(ResultField, ResultsUseTheLargeFaceAndMessagesTheDefaultFont) {
  for (const wchar_t *text : {L"88.", L"1.e-002", L"ff", L"-12345.6789"}) {
    Ink result = Paint(text, 0);
    Ink resultReference = Reference(text, true);
    Ink message = Paint(text, 4);
    Ink messageReference = Reference(text, false);
    ASSERT_GT(result.dark, 0) << text;
    ASSERT_GT(message.dark, 0) << text;
    ExpectSameBox(result, resultReference, text);
    ExpectSameBox(message, messageReference, text);
    // The two fonts differ visibly: the large face sits lower and is heavier.
    EXPECT_GT(result.bottom, message.bottom) << text;
    EXPECT_GT(result.dark, message.dark) << text;
    // Drawn from (3, 1).
    EXPECT_GE(result.left, 3) << text;
    EXPECT_LE(result.left, 6) << text;
    EXPECT_GE(result.top, 1) << text;
  }
}

// On a system whose default font has no Japanese glyphs a message is drawn
// in the field's own font (the dialog's); a text the default font can show
// keeps it.
TEST_F(ResultField, MessageTheDefaultFontCannotShowIsDrawnInTheDialogFont) {
  HFONT latinOnly = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, L"Lato");
  ASSERT_NE(latinOnly, nullptr);
  HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0));
  ASSERT_NE(dialogFont, nullptr);
  ForcedDefaultFont = latinOnly;
  const wchar_t message[] = L"文法ｴﾗ-です";
  Ink japanese = Paint(message, 4);
  Ink latin = Paint(L"Syntax 4", 4);
  ForcedDefaultFont = nullptr;
  ExpectSameBox(japanese, ReferenceIn(message, dialogFont), L"dialog font");
  ExpectSameBox(latin, ReferenceIn(L"Syntax 4", latinOnly), L"default font");
  DeleteObject(latinOnly);
}

TEST_F(ResultField, BandIsFilledWithWhiteFromOneToTheEdges) {
  Ink ink = Paint(L"", 0);
  EXPECT_EQ(ink.dark, 0);
  ASSERT_GT(ink.width, 8);
  ASSERT_GT(ink.height, 4);
  for (int y = 1; y < ink.height; ++y) {
    for (int x = 1; x < ink.width; ++x) {
      ASSERT_EQ(ink.At(x, y), RGB(255, 255, 255)) << x << "," << y;
    }
  }
  // An empty text after a result leaves a blank band.
  Paint(L"12345.", 0);
  ink = Paint(L"", 0);
  EXPECT_EQ(ink.dark, 0);
}

// A high-contrast theme: the band and the figures take the theme's window
// colours (the standard theme's are the white and black above).
TEST_F(ResultField, BandAndTextTakeTheThemesWindowColours) {
  const int elements[2] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
  const COLORREF saved[2] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
  const COLORREF contrast[2] = {RGB(0, 0, 0), RGB(255, 255, 0)};
  ASSERT_TRUE(SetSysColors(2, elements, contrast));
  Ink ink = Paint(L"88.", 0);
  ASSERT_TRUE(SetSysColors(2, elements, saved));
  int yellow = 0;
  int black = 0;
  for (COLORREF c : ink.pixels) {
    if (c == RGB(255, 255, 0)) ++yellow;
    if (c == RGB(0, 0, 0)) ++black;
  }
  // The band: its corners and most of the field.
  EXPECT_EQ(ink.At(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(ink.At(ink.width - 3, ink.height - 3), RGB(0, 0, 0));
  EXPECT_GT(black, ink.width * ink.height / 2);
  EXPECT_GT(yellow, 20) << "the figures in the theme's text colour";
}

TEST_F(ResultField, LongTextRunsToTheEdgeOfTheField) {
  Ink ink = Paint(std::wstring(60, L'8'), 0);
  EXPECT_GE(ink.right, ink.width - 6) << "not cut short of the edge";
}

TEST_F(ResultField, NothingWaitingToBeRepaintedDrawsNothing) {
  Paint(L"", 0);
  UpdateWindow(field);  // nothing invalid any more
  PaintResultField(field, L"88.");
  EXPECT_EQ(Capture().dark, 0);
}

// The evaluation command hides and shows the field; the paint messages that
// follow, run through the program's loop, draw the new text in its font.
TEST_F(ResultField, EvaluationRepaintsThroughThePaintHandler) {
  auto evaluate = [this](const wchar_t *text) {
    SetWindowTextW(State.Entry, text);
    EvaluateCurrentSlot();
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ProcessLoopMessage(m);
    return Capture();
  };
  State.BeepOption = 0;
  Ink result = evaluate(L"88");
  ASSERT_STREQ(State.ResultText, L"88.");
  Ink message = evaluate(L"88+");
  ASSERT_EQ(State.LastEvalFailed, 4);
  ExpectSameBox(result, Reference(L"88.", true), L"88.");
  ExpectSameBox(message, Reference(L"文法ｴﾗ-です", false), L"message");
  // Back to a result: the message's longer text is wiped by the band.
  Ink again = evaluate(L"1");
  EXPECT_LT(again.right, message.right);
}

}  // namespace
