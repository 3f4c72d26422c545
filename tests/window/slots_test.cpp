// The slots on the real main window, in-process: loading at the first paint,
// the evaluation command, choosing a list item, the settings it writes, the
// sounds, and awkward texts in the entry and in the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app_state.h"
#include "engine.h"
#include "settings.h"
#include "slots.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

std::vector<UINT> sounds;

BOOL WINAPI RecordSound(UINT type) {
  sounds.push_back(type);
  return TRUE;
}

const wchar_t kSyntaxMessage[] = L"文法ｴﾗ-です";

class Slots : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    FormSettingsPaths();
    ClearVariables();  // as at process start
    sounds.clear();
    PlayMessageSound = RecordSound;
  }
  void TearDown() override {
    CloseMainWindow();
    PlayMessageSound = MessageBeep;
    DeleteTestSettingsFile();
  }

  static void Store(const wchar_t *key, const wchar_t *value) {
    ASSERT_TRUE(WriteSettingText(kSlotsSection, key, value));
  }
  static void StoreOption(const wchar_t *key, int value) {
    ASSERT_TRUE(WriteSettingInt(kOptionsSection, key, value));
  }
  static std::wstring StoredText(const wchar_t *section, const wchar_t *key) {
    wchar_t text[1024];
    GetPrivateProfileStringW(section, key, L"<absent>", text, 1024, TestSettingsFile().c_str());
    return text;
  }

  // Start-up, shown, first paint (the slots load), then one loop turn that
  // applies the pending caret position.
  void Start() {
    ASSERT_NE(StartMainWindow(), nullptr);
    ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
    UpdateWindow(State.MainWindow);
    ASSERT_FALSE(State.FirstPaint);
    Turn();
  }
  // Ends the program and starts it again on the same settings file.
  void Restart() {
    std::string bytes = ReadTestSettingsBytes();
    CloseMainWindow();
    PrepareFreshStart();
    WriteTestSettingsBytes(bytes);
    FormSettingsPaths();
    ClearVariables();
    Start();
  }
  static void Turn() { RunLoopTurn(); }
  // Gives a variable a value as a slot line does, through the engine.
  static void StoreVariable(char letter, const char *expression) {
    char line[kLineBufferSize];
    std::snprintf(line, sizeof line, "%c= %s", letter, expression);
    double value = 0;
    int stop = 0;
    ASSERT_EQ(EvaluateLine(line, &value, &stop, false), kEvalOk) << line;
  }
  // Types into the entry as a command would find it, then evaluates.
  static void Evaluate(const std::wstring &text) {
    SetWindowTextW(State.Entry, text.c_str());
    SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(text.size(), text.size()));
    Turn();  // SavedSelection := the entry's selection
    EvaluateCurrentSlot();
    Turn();  // applies PendingSelection
  }
  static std::wstring ResultFieldText() {
    wchar_t text[kEntryTextSize];
    GetWindowTextW(GetDlgItem(State.MainWindow, IDC_RESULT), text, kEntryTextSize);
    return text;
  }
  static std::wstring Item(int index) {
    wchar_t text[kEntryTextSize + 8] = L"";
    LRESULT length = SendMessageW(State.Entry, CB_GETLBTEXTLEN, index, 0);
    if (length < 0 || length >= kEntryTextSize + 8) return L"<bad length>";
    SendMessageW(State.Entry, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
  }
};

TEST_F(Slots, FirstStartWithoutSettingsFile) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) StoreVariable(letter, "7");  // must all be rebuilt
  Start();
  ASSERT_EQ(SendMessageW(State.Entry, CB_GETCOUNT, 0, 0), 26);
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(Item(i), std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L"\x2502") << i;
    EXPECT_EQ(ReadVariable(i), 0.0) << "variable " << static_cast<char>('A' + i);
  }
  EXPECT_EQ(State.CurrentSlot, 0);
  EXPECT_EQ(EntryText(), L"");
  EXPECT_EQ(ResultFieldText(), L"");
  EXPECT_STREQ(State.ResultText, L"");
  EXPECT_EQ(State.LastEvalFailed, kEvalSyntax);
  EXPECT_STREQ(State.UndoText, L"");
  EXPECT_TRUE(sounds.empty()) << "loading is silent";
  for (int i = 0; i < 26; ++i) {
    const wchar_t key[2] = {static_cast<wchar_t>(L'A' + i), L'\0'};
    EXPECT_EQ(StoredText(kSlotsSection, key), L"<absent>") << "loading writes no slot";
  }
  EXPECT_EQ(StoredText(kOptionsSection, L"Cbo"), L"<absent>");
}

TEST_F(Slots, LoadingEvaluatesInLetterOrder) {
  Store(L"A", L"B+1");
  Store(L"B", L"2");
  Start();
  EXPECT_EQ(ReadVariable(0), 1.0) << "B was still 0 when A was evaluated";
  EXPECT_EQ(ReadVariable(1), 2.0);
  EXPECT_EQ(Item(0), L"A\x2502" L"B+1");
  EXPECT_EQ(Item(1), L"B\x2502" L"2");
  EXPECT_EQ(EntryText(), L"B+1");
  EXPECT_EQ(ResultFieldText(), L"1.");
  EXPECT_STREQ(State.ResultText, L"1.");
  EXPECT_EQ(State.LastEvalFailed, 0);
  EXPECT_STREQ(State.UndoText, L"B+1");
  // The caret lands at the end of the expression.
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(3, 3)));

  Evaluate(L"B+1");
  EXPECT_EQ(ResultFieldText(), L"3.");
  EXPECT_EQ(ReadVariable(0), 3.0);
  EXPECT_EQ(std::vector<UINT>{MB_OK}, sounds);
}

TEST_F(Slots, CurrentSlotFromTheSettingsShowsItsResultAndFailingCurrentSlotLeavesTheFieldEmpty) {
  Store(L"C", L"6*7");
  Store(L"D", L"1/0");
  StoreOption(L"Cbo", 2);
  Start();
  EXPECT_EQ(State.CurrentSlot, 2);
  EXPECT_EQ(EntryText(), L"6*7");
  EXPECT_EQ(ResultFieldText(), L"42.");
  CloseMainWindow();

  PrepareFreshStart();
  FormSettingsPaths();
  Store(L"D", L"1/0");
  StoreOption(L"Cbo", 3);
  Start();
  EXPECT_EQ(EntryText(), L"1/0");
  EXPECT_EQ(ResultFieldText(), L"") << "no message while loading";
  EXPECT_EQ(State.LastEvalFailed, kEvalDivideByZero);
  EXPECT_TRUE(sounds.empty());
}

TEST_F(Slots, OutOfRangeCurrentSlotFallsBackToA) {
  Store(L"A", L"5");
  StoreOption(L"Cbo", 26);
  Start();
  EXPECT_EQ(State.CurrentSlot, 0);
  EXPECT_EQ(EntryText(), L"5");
  StoreOption(L"Cbo", -1);
  Restart();
  EXPECT_EQ(State.CurrentSlot, 0);
}

TEST_F(Slots, RadixSixteenResults) {
  ASSERT_TRUE(WriteSettingText(kOptionsSection, L"Radix", L"16"));
  Store(L"A", L"255");
  Start();
  EXPECT_EQ(ResultFieldText(), L"ff") << "the loaded current slot in radix 16 too";
  Evaluate(L"-1");
  EXPECT_EQ(ResultFieldText(), L"ffffffff");
  Evaluate(L"2.9");
  EXPECT_EQ(ResultFieldText(), L"2");
  EXPECT_EQ(ReadVariable(0), 2.9) << "the variable keeps the full value";
  Evaluate(L"1/0");
  EXPECT_EQ(ResultFieldText(), L"零で除算しました") << "an error still shows its message";

  // A radix outside 2, 8, 10, 16 prints in radix 10.
  ASSERT_TRUE(WriteSettingText(kOptionsSection, L"Radix", L"1"));
  Restart();
  EXPECT_EQ(ResultFieldText(), L"") << "slot A failed when last evaluated";
  Evaluate(L"255");
  EXPECT_EQ(ResultFieldText(), L"255.");
}

TEST_F(Slots, DegreeModeFromTheSettings) {
  StoreOption(L"Deg", 1);
  Store(L"A", L"SIN(30)*2");
  Start();
  EXPECT_EQ(ResultFieldText(), L"1.");
}

TEST_F(Slots, ErrorMovesTheCaretBeforeTheStopCountedWithoutBlanks) {
  Start();
  // "1+2*)": the parser stops at ")", position 4 of the normalised text; the
  // caret goes to 3, just before it.
  Evaluate(L"1+2*)+5");
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  EXPECT_EQ(State.LastEvalFailed, kEvalSyntax);
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(3, 3)));
  EXPECT_EQ(ReadVariable(0), 0.0);
  // Two blanks before the error: the same stop, so the caret lands two
  // characters earlier than the ")" in the entry.
  Evaluate(L"1 + 2*)+5");
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(3, 3)));
  EXPECT_EQ(EntryText(), L"1 + 2*)+5") << "the expression stays as typed";
  EXPECT_EQ(std::vector<UINT>({MB_ICONEXCLAMATION, MB_ICONEXCLAMATION}), sounds);
}

TEST_F(Slots, EmptyEntryFailsWithoutMovingTheCaretAndIsSaved) {
  Store(L"A", L"4");
  Start();
  SetWindowTextW(State.Entry, L"");
  State.SavedSelection = 0;
  EvaluateCurrentSlot();
  // Stop 0 gives -1 for both ends: the edit control removes the selection
  // where it is.
  EXPECT_EQ(State.PendingSelection, 0xFFFFFFFFu);
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  EXPECT_EQ(ReadVariable(0), 0.0);
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), L"");
  EXPECT_EQ(Item(0), L"A\x2502");
}

TEST_F(Slots, SuccessReturnsTheCaretToWhereItWas) {
  Start();
  SetWindowTextW(State.Entry, L"12+30");
  SendMessageW(State.Entry, CB_SETEDITSEL, 0, MAKELPARAM(2, 2));
  Turn();
  EvaluateCurrentSlot();
  Turn();
  EXPECT_EQ(ResultFieldText(), L"42.");
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(2, 2)));
  EXPECT_EQ(EntryText(), L"12+30");
}

TEST_F(Slots, PickingItemDMakesItCurrentWithoutRecomputing) {
  Store(L"A", L"1+1");
  Store(L"D", L"4*4");
  Start();
  ASSERT_EQ(ResultFieldText(), L"2.");
  StoreVariable('D', "99");
  SendMessageW(State.Entry, CB_SETCURSEL, 3, 0);  // as the drop-down list does
  ASSERT_EQ(EntryText(), L"D\x2502" L"4*4");
  Turn();
  EXPECT_EQ(State.CurrentSlot, 3);
  EXPECT_EQ(EntryText(), L"4*4");
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(3, 3)));
  EXPECT_EQ(ResultFieldText(), L"2.") << "the previous result stays";
  EXPECT_EQ(ReadVariable(3), 99.0) << "nothing recomputed";
  EXPECT_EQ(StoredText(kOptionsSection, L"Cbo"), L"<absent>") << "Cbo waits for an evaluation";
  EXPECT_TRUE(sounds.empty());

  // The next evaluation is for D.
  Evaluate(L"4*4+1");
  EXPECT_EQ(ReadVariable(3), 17.0);
  EXPECT_EQ(Item(3), L"D\x2502" L"4*4+1");
  EXPECT_EQ(Item(0), L"A\x2502" L"1+1");
  EXPECT_EQ(StoredText(kOptionsSection, L"Cbo"), L"3");
}

TEST_F(Slots, EvaluationWritesTheSlotAndCboAndReplacesTheItemInPlace) {
  Start();
  SendMessageW(State.Entry, CB_SETCURSEL, 2, 0);
  Turn();
  ASSERT_EQ(State.CurrentSlot, 2);
  Evaluate(L"2+3");
  EXPECT_EQ(StoredText(kSlotsSection, L"C"), L"2+3");
  EXPECT_EQ(StoredText(kOptionsSection, L"Cbo"), L"2");
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), L"<absent>") << "only the current slot";
  EXPECT_EQ(SendMessageW(State.Entry, CB_GETCOUNT, 0, 0), 26);
  EXPECT_EQ(Item(2), L"C\x2502" L"2+3");
  EXPECT_EQ(Item(3), L"D\x2502");
  EXPECT_EQ(SendMessageW(State.Entry, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(EntryText(), L"2+3") << "the entry holds the expression, not the item";
  Turn();
  EXPECT_EQ(State.CurrentSlot, 2) << "the next loop turn sees no list choice";
  EXPECT_EQ(EntryText(), L"2+3");

  // A failing expression is saved too.
  Evaluate(L"2+");
  EXPECT_EQ(StoredText(kSlotsSection, L"C"), L"2+");
}

TEST_F(Slots, JapaneseCommentSurvivesSaveAndReload) {
  const wchar_t kText[] = L"1+2 ;日本語のメモ「税込」";
  Start();
  Evaluate(kText);
  EXPECT_EQ(ResultFieldText(), L"3.");
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), kText);
  Restart();
  EXPECT_EQ(EntryText(), kText);
  EXPECT_EQ(Item(0), std::wstring(L"A\x2502") + kText);
  EXPECT_EQ(ResultFieldText(), L"3.");
  EXPECT_EQ(ReadVariable(0), 3.0);
}

TEST_F(Slots, SoundsFollowTheBeepOption) {
  Start();
  Evaluate(L"1");
  Evaluate(L"1+");
  State.BeepOption = 0;
  Evaluate(L"1");
  Evaluate(L"1+");
  EXPECT_EQ(std::vector<UINT>({MB_OK, MB_ICONEXCLAMATION}), sounds);
}

// --- Awkward input ---

TEST_F(Slots, ExpressionOf255CharactersIsKeptWholeAndLongerTextIsCut) {
  std::wstring sum = L"1";
  while (sum.size() < 255) sum += L"+1";
  ASSERT_EQ(sum.size(), 255u);
  Start();
  Evaluate(sum);
  EXPECT_EQ(ResultFieldText(), L"128.");
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), sum);
  EXPECT_EQ(Item(0), L"A\x2502" + sum);

  // Text set past the entry's limit: only the first 255 characters count.
  Evaluate(sum + L"+1000");
  EXPECT_EQ(ResultFieldText(), L"128.");
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), sum);
  Restart();
  EXPECT_EQ(EntryText(), sum);
  EXPECT_EQ(ResultFieldText(), L"128.");
}

TEST_F(Slots, TypingStopsAtTheLengthEveryReadTakes) {
  Start();
  HWND edit = FindWindowExW(State.Entry, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), kEntryTextSize - 1);
}

TEST_F(Slots, ExpressionThatIsOnlyACommentIsASyntaxError) {
  Start();
  Evaluate(L"; nothing but a note");
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  EXPECT_EQ(ReadVariable(0), 0.0);
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), L"; nothing but a note");
}

TEST_F(Slots, NonAsciiTextIsASyntaxErrorAndIsSavedUnchanged) {
  Start();
  Evaluate(L"1+２");  // a full-width digit
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  EXPECT_EQ(EntrySelection(), static_cast<DWORD>(MAKELONG(1, 1)));
  Evaluate(L"π😀");
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), L"π😀");
  Restart();
  EXPECT_EQ(EntryText(), L"π😀");
}

TEST_F(Slots, ControlCharactersInTheEntry) {
  Start();
  Evaluate(L"1\t+\t2");  // tabs are blanks to the engine
  EXPECT_EQ(ResultFieldText(), L"3.");
  Evaluate(L"1+\x01" L"2");
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  // A line break is no blank to the engine. It cannot be stored in the
  // settings file either: it is saved as a blank, and the slot still reads
  // back as one line.
  Evaluate(L"4\r\n+5");
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), L"4  +5");
  Restart();
  EXPECT_EQ(ResultFieldText(), L"9.");
  EXPECT_EQ(StoredText(kSlotsSection, L"B"), L"<absent>");
}

TEST_F(Slots, StoredValuesLongerThan255CharactersAreCut) {
  std::wstring sum = L"1";
  while (sum.size() < 299) sum += L"+1";
  Store(L"A", L"");  // creates the file
  ASSERT_TRUE(WritePrivateProfileStringW(kSlotsSection, L"A", sum.c_str(),
                                         TestSettingsFile().c_str()));
  // 254 characters, then a character outside the basic plane (two UTF-16
  // units): it does not fit whole and is left out, not split.
  std::wstring pair = std::wstring(254, L'1') + L"😀";
  ASSERT_TRUE(WritePrivateProfileStringW(kSlotsSection, L"B", pair.c_str(),
                                         TestSettingsFile().c_str()));
  Start();
  EXPECT_EQ(EntryText(), sum.substr(0, 255));
  EXPECT_EQ(ResultFieldText(), L"128.");
  EXPECT_EQ(Item(1), L"B\x2502" + std::wstring(254, L'1'));
  EXPECT_GT(ReadVariable(1), 1e253);
}

TEST_F(Slots, StoredValuesWithTheMarkerCharacter) {
  // The marker inside an expression is just a character the engine refuses.
  Store(L"A", L"12\x2502" L"3");
  Store(L"B", L"5");
  Start();
  EXPECT_EQ(Item(0), L"A\x2502" L"12\x2502" L"3");
  EXPECT_EQ(EntryText(), L"12\x2502" L"3");
  EXPECT_EQ(ReadVariable(0), 0.0);
  Turn();
  EXPECT_EQ(EntryText(), L"12\x2502" L"3") << "not a list item: the marker is not second";
  Evaluate(L"12\x2502" L"3");
  EXPECT_EQ(ResultFieldText(), kSyntaxMessage);
  EXPECT_EQ(StoredText(kSlotsSection, L"A"), L"12\x2502" L"3");

  // As the second character it reads as a list choice once it is in the
  // entry: the list's selected slot is current and the entry keeps the rest.
  // The stored slot itself stays as it is until it is evaluated again.
  CloseMainWindow();
  PrepareFreshStart();
  FormSettingsPaths();
  Store(L"C", L"x\x2502" L"7");
  StoreOption(L"Cbo", 2);
  Start();
  EXPECT_EQ(Item(2), L"C\x2502" L"x\x2502" L"7");
  EXPECT_GE(State.CurrentSlot, 0);
  EXPECT_LT(State.CurrentSlot, 26);
  EXPECT_EQ(StoredText(kSlotsSection, L"C"), L"x\x2502" L"7");
}

}  // namespace
